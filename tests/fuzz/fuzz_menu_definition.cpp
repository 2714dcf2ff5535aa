// The menu definition reader on any text: the bar holds one menu per key of
// its menus section, no caption keeps a separator, every item's click
// handler follows its action, and no key list or value outgrows the buffers
// the platform reads them into.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "menus/menu_definition.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckEntry(const vc::IniFile& file, const vc::MenuEntry& entry) {
    Check(entry.caption.find("-@-") == std::string::npos);
    Check(entry.caption.size() <= vc::IniFile::kMaxValueLength);
    Check(entry.hasAction == !vc::ReadMenuAction(file, entry.name).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const vc::IniFile file(std::string_view(reinterpret_cast<const char*>(data), size));
    const vc::StringList keys = file.ReadSection("GERAL");
    std::size_t listBytes = 1;
    for (const std::string& key : keys) listBytes += key.size() + 1;
    Check(listBytes <= vc::IniFile::kKeyListBytes);

    const vc::MenuBarModel bar = vc::BuildMenuModel(file);
    Check(bar.size() == keys.size());
    for (const vc::MenuEntry& menu : bar) {
        Check(!menu.hasAction && menu.name.empty());
        for (const vc::MenuEntry& item : menu.items) {
            CheckEntry(file, item);
            for (const vc::MenuEntry& sub : item.items) {
                CheckEntry(file, sub);
                Check(sub.items.empty());
            }
        }
    }
    return 0;
}
