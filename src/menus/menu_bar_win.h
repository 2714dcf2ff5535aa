#pragma once
// The book's menu bar on the window: built from the menu definition file into
// the form's main menu, each item named after its key in section "ACOES".
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "menus/menu_definition.h"
#include "ui/main_menu_win.h"

namespace vc {

// What a click on a built item does: given the item's own name, the window
// reads the action from the file now and runs it (MenuItemClick).
using MenuClickCallback = std::function<void(const std::string& itemName)>;

// BuildMenuBar: removes every item of the menu, reads the file at the path
// and builds the menus, items and sub-items it describes. Items with a
// non-empty action get a click handler that calls onClick with their name.
// A missing file builds nothing; no error of its own.
void BuildMenuBar(ui::TMainMenu& menu, const std::string& menuFilePath, const MenuClickCallback& onClick);
void FillMenuBar(ui::TMainMenu& menu, const MenuBarModel& model, const MenuClickCallback& onClick);

// The start-up's menu step: the definition text is written to the run's
// menu file (hidden), the bar is built from the file, and the menu becomes
// the window's menu bar, drawn once. A file that cannot be created raises
// EInOutError before anything is built; the menu is the window's either way.
void ShowBookMenu(ui::TMainMenu& menu, HWND window, std::string_view menuFileName, std::string_view definitionText,
                  const MenuClickCallback& onClick);

}  // namespace vc
