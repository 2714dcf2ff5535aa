#include "menus/menu_definition.h"

#include "interpreter/interpreter.h"

namespace vc {

namespace {

constexpr const char* kMenusSection = "GERAL";
constexpr const char* kItemsSection = "MENU";
constexpr const char* kSubItemsSection = "SUBMENUS";
constexpr const char* kActionsSection = "ACOES";
constexpr const char* kCaptionSeparator = "-@-";

MenuEntry ItemEntry(const IniFile& file, std::string name, std::string caption) {
    MenuEntry entry;
    entry.hasAction = !ReadMenuAction(file, name).empty();
    entry.name = std::move(name);
    entry.caption = std::move(caption);
    return entry;
}

}  // namespace

std::string MenuItemName(int menu, int item) {
    return "MENUx" + std::to_string(menu) + "_" + std::to_string(item);
}

std::string MenuItemName(int menu, int item, int subItem) {
    return MenuItemName(menu, item) + "_" + std::to_string(subItem);
}

std::string MenuFilePath(std::string_view tempDirectory, std::string_view menuFileName) {
    return std::string(tempDirectory) + std::string(menuFileName) + ".dmt";
}

MenuBarModel BuildMenuModel(const IniFile& file) {
    MenuBarModel bar;
    const int menus = static_cast<int>(file.ReadSection(kMenusSection).size());
    for (int i = 0; i < menus; ++i) {
        MenuEntry menu;
        menu.caption = file.ReadString(kMenusSection, "MENU_" + std::to_string(i));
        bar.push_back(std::move(menu));
    }
    for (int i = 0; i < menus; ++i) {
        const std::string index = std::to_string(i);
        const StringList captions = SplitList(file.ReadString(kItemsSection, "ITENS_" + index), kCaptionSeparator);
        for (int j = 0; j < static_cast<int>(captions.size()); ++j) {
            MenuEntry item = ItemEntry(file, MenuItemName(i, j), captions[j]);
            const std::string subKey = "ITENS-|" + index + "." + std::to_string(j) + "|";
            const StringList subCaptions = SplitList(file.ReadString(kSubItemsSection, subKey), kCaptionSeparator);
            for (int k = 0; k < static_cast<int>(subCaptions.size()); ++k)
                item.items.push_back(ItemEntry(file, MenuItemName(i, j, k), subCaptions[k]));
            bar[i].items.push_back(std::move(item));
        }
    }
    return bar;
}

std::string ReadMenuAction(const IniFile& file, std::string_view itemName) {
    return file.ReadString(kActionsSection, itemName);
}

void MenuItemClick(CommandHost& host, const std::string& menuFilePath, const std::string& itemName) {
    const std::string action = ReadMenuAction(IniFile::Load(menuFilePath), itemName);
    RunActionCommands(host, action, CommandSource::Book);
}

}  // namespace vc
