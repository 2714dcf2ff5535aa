#include "menus/menu_bar_win.h"

#include "common/ini_file.h"
#include "menus/menu_file_win.h"

namespace vc {

namespace {

void AddEntries(ui::TMenuItem& parent, const std::vector<MenuEntry>& entries, const MenuClickCallback& onClick) {
    for (const MenuEntry& entry : entries) {
        ui::TMenuItem& item = parent.Add(entry.name, entry.caption);
        if (entry.hasAction)
            // The name is copied before the click runs: the action may delete
            // the item it was clicked on.
            item.SetOnClick([onClick](ui::TMenuItem& sender) {
                const std::string name = sender.Name();
                onClick(name);
            });
        AddEntries(item, entry.items, onClick);
    }
}

}  // namespace

void FillMenuBar(ui::TMainMenu& menu, const MenuBarModel& model, const MenuClickCallback& onClick) {
    menu.Items().Clear();
    AddEntries(menu.Items(), model, onClick);
}

void BuildMenuBar(ui::TMainMenu& menu, const std::string& menuFilePath, const MenuClickCallback& onClick) {
    FillMenuBar(menu, BuildMenuModel(IniFile::Load(menuFilePath)), onClick);
}

void ShowBookMenu(ui::TMainMenu& menu, HWND window, std::string_view menuFileName, std::string_view definitionText,
                  const MenuClickCallback& onClick) {
    // The bar is built before it joins the window: a window's bar is redrawn
    // at every top-level menu added, which made a long menu quadratic. Joined
    // afterwards, it is drawn once. It joins whatever happens to the file.
    const std::string path = MenuFilePath(menuFileName);
    try {
        WriteMenuFile(path, definitionText);
        BuildMenuBar(menu, path, onClick);
    } catch (...) {
        menu.AttachTo(window);
        throw;
    }
    menu.AttachTo(window);
}

}  // namespace vc
