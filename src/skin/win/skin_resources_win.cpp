#include "skin/win/skin_resources_win.h"

#include <string>

namespace vc {

void LoadStoredSkins(TSkinStore& store, HMODULE module) {
    if (!module) module = ::GetModuleHandleA(nullptr);
    TSkinCollection& items = store.Store();
    items.Clear();
    for (int number = 0;; ++number) {
        const std::string name = "SkinItem" + std::to_string(number);
        HRSRC found = ::FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
        if (!found) break;
        HGLOBAL loaded = ::LoadResource(module, found);
        const auto* bytes = static_cast<const std::uint8_t*>(loaded ? ::LockResource(loaded) : nullptr);
        if (!bytes) break;
        TSkinCollectionItem& item = items.Add();
        item.SetName(name);
        item.ReadData(bytes, ::SizeofResource(module, found));
    }
}

}  // namespace vc
