#include "platform/dui/keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/dui/combo.h"
#include "platform/dui/container.h"
#include "platform/dui/control_widget.h"
#include "platform/dui/edit.h"
#include "platform/dui/label.h"
#include "platform/dui/list.h"
#include "platform/dui/native_window.h"
#include "platform/dui/paint_manager.h"

namespace dui {
namespace {

// A place in the Tab order: a control of a skinned window, or a widget of another window inside
// it. Controls that take no focus are kept too, so that a focus on one is found in its place.
struct Stop {
    CPaintManagerUI* manager = nullptr;  // none for another window's widget
    CControlUI* control = nullptr;
    QWidget* widget = nullptr;  // what takes Qt's focus; set for stops only
    bool takesFocus = false;
};

// Wholly outside what its containers show, such as a section folded to its title; what a
// container scrolls to is in sight.
bool IsOutOfSight(const CControlUI& control) {
    Rect seen = control.GetPos();
    for (CControlUI* parent = control.GetParent(); parent != nullptr && !seen.IsEmpty();
         parent = parent->GetParent()) {
        if (const auto* container = dynamic_cast<const CContainerUI*>(parent)) {
            const Rect area = container->ChildArea();
            seen = {std::max(seen.left, area.left), std::max(seen.top, area.top),
                    std::min(seen.right, area.right), std::min(seen.bottom, area.bottom)};
        }
    }
    return seen.IsEmpty();
}

bool TakesKeyboardFocus(const CControlUI& control) {
    if (!control.IsEnabled() || !control.IsVisible() || IsOutOfSight(control)) {
        return false;
    }
    if (const auto* edit = dynamic_cast<const CEditUI*>(&control)) {
        return !edit->IsReadOnly();
    }
    return dynamic_cast<const CButtonUI*>(&control) != nullptr ||
           dynamic_cast<const CComboUI*>(&control) != nullptr ||
           dynamic_cast<const CListUI*>(&control) != nullptr;
}

void AddControls(std::vector<Stop>& chain, CPaintManagerUI& manager, CControlUI* control) {
    bool takes = TakesKeyboardFocus(*control);
    chain.push_back({&manager, control, takes ? control->KeyboardWidget() : nullptr, takes});
    if (auto* container = dynamic_cast<CContainerUI*>(control)) {
        for (int i = 0; i < container->GetCount(); ++i) {
            AddControls(chain, manager, container->GetItemAt(i));
        }
    }
}

// The windows inside `parent` that the user sees (shown, and not wholly under a sibling raised
// above them), left to right, then top to bottom.
std::vector<QWidget*> ShownWindowsInside(QWidget* parent, const QWidget* except, QWidget* top) {
    std::vector<QWidget*> shown;
    auto seen = [top](QObject* object) {
        auto* widget = qobject_cast<QWidget*>(object);
        return widget != nullptr && !widget->isWindow() && widget->isVisibleTo(top) ? widget
                                                                                    : nullptr;
    };
    const QObjectList& children = parent->children();
    for (auto it = children.begin(); it != children.end(); ++it) {
        QWidget* child = seen(*it);
        if (child == nullptr || child == except) {
            continue;
        }
        bool covered = std::any_of(std::next(it), children.end(), [&](QObject* object) {
            QWidget* above = seen(object);
            return above != nullptr && above->geometry().contains(child->geometry());
        });
        if (!covered) {
            shown.push_back(child);
        }
    }
    std::stable_sort(shown.begin(), shown.end(), [](const QWidget* a, const QWidget* b) {
        return std::pair(a->x(), a->y()) < std::pair(b->x(), b->y());
    });
    return shown;
}

void AddWindow(std::vector<Stop>& chain, QWidget* window, QWidget* top) {
    auto* skinned = dynamic_cast<NativeWindow*>(window);
    CPaintManagerUI* manager = skinned != nullptr ? skinned->Manager() : nullptr;
    const QWidget* controls = nullptr;
    if (manager != nullptr && manager->GetRoot() != nullptr) {
        // Where the controls lie decides which are in sight.
        manager->FlushLayout();
        AddControls(chain, *manager, manager->GetRoot());
        controls = manager->GetRoot()->GetWidget();
    } else if ((window->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) {
        if (window->isEnabled()) {
            chain.push_back({nullptr, nullptr, window, true});
        }
        return;
    }
    for (QWidget* inside : ShownWindowsInside(window, controls, top)) {
        AddWindow(chain, inside, top);
    }
}

// Where the focus lies: the stop whose widget has Qt's focus, else the focused control of the
// skinned window that has it. Without either, -1, and `before` is that window's first entry.
int FindFocus(const std::vector<Stop>& chain, QWidget* focus, int& before) {
    before = 0;
    for (size_t i = 0; i < chain.size(); ++i) {
        const Stop& stop = chain[i];
        if (stop.takesFocus && (stop.widget == focus || stop.widget->isAncestorOf(focus))) {
            return static_cast<int>(i);
        }
    }
    NativeWindow* holder = nullptr;
    for (QWidget* w = focus; w != nullptr && holder == nullptr; w = w->parentWidget()) {
        holder = dynamic_cast<NativeWindow*>(w);
    }
    CPaintManagerUI* manager = holder != nullptr ? holder->Manager() : nullptr;
    auto first = std::find_if(chain.begin(), chain.end(),
                              [&](const Stop& stop) { return stop.manager == manager; });
    if (manager == nullptr || first == chain.end()) {
        return -1;
    }
    before = static_cast<int>(first - chain.begin());
    auto focused = std::find_if(first, chain.end(), [&](const Stop& stop) {
        return stop.control != nullptr && stop.control == manager->GetFocus();
    });
    return focused != chain.end() ? static_cast<int>(focused - chain.begin()) : -1;
}

// Gives the focus to the first stop after `at` (before it, going back) that takes it, wrapping
// round; with `at` -1, from `before`.
void FocusNext(const std::vector<Stop>& chain, int at, int before, bool forward) {
    const int count = static_cast<int>(chain.size());
    const int step = forward ? 1 : -1;
    int index = at >= 0 ? at : (forward ? before - 1 : before);
    for (int tries = at >= 0 ? count - 1 : count; tries > 0; --tries) {
        index = (index + step + count) % count;
        const Stop& to = chain[index];
        if (!to.takesFocus) {
            continue;
        }
        // A skinned window that loses the focus to another window hears it go.
        if (at >= 0 && chain[at].manager != nullptr && chain[at].manager != to.manager) {
            chain[at].manager->SetFocus(nullptr);
        }
        if (to.manager != nullptr) {
            to.manager->SetKeyboardFocus(to.control);
        } else {
            to.widget->setFocus(Qt::TabFocusReason);
        }
        return;
    }
}

std::vector<Stop> ChainOf(QWidget* window) {
    std::vector<Stop> chain;
    AddWindow(chain, window, window);
    return chain;
}

void MoveFocus(QWidget* window, bool forward) {
    const std::vector<Stop> chain = ChainOf(window);
    QWidget* focus = window->focusWidget() != nullptr ? window->focusWidget() : window;
    int before = 0;
    const int at = FindFocus(chain, focus, before);
    FocusNext(chain, at, before, forward);
}

// The control whose own widget holds Qt's focus: a button or option that the keyboard focused (a
// click leaves Qt's focus with the window), or a list, whichever way it was focused.
CControlUI* OwnerOfFocus(QWidget* window) {
    auto* focus = dynamic_cast<ControlWidget*>(window->focusWidget());
    return focus != nullptr ? focus->Owner() : nullptr;
}

bool PressFocusedButton(QWidget* window) {
    auto* button = dynamic_cast<CButtonUI*>(OwnerOfFocus(window));
    if (button == nullptr) {
        return false;
    }
    button->Activate();
    return true;
}

CButtonUI* DefaultButtonIn(CControlUI* control) {
    auto* button = dynamic_cast<CButtonUI*>(control);
    if (button != nullptr && button->IsDefault() && button->IsVisible() && button->IsEnabled()) {
        return button;
    }
    auto* container = dynamic_cast<CContainerUI*>(control);
    for (int i = 0; container != nullptr && i < container->GetCount(); ++i) {
        if (CButtonUI* found = DefaultButtonIn(container->GetItemAt(i))) {
            return found;
        }
    }
    return nullptr;
}

// Enter where nothing takes it: the window's default button, unless an edit has the typing (it
// hears Enter itself and then presses the default button).
bool PressDefaultButtonOf(QWidget* window) {
    auto* skinned = dynamic_cast<NativeWindow*>(window);
    return skinned != nullptr && skinned->Manager() != nullptr &&
           qobject_cast<QLineEdit*>(window->focusWidget()) == nullptr &&
           PressDefaultButton(*skinned->Manager());
}

// What a focused list makes of the keys.
constexpr std::pair<int, ListKey> kListKeys[] = {
    {Qt::Key_Up, ListKey::Up},           {Qt::Key_Down, ListKey::Down},
    {Qt::Key_PageUp, ListKey::PageUp},   {Qt::Key_PageDown, ListKey::PageDown},
    {Qt::Key_Home, ListKey::Home},       {Qt::Key_End, ListKey::End},
    {Qt::Key_Return, ListKey::Activate}, {Qt::Key_Enter, ListKey::Activate}};

bool KeyToFocusedList(QWidget* window, int qtKey) {
    auto* list = dynamic_cast<CListUI*>(OwnerOfFocus(window));
    auto key = std::find_if(std::begin(kListKeys), std::end(kListKeys),
                            [qtKey](const auto& entry) { return entry.first == qtKey; });
    return list != nullptr && key != std::end(kListKeys) && list->OnKey(key->second);
}

}  // namespace

void FocusNextAfter(QWidget* window, const CControlUI& from) {
    const std::vector<Stop> chain = ChainOf(window);
    auto at = std::find_if(chain.begin(), chain.end(),
                           [&](const Stop& stop) { return stop.control == &from; });
    if (at != chain.end()) {
        FocusNext(chain, static_cast<int>(at - chain.begin()), 0, true);
    }
}

bool PressDefaultButton(CPaintManagerUI& manager) {
    CButtonUI* button = manager.GetRoot() != nullptr ? DefaultButtonIn(manager.GetRoot()) : nullptr;
    return button != nullptr && button->Activate();
}

bool HandleWindowKey(QWidget* window, const QKeyEvent& key) {
    if (QApplication::activePopupWidget() != nullptr ||
        (key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier) {
        return false;
    }
    switch (key.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            MoveFocus(window, key.key() == Qt::Key_Tab && !(key.modifiers() & Qt::ShiftModifier));
            return true;
        case Qt::Key_Space:
            return PressFocusedButton(window);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return PressFocusedButton(window) || KeyToFocusedList(window, key.key()) ||
                   PressDefaultButtonOf(window);
        default:
            return KeyToFocusedList(window, key.key());
    }
}

}  // namespace dui
