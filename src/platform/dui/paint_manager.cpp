#include "platform/dui/paint_manager.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "platform/dui/container.h"
#include "platform/dui/control_widget.h"
#include "platform/dui/image.h"
#include "platform/dui/keyboard.h"
#include "platform/dui/label.h"
#include "platform/dui/qt_util.h"
#include "platform/fs/fs.h"

namespace dui {

namespace {

std::wstring& ResourcePath() {
    static std::wstring path;
    return path;
}

const FontSpec& DefaultFont() {
    static const FontSpec font{L"WenQuanYi Micro Hei", 13, false, false, false};
    return font;
}

}  // namespace

QFont SkinFont(const CPaintManagerUI* manager, int index) {
    const FontSpec& wanted = manager != nullptr ? manager->GetFont(index) : DefaultFont();
    QFont font(ToQString(wanted.family));
    font.setPixelSize(wanted.size > 0 ? wanted.size : 12);
    font.setBold(wanted.bold);
    font.setUnderline(wanted.underline);
    font.setItalic(wanted.italic);
    return font;
}

CPaintManagerUI::CPaintManagerUI() = default;

CPaintManagerUI::~CPaintManagerUI() {
    DestroyRoot();
}

void CPaintManagerUI::Init(QWidget* paintWindow) {
    m_paintWindow = paintWindow;
}

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
    if (root == nullptr) {
        return false;
    }
    DestroyRoot();
    m_pRoot = root;
    root->SetManager(this, nullptr);
    root->GetWidget()->setParent(m_paintWindow);
    root->GetWidget()->setVisible(root->IsVisible());
    // Native windows that the skin hosts lie above the controls.
    root->GetWidget()->lower();
    UpdateLayout();
    return true;
}

void CPaintManagerUI::DestroyRoot() {
    CControlUI* root = m_pRoot;
    m_pRoot = nullptr;
    delete root;
    m_pFocus = nullptr;
    m_pHandOnFrom = nullptr;
}

CControlUI* CPaintManagerUI::FindControl(const std::wstring& name) const {
    return m_pRoot != nullptr && !name.empty() ? m_pRoot->FindControl(name) : nullptr;
}

CControlUI* CPaintManagerUI::FindControl(Point pt) const {
    return m_pRoot != nullptr ? m_pRoot->FindControlAt(pt) : nullptr;
}

void CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
    if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) == m_notifiers.end()) {
        m_notifiers.push_back(notifier);
    }
}

void CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) {
    std::erase(m_notifiers, notifier);
}

void CPaintManagerUI::SendNotify(CControlUI* control, const std::wstring& type, intptr_t wParam,
                                 intptr_t lParam) {
    TNotifyUI msg{type, control, wParam, lParam};
    SendNotify(msg);
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg) {
    // A notifier may add or remove notifiers while it is told.
    std::vector<INotifyUI*> notifiers = m_notifiers;
    for (INotifyUI* notifier : notifiers) {
        if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end()) {
            notifier->Notify(msg);
        }
    }
}

void CPaintManagerUI::SetFocus(CControlUI* control) {
    ChangeFocus(control, FocusBy::Code);
}

void CPaintManagerUI::SetClickFocus(CControlUI* control) {
    ChangeFocus(control, FocusBy::Click);
}

void CPaintManagerUI::SetKeyboardFocus(CControlUI* control) {
    ChangeFocus(control, FocusBy::Keyboard);
}

void CPaintManagerUI::ChangeFocus(CControlUI* control, FocusBy by) {
    const bool byKeyboard = by == FocusBy::Keyboard;
    if (control != nullptr && (!control->IsVisible() || !control->IsEnabled())) {
        // A hidden or disabled control takes no focus; the old focus is lost all the same.
        control = nullptr;
    }
    if (control != m_pFocus) {
        CControlUI* old = m_pFocus;
        m_pFocus = control;
        if (old != nullptr) {
            SendNotify(old, kNotifyKillFocus);
        }
        if (control != nullptr && m_pFocus == control) {
            SendNotify(control, kNotifySetFocus, byKeyboard ? kFocusByKeyboard : 0);
        }
    } else if (control != nullptr && by == FocusBy::Code && control->KeyboardWidget()->hasFocus()) {
        // The program's focus on what the keyboard focused leaves it the keyboard's (the search
        // button focused before it disables itself hands the focus on).
        return;
    }
    if (m_pFocus == nullptr || m_pFocus != control) {
        return;
    }
    for (CControlUI* parent = control->GetParent(); by != FocusBy::Click && parent != nullptr;
         parent = parent->GetParent()) {
        if (auto* container = dynamic_cast<CContainerUI*>(parent)) {
            container->ScrollToShow(*control);
        }
    }
    if (QWidget* widget = byKeyboard ? control->KeyboardWidget() : control->FocusWidget()) {
        widget->setFocus(byKeyboard ? Qt::TabFocusReason : Qt::OtherFocusReason);
    }
}

void CPaintManagerUI::OnControlFocus(CControlUI* control, bool focused) {
    if (focused) {
        if (m_pFocus == control) {
            return;
        }
        CControlUI* old = m_pFocus;
        m_pFocus = control;
        if (old != nullptr) {
            SendNotify(old, kNotifyKillFocus);
        }
        SendNotify(control, kNotifySetFocus);
    } else if (m_pFocus == control) {
        m_pFocus = nullptr;
        SendNotify(control, kNotifyKillFocus);
    }
}

void CPaintManagerUI::ForgetControl(CControlUI* control) {
    if (m_pFocus == control) {
        m_pFocus = nullptr;
    }
    if (m_pHandOnFrom == control) {
        m_pHandOnFrom = nullptr;
    }
}

void CPaintManagerUI::ControlLeaving(CControlUI* control) {
    QWidget* focus = m_paintWindow != nullptr ? m_paintWindow->window()->focusWidget() : nullptr;
    QWidget* own = control->GetWidget();
    if (focus == nullptr || !own->isAncestorOf(focus)) {
        return;
    }
    // The control whose widget or field holds Qt's focus: the place Tab goes on from.
    CControlUI* holder = nullptr;
    for (QWidget* w = focus; holder == nullptr && w != nullptr; w = w->parentWidget()) {
        if (auto* widget = dynamic_cast<ControlWidget*>(w)) {
            holder = widget->Owner();
        }
    }
    if (holder == nullptr || holder->KeyboardWidget() != focus) {
        return;
    }
    const bool posted = m_pHandOnFrom != nullptr;
    m_pHandOnFrom = holder;
    if (!posted) {
        QMetaObject::invokeMethod(
            m_paintWindow, [this] { HandFocusOn(); }, Qt::QueuedConnection);
    }
}

void CPaintManagerUI::HandFocusOn() {
    CControlUI* from = std::exchange(m_pHandOnFrom, nullptr);
    if (from == nullptr || m_paintWindow == nullptr) {
        return;
    }
    // Back already, or the program or the user put the focus on another control meanwhile: the
    // focus stays where it is.
    if ((from->IsVisible() && from->IsEnabled() && from->KeyboardWidget()->hasFocus()) ||
        (m_pFocus != nullptr && m_pFocus != from && m_pFocus->IsVisible() &&
         m_pFocus->IsEnabled())) {
        return;
    }
    FocusNextAfter(m_paintWindow->window(), *from);
}

void CPaintManagerUI::AddOptionGroup(const std::wstring& group, COptionUI* option) {
    auto& members = m_optionGroups[group];
    if (std::find(members.begin(), members.end(), option) == members.end()) {
        members.push_back(option);
    }
}

void CPaintManagerUI::RemoveOptionGroup(const std::wstring& group, COptionUI* option) {
    auto it = m_optionGroups.find(group);
    if (it != m_optionGroups.end()) {
        std::erase(it->second, option);
    }
}

std::vector<COptionUI*> CPaintManagerUI::GetOptionGroup(const std::wstring& group) const {
    auto it = m_optionGroups.find(group);
    return it == m_optionGroups.end() ? std::vector<COptionUI*>{} : it->second;
}

void CPaintManagerUI::AddFont(int id, const FontSpec& font) {
    m_fonts[id] = font;
}

const FontSpec& CPaintManagerUI::GetFont(int id) const {
    auto it = m_fonts.find(id);
    if (it != m_fonts.end()) {
        return it->second;
    }
    // A skin's font 0 is its default font.
    it = m_fonts.find(0);
    return it != m_fonts.end() ? it->second : DefaultFont();
}

void CPaintManagerUI::AddDefaultAttributeList(const std::wstring& className,
                                              const std::wstring& attributes) {
    m_defaultAttributes[className] = attributes;
}

std::wstring CPaintManagerUI::GetDefaultAttributeList(const std::wstring& className) const {
    auto it = m_defaultAttributes.find(className);
    return it == m_defaultAttributes.end() ? std::wstring() : it->second;
}

void CPaintManagerUI::NeedUpdate() {
    if (m_bUpdatePosted || m_paintWindow == nullptr) {
        return;
    }
    m_bUpdatePosted = true;
    QMetaObject::invokeMethod(
        m_paintWindow, [this] { UpdateLayout(); }, Qt::QueuedConnection);
}

void CPaintManagerUI::FlushLayout() {
    if (m_bUpdatePosted) {
        UpdateLayout();
    }
}

void CPaintManagerUI::UpdateLayout() {
    m_bUpdatePosted = false;
    if (m_pRoot != nullptr && m_paintWindow != nullptr) {
        m_pRoot->SetPos({0, 0, m_paintWindow->width(), m_paintWindow->height()});
    }
}

std::wstring CPaintManagerUI::GetInstancePath() {
    return platform::ProgramFolder();
}

const std::wstring& CPaintManagerUI::GetResourcePath() {
    return ResourcePath();
}

void CPaintManagerUI::SetResourcePath(const std::wstring& path) {
    if (ResourcePath() != path) {
        ResourcePath() = path;
        ClearImageCache();
    }
}

int CPaintManagerUI::MessageLoop() {
    return QApplication::exec();
}

void PostQuitMessage(int code) {
    QCoreApplication::exit(code);
}

}  // namespace dui
