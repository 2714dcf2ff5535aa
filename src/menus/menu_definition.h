#pragma once
// The book's menu as the menu definition file describes it, and the click of
// a built item. Section "GERAL" gives the top-level menus, "MENU" their items,
// "SUBMENUS" the sub-items of each item and "ACOES" the command string of each
// item by its name.
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/command_host.h"
#include "common/ini_file.h"

namespace vc {

// One entry of the menu bar: a top-level menu (no name, never an action), an
// item of it ("MENUxi_j") or a sub-item ("MENUxi_j_k").
struct MenuEntry {
    std::string name;
    std::string caption;
    // "ACOES" held a non-empty action under the name when the bar was built:
    // the item gets the click handler. The action itself is read at the click.
    bool hasAction = false;
    std::vector<MenuEntry> items;
};

using MenuBarModel = std::vector<MenuEntry>;

// Names of item j of menu i and of its sub-item k: the keys of their actions.
std::string MenuItemName(int menu, int item);
std::string MenuItemName(int menu, int item, int subItem);

// The menu file: directory (ending with a backslash, or empty for the current
// directory), the six letters of the run, ".dmt".
std::string MenuFilePath(std::string_view tempDirectory, std::string_view menuFileName);

// The menu bar the file describes: one top-level menu per key of "GERAL",
// whatever the keys are called, captioned by MENU_0 to MENU_(n-1); items cut
// from ITENS_i at "-@-"; sub-items only for items that exist.
MenuBarModel BuildMenuModel(const IniFile& file);

// The action stored under an item's name, read now.
std::string ReadMenuAction(const IniFile& file, std::string_view itemName);

// A click on a built item: its action is read from the file at this moment,
// by the item's own name, and run. Errors of the action reach the caller.
void MenuItemClick(CommandHost& host, const std::string& menuFilePath, const std::string& itemName);

}  // namespace vc
