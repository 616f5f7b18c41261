#include "platform/dui/builder.h"

#include <functional>
#include <map>

#include "platform/dui/combo.h"
#include "platform/dui/container.h"
#include "platform/dui/edit.h"
#include "platform/dui/image.h"
#include "platform/dui/label.h"
#include "platform/dui/list.h"
#include "platform/dui/paint_manager.h"
#include "platform/fs/fs.h"

namespace dui {

namespace {

template <typename T>
CControlUI* Make() {
    return new T;
}

void ApplyWindowSettings(const SkinNode& window, CPaintManagerUI* manager) {
    Size size;
    Rect rc;
    if (ParseSize(window.Attribute(L"size"), size)) {
        manager->SetInitSize(size);
    }
    if (ParseRect(window.Attribute(L"caption"), rc)) {
        manager->SetCaptionRect(rc);
    }
    if (ParseRect(window.Attribute(L"sizebox"), rc)) {
        manager->SetSizeBox(rc);
    }
    if (ParseSize(window.Attribute(L"roundcorner"), size)) {
        manager->SetRoundCorner(size);
    }
}

void AddFont(const SkinNode& node, int order, CPaintManagerUI* manager) {
    FontSpec font;
    font.family = node.Attribute(L"name");
    font.size = ParseInt(node.Attribute(L"size"));
    font.bold = ParseBool(node.Attribute(L"bold"));
    font.underline = ParseBool(node.Attribute(L"underline"));
    font.italic = ParseBool(node.Attribute(L"italic"));
    std::wstring id = node.Attribute(L"id");
    manager->AddFont(id.empty() ? order : ParseInt(id), font);
}

// The picture files that a skin's image attributes name.
void CollectPictures(const SkinNode& node, std::vector<std::wstring>& files) {
    for (const auto& [name, value] : node.attributes) {
        ImageDescription image;
        if (name.ends_with(L"image") && ParseImageDescription(value, image)) {
            files.push_back(image.file);
        }
    }
    for (const SkinNode& child : node.children) {
        CollectPictures(child, files);
    }
}

}  // namespace

CControlUI* CreateBuiltinControl(const std::wstring& className) {
    static const std::map<std::wstring, std::function<CControlUI*()>> factories = {
        {L"Control", Make<CControlUI>},
        {L"Container", Make<CContainerUI>},
        {L"VerticalLayout", Make<CVerticalLayoutUI>},
        {L"HorizontalLayout", Make<CHorizontalLayoutUI>},
        {L"TabLayout", Make<CTabLayoutUI>},
        {L"Label", Make<CLabelUI>},
        {L"Text", Make<CTextUI>},
        {L"Button", Make<CButtonUI>},
        {L"Option", Make<COptionUI>},
        {L"CheckBox", Make<CCheckBoxUI>},
        {L"Edit", Make<CEditUI>},
        {L"Combo", Make<CComboUI>},
        {L"List", Make<CListUI>},
        {L"ListHeader", Make<CListHeaderUI>},
        {L"ListHeaderItem", Make<CListHeaderItemUI>},
        {L"ListTextElement", Make<CListTextElementUI>},
        {L"ListLabelElement", Make<CListLabelElementUI>},
    };
    auto it = factories.find(className);
    return it == factories.end() ? nullptr : it->second();
}

CControlUI* CDialogBuilder::Create(const std::wstring& xmlFile, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager) {
    auto bytes =
        platform::ReadWholeFile(platform::ToPath(CPaintManagerUI::GetResourcePath() + xmlFile));
    if (!bytes) {
        return nullptr;
    }
    auto root = ParseSkin(std::string(bytes->begin(), bytes->end()));
    return root ? Create(*root, callback, manager) : nullptr;
}

CControlUI* CDialogBuilder::Create(const SkinNode& window, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager) {
    if (window.element != L"Window") {
        return Build(window, callback, manager, 0);
    }
    if (m_preloadPictures) {
        std::vector<std::wstring> pictures;
        CollectPictures(window, pictures);
        PreloadImages(pictures);
    }
    ApplyWindowSettings(window, manager);
    int fontOrder = 0;
    CControlUI* root = nullptr;
    for (const SkinNode& child : window.children) {
        if (child.element == L"Font") {
            AddFont(child, fontOrder++, manager);
        } else if (child.element == L"Default") {
            manager->AddDefaultAttributeList(child.Attribute(L"name"), child.Attribute(L"value"));
        } else if (root == nullptr) {
            root = Build(child, callback, manager, 1);
        }
    }
    return root;
}

CControlUI* CDialogBuilder::Build(const SkinNode& node, IDialogBuilderCallback* callback,
                                  CPaintManagerUI* manager, int depth) {
    CControlUI* control = CreateBuiltinControl(node.element);
    if (control == nullptr && callback != nullptr) {
        control = callback->CreateControl(node.element);
    }
    if (control == nullptr || depth > kMaxSkinDepth) {
        delete control;
        return nullptr;
    }
    for (const auto& [name, value] :
         ParseAttributeList(manager->GetDefaultAttributeList(node.element))) {
        control->SetAttribute(name, value);
    }
    for (const auto& [name, value] : node.attributes) {
        control->SetAttribute(name, value);
    }
    auto* container = dynamic_cast<CContainerUI*>(control);
    auto* combo = dynamic_cast<CComboUI*>(control);
    for (const SkinNode& child : node.children) {
        if (container == nullptr && combo == nullptr) {
            break;
        }
        CControlUI* built = Build(child, callback, manager, depth + 1);
        if (built == nullptr) {
            continue;
        }
        if (container != nullptr) {
            container->Add(built);
        } else {
            combo->Add(built);
        }
    }
    return control;
}

}  // namespace dui
