#include "platform/afx/menu.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <mutex>

#include "platform/afx/dialog.h"
#include "platform/afx/qt_text.h"
#include "platform/afx/ui_thread.h"

namespace afx {
namespace {

std::mutex g_scriptMutex;
std::optional<int> g_nextChoice;
std::optional<Menu> g_lastTracked;

template <typename Items>
auto* FindItem(Items& items, int commandId) {
    for (auto& item : items) {
        if (item.commandId == commandId && commandId != 0) {
            return &item;
        }
        if (auto* inner = FindItem(item.submenu, commandId)) {
            return inner;
        }
    }
    return static_cast<decltype(&items.front())>(nullptr);
}

void Fill(QMenu& menu, const std::vector<MenuItemTemplate>& items) {
    for (const auto& item : items) {
        if (item.commandId == 0) {
            QMenu* sub = menu.addMenu(ToQString(item.text));
            sub->setEnabled(!item.grayed);
            Fill(*sub, item.submenu);
            continue;
        }
        QAction* action = menu.addAction(ToQString(item.text));
        action->setData(item.commandId);
        action->setEnabled(!item.grayed);
    }
}

}  // namespace

Point CursorPos() {
    return OnUiThread([] {
        QPoint at = QCursor::pos();
        return Point{at.x(), at.y()};
    });
}

Menu Menu::FromTemplate(const MenuTemplate& menuTemplate, int index) {
    if (index < 0 || index >= static_cast<int>(menuTemplate.popups.size())) {
        return Menu({});
    }
    return Menu(menuTemplate.popups[index].submenu);
}

bool Menu::SetItemText(int commandId, const std::wstring& text) {
    auto* item = FindItem(items_, commandId);
    if (item) {
        item->text = text;
    }
    return item != nullptr;
}

bool Menu::EnableMenuItem(int commandId, bool enable) {
    auto* item = FindItem(items_, commandId);
    if (item) {
        item->grayed = !enable;
    }
    return item != nullptr;
}

bool Menu::SetSubmenuText(int position, const std::wstring& text) {
    if (position < 0 || position >= static_cast<int>(items_.size())) {
        return false;
    }
    items_[position].text = text;
    return true;
}

bool Menu::IsEnabled(int commandId) const {
    const auto* item = FindItem(items_, commandId);
    return item != nullptr && !item->grayed;
}

int Menu::Track(Point screen, Dialog* owner) {
    std::optional<int> scripted;
    {
        std::lock_guard lock(g_scriptMutex);
        g_lastTracked = *this;
        scripted = std::exchange(g_nextChoice, std::nullopt);
    }
    int chosen = OnUiThread([&] {
        if (scripted) {
            return *scripted;
        }
        QMenu menu(owner ? owner->GetSafeWidget() : nullptr);
        Fill(menu, items_);
        QAction* action = menu.exec(QPoint(screen.x, screen.y));
        return action ? action->data().toInt() : 0;
    });
    // A greyed entry cannot be chosen, scripted or not.
    if (chosen != 0 && !IsEnabled(chosen)) {
        chosen = 0;
    }
    if (chosen != 0 && owner) {
        SendToUiThread([&] { owner->OnCommand(chosen); });
    }
    return chosen;
}

void Menu::ScriptNextChoice(int commandId) {
    std::lock_guard lock(g_scriptMutex);
    g_nextChoice = commandId;
}

std::optional<Menu> Menu::LastTracked() {
    std::lock_guard lock(g_scriptMutex);
    return g_lastTracked;
}

}  // namespace afx
