#include "ui/left_tree_view.h"

#include "model/key_files.h"
#include "model/key_lists.h"
#include "platform/afx/menu.h"
#include "platform/dui/paint_manager.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/show_message.h"

namespace {

constexpr int kCommandAddKey = 32776;
constexpr int kCommandEdit = 32778;
constexpr int kCommandDelete = 32774;
constexpr int kPanelWidth = 251;
constexpr int kPanelHeight = 507;
constexpr size_t kNewestShown = 5;

// The label's name without its count.
std::wstring LabelName(const std::wstring& label) {
    return label.substr(0, label.find(L'（'));
}

std::wstring CountedLabel(const std::wstring& name, int count) {
    return platform::Format(L"%s（%d）", name, count);
}

bool IsKeyImage(int image) {
    return image == kImageKey || image == kImageUnfinishedKey;
}

std::wstring KeyName(const KeyDataRecord& record) {
    return AnsiToWide(record.params.keyName);
}

}  // namespace

CLeftTreeView::CLeftTreeView() : Dialog(res::DialogResource(res::kKeyTreeDialog)) {}

CLeftTreeView::~CLeftTreeView() = default;

void CLeftTreeView::DoDataExchange() {
    BindControl(kTreeId, m_Tree);
    BindControl(kListId, m_List);
}

bool CLeftTreeView::OnInitDialog() {
    Dialog::OnInitDialog();
    m_Tree.DeleteAllItems();
    m_Makers.clear();
    m_Tree.MoveWindow({0, 0, kPanelWidth, kPanelHeight});
    m_List.MoveWindow({0, 0, kPanelWidth, kPanelHeight});
    LoadKeyLists();

    m_ImageList = std::make_unique<afx::ImageList>(32, 32);
    const std::wstring& skin = dui::CPaintManagerUI::GetResourcePath();
    for (const wchar_t* icon :
         {L"tree_root.png", L"tree_maker.png", L"tree_key.png", L"tree_key_unfinished.png"}) {
        m_ImageList->Add(skin + icon);
    }
    m_Tree.SetImageList(m_ImageList.get());
    m_List.SetImageList(m_ImageList.get());
    m_List.InsertColumn(0, L"Coll", 200);
    FillSearchList(L"");
    return true;
}

void CLeftTreeView::LoadLanguageTexts(int languageIndex) {
    res::LoadString(207, m_strDeletePrefix);
    res::LoadString(208, m_strRootLabel);
    LoadCarFactory(CarFactorySection(languageIndex));
    RebuildTree();
    res::LoadString(178, m_strMenuAdd);
    res::LoadString(187, m_strMenuDelete);
    res::LoadString(247, m_strMenuEdit);
}

void CLeftTreeView::LoadCarFactory(const std::wstring& section) {
    // The maker list is read from the current folder, where the program is normally started.
    m_CarFactory = ReadCarFactory(platform::CurrentFolder() + L"/carFactory.ini", section);
}

void CLeftTreeView::RebuildTree() {
    m_hRightClicked = nullptr;
    m_Makers.clear();
    m_Tree.DeleteAllItems();
    afx::TreeItem root = m_Tree.InsertItem(L"", kImageRoot, kImageRoot);
    m_nTotal = 0;
    for (const CarFactoryEntry& entry : m_CarFactory) {
        MakerNode maker{m_Tree.InsertItem(entry.displayName, kImageMaker, kImageMaker, root),
                        entry.id, entry.displayName, 0};
        m_Tree.SetItemData(maker.item, entry.id);
        auto addKeys = [&](const KeyDataList& list, int image, bool liveOnly) {
            for (const KeyDataRecord& record : list) {
                if (record.makerId != static_cast<uint32_t>(entry.id)) {
                    continue;
                }
                if (liveOnly && record.params.status == KeyStatusDeleted) {
                    continue;
                }
                afx::TreeItem key = m_Tree.InsertItem(KeyName(record), image, image, maker.item);
                m_Tree.SetItemData(key, record.keyId);
                ++maker.count;
            }
        };
        addKeys(g_KeyData, kImageKey, true);
        addKeys(g_KeyDataEdit, kImageUnfinishedKey, false);
        m_Tree.SetItemText(maker.item, CountedLabel(maker.displayName, maker.count));
        m_nTotal += maker.count;
        m_Makers.push_back(std::move(maker));
    }
    SetRootLabel();
    m_Tree.Expand(root);
}

void CLeftTreeView::SetRootLabel() {
    m_Tree.SetItemText(m_Tree.GetRootItem(), CountedLabel(m_strRootLabel, m_nTotal));
}

void CLeftTreeView::SetMakerCount(MakerNode& maker, int count) {
    maker.count = count;
    m_Tree.SetItemText(maker.item, CountedLabel(maker.displayName, count));
}

CLeftTreeView::MakerNode* CLeftTreeView::MakerOf(afx::TreeItem item) {
    for (MakerNode& maker : m_Makers) {
        if (maker.item == item) {
            return &maker;
        }
    }
    return nullptr;
}

std::wstring CLeftTreeView::GetCarFactoryName(int makerId) const {
    for (const CarFactoryEntry& entry : m_CarFactory) {
        if (entry.id == makerId) {
            return entry.machineName;
        }
    }
    return L"";
}

afx::TreeItem CLeftTreeView::FindMakerItem(int makerId) const {
    for (const MakerNode& maker : m_Makers) {
        if (maker.id == makerId) {
            return maker.item;
        }
    }
    return nullptr;
}

afx::TreeItem CLeftTreeView::FindKeyItem(int image, int keyId) const {
    for (const MakerNode& maker : m_Makers) {
        for (afx::TreeItem key = m_Tree.GetChildItem(maker.item); key != nullptr;
             key = m_Tree.GetNextSiblingItem(key)) {
            if (m_Tree.GetItemImage(key) == image && m_Tree.GetItemData(key) == keyId) {
                return key;
            }
        }
    }
    return nullptr;
}

void CLeftTreeView::AddKeyItem(const std::wstring& name, int makerId, int keyId, int image) {
    afx::TreeItem makerItem = FindMakerItem(makerId);
    MakerNode* maker = MakerOf(makerItem);
    if (maker == nullptr) {
        return;
    }
    afx::TreeItem key = m_Tree.InsertItem(name, image, image, makerItem);
    m_Tree.SetItemData(key, keyId);
    ++m_nTotal;
    SetMakerCount(*maker, maker->count + 1);
    SetRootLabel();
    m_Tree.SelectDropTarget(key);
}

void CLeftTreeView::UpdateKeyItem(int image, int keyId, const std::wstring& name, int newImage) {
    afx::TreeItem key = FindKeyItem(image, keyId);
    if (key == nullptr) {
        return;
    }
    // A finished key's pending edit, once finished, is that key: its old item goes.
    if (afx::TreeItem replaced = newImage != image ? FindKeyItem(newImage, keyId) : nullptr) {
        RemoveKeyItem(replaced);
    }
    m_Tree.SetItemImage(key, newImage, newImage);
    m_Tree.SetItemText(key, name);
}

void CLeftTreeView::OnNotify(const afx::NotifyInfo& info) {
    if (info.controlId == kTreeId && info.code == afx::Notification::SelChanged) {
        OnTvnSelchangedTree();
    } else if (info.controlId == kTreeId && info.code == afx::Notification::RightClick) {
        OnNMRClickTree(info.point);
    } else if (info.controlId == kListId && info.code == afx::Notification::Click) {
        ChooseSearchResult(info.item);
    } else if (info.controlId == kListId && info.code == afx::Notification::Return) {
        // Up and Down only move in the results; Enter takes the one moved to.
        ChooseSearchResult(m_List.GetSelectionMark());
    } else if (info.controlId == kListId && info.code == afx::Notification::Escape &&
               m_pFrame != nullptr) {
        m_pFrame->ReturnToSearchBox();
    }
}

void CLeftTreeView::OnCommand(int commandId) {
    switch (commandId) {
        case kCommandAddKey:
            AddNewKey(m_hRightClicked);
            break;
        case kCommandEdit:
            OnEditKey();
            break;
        case kCommandDelete:
            DeleteKey(m_hRightClicked);
            break;
        default:
            Dialog::OnCommand(commandId);
            break;
    }
}

void CLeftTreeView::OnTvnSelchangedTree() {
    afx::TreeItem item = m_Tree.GetSelectedItem();
    if (item == nullptr || m_pFrame == nullptr) {
        return;
    }
    m_pFrame->EnableAddKeyButton(false);
    m_pFrame->EnableDeleteButton(false);
    m_Tree.SelectDropTarget(item);
    int image = m_Tree.GetItemImage(item);
    if (IsKeyImage(image)) {
        m_pFrame->EnableDeleteButton(true);
        m_pFrame->ShowKey(static_cast<int>(m_Tree.GetItemData(item)));
        m_pFrame->EnableAddKeyButton(true);
    } else if (image == kImageMaker) {
        m_pFrame->EnableAddKeyButton(true);
    }
}

void CLeftTreeView::OnNMRClickTree(afx::Point point) {
    afx::TreeItem item = m_Tree.HitTest(point);
    if (item == nullptr || m_Tree.GetItemImage(item) == kImageRoot) {
        return;
    }
    m_hRightClicked = item;
    afx::Menu menu = afx::Menu::FromTemplate(res::MenuResource(res::kKeyTreeMenu), 0);
    menu.SetItemText(kCommandAddKey, m_strMenuAdd);
    menu.SetItemText(kCommandDelete, m_strMenuDelete);
    menu.SetItemText(kCommandEdit, m_strMenuEdit);
    if (m_Tree.GetItemImage(item) == kImageMaker) {
        menu.EnableMenuItem(kCommandDelete, false);
        menu.EnableMenuItem(kCommandEdit, false);
    }
    menu.Track(m_Tree.ClientToScreen(point), this);
}

bool CLeftTreeView::WizardLetsGo() {
    IKeyWizard* wizard = m_pFrame != nullptr ? m_pFrame->GetKeyWizard() : nullptr;
    return wizard == nullptr || wizard->CloseWizard();
}

void CLeftTreeView::AddNewKey(afx::TreeItem item) {
    if (item == nullptr) {
        item = m_Tree.GetSelectedItem();
    }
    if (item == nullptr || !WizardLetsGo()) {
        return;
    }
    int image = m_Tree.GetItemImage(item);
    if (IsKeyImage(image)) {
        item = m_Tree.GetParentItem(item);
    } else if (image != kImageMaker) {
        return;
    }
    IKeyWizard* wizard = m_pFrame != nullptr ? m_pFrame->GetKeyWizard() : nullptr;
    if (wizard == nullptr) {
        return;
    }
    KeyWizardTarget target;
    target.makerId = static_cast<int>(m_Tree.GetItemData(item));
    target.makerLabel = LabelName(m_Tree.GetItemText(item));
    target.makerName = GetCarFactoryName(target.makerId);
    wizard->SetTarget(target);
    wizard->ShowWizard();
}

void CLeftTreeView::OnEditKey() {
    if (!WizardLetsGo()) {
        return;
    }
    SelectTreeItem(m_hRightClicked);
    afx::TreeItem item = m_Tree.GetSelectedItem();
    if (item == nullptr || !IsKeyImage(m_Tree.GetItemImage(item))) {
        return;
    }
    IKeyWizard* wizard = m_pFrame != nullptr ? m_pFrame->GetKeyWizard() : nullptr;
    if (wizard == nullptr) {
        return;
    }
    KeyWizardTarget target;
    target.editMode = true;
    target.makerId = static_cast<int>(m_Tree.GetItemData(m_Tree.GetParentItem(item)));
    target.keyId = static_cast<int>(m_Tree.GetItemData(item));
    target.keyImage = m_Tree.GetItemImage(item);
    target.makerName = GetCarFactoryName(target.makerId);
    wizard->SetTarget(target);
    wizard->LoadKeyForEdit(target.keyImage);
}

void CLeftTreeView::DeleteKey(afx::TreeItem item) {
    if (item == nullptr) {
        item = m_Tree.GetSelectedItem();
    }
    if (item == nullptr || !WizardLetsGo()) {
        return;
    }
    int image = m_Tree.GetItemImage(item);
    if (!IsKeyImage(image) || m_pFrame == nullptr) {
        return;
    }
    std::wstring question =
        platform::Format(L"%s %s ？", m_strDeletePrefix, m_Tree.GetItemText(item));
    if (m_pFrame->ShowMessage(question, kMessageQuestion) != kAnswerOk) {
        return;
    }
    int keyId = static_cast<int>(m_Tree.GetItemData(item));
    if (image == kImageUnfinishedKey) {
        RemoveKeyEdit(keyId);
    } else {
        MarkKeyDeleted(keyId);
    }
    RemoveKeyItem(item);
}

void CLeftTreeView::RemoveKeyItem(afx::TreeItem item) {
    if (MakerNode* maker = MakerOf(m_Tree.GetParentItem(item))) {
        SetMakerCount(*maker, maker->count - 1);
    }
    m_Tree.DeleteItem(item);
    --m_nTotal;
    SetRootLabel();
}

void CLeftTreeView::AddSearchResult(const std::wstring& name, int image, int id) {
    m_List.InsertItem(m_List.GetItemCount(), name, image);
    m_SearchResults.push_back({image, id});
}

void CLeftTreeView::FillSearchList(const std::wstring& text) {
    m_List.DeleteAllItems();
    m_SearchResults.clear();
    if (text.empty()) {
        // The first five keys of each list, the fifth on top.
        for (auto [list, image] :
             {std::pair{&g_KeyData, kImageKey}, std::pair{&g_KeyDataEdit, kImageUnfinishedKey}}) {
            size_t shown = std::min(list->size(), kNewestShown);
            for (size_t i = shown; i-- > 0;) {
                std::wstring name = KeyName((*list)[i]);
                if (!name.empty()) {
                    AddSearchResult(name, image, (*list)[i].keyId);
                }
            }
        }
        return;
    }
    std::wstring wanted = platform::AsciiUpper(text);
    for (auto [list, image] :
         {std::pair{&g_KeyData, kImageKey}, std::pair{&g_KeyDataEdit, kImageUnfinishedKey}}) {
        for (const KeyDataRecord& record : *list) {
            std::wstring name = KeyName(record);
            if (platform::AsciiUpper(name).find(wanted) != std::wstring::npos) {
                AddSearchResult(name, image, record.keyId);
            }
        }
    }
    for (const CarFactoryEntry& entry : m_CarFactory) {
        if (platform::AsciiUpper(entry.displayName).find(wanted) != std::wstring::npos) {
            AddSearchResult(entry.displayName, kImageMaker, entry.id);
        }
    }
}

void CLeftTreeView::ChooseSearchResult(int row) {
    if (row < 0 || row >= static_cast<int>(m_SearchResults.size())) {
        return;
    }
    SearchResult chosen = m_SearchResults[static_cast<size_t>(row)];
    m_Tree.ShowWindow(true);
    m_List.ShowWindow(false);
    SelectTreeItem(chosen.image == kImageMaker ? FindMakerItem(chosen.id)
                                               : FindKeyItem(chosen.image, chosen.id));
}

void CLeftTreeView::SelectTreeItem(afx::TreeItem item) {
    if (item == nullptr) {
        return;
    }
    m_Tree.SelectItem(item);
    m_Tree.SelectDropTarget(item);
}
