#pragma once
// Popup menus: built from a menu template, texts and greying changed by command id, tracked at
// a point, the chosen command going to the owner dialog's OnCommand after the menu has closed.
// Tests script the next choice instead of clicking.

#include <optional>
#include <string>
#include <vector>

#include "platform/afx/geometry.h"

namespace afx {

class Dialog;

struct MenuItemTemplate {
    int commandId = 0;  // 0 for a submenu
    std::wstring text;
    std::vector<MenuItemTemplate> submenu;
    bool grayed = false;
};

struct MenuTemplate {
    int id = 0;
    std::vector<MenuItemTemplate> popups;  // the menu bar's entries, each a popup
};

// Where the mouse is, in screen coordinates.
Point CursorPos();

class Menu {
  public:
    explicit Menu(std::vector<MenuItemTemplate> items) : items_(std::move(items)) {}
    // The popup at `index` of a template's menu bar, as LoadMenu + GetSubMenu give it.
    static Menu FromTemplate(const MenuTemplate& menuTemplate, int index);

    // By command id, searched through the submenus; false when no entry has the id.
    bool SetItemText(int commandId, const std::wstring& text);
    bool EnableMenuItem(int commandId, bool enable);
    // Text of a submenu entry by its position in this menu.
    bool SetSubmenuText(int position, const std::wstring& text);

    // Shows the menu at a point of the screen and answers the chosen command (0 when the menu
    // was dismissed); a chosen command then reaches `owner`'s OnCommand, when there is one.
    int Track(Point screen, Dialog* owner);

    const std::vector<MenuItemTemplate>& Items() const { return items_; }
    bool IsEnabled(int commandId) const;

    // Test seam: the next Track answers `commandId` without showing anything (0 dismisses).
    static void ScriptNextChoice(int commandId);
    // The last menu tracked, for tests to look at.
    static std::optional<Menu> LastTracked();

  private:
    std::vector<MenuItemTemplate> items_;
};

}  // namespace afx
