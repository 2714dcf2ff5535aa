#pragma once
// The skins the runtime carries: one RCDATA resource per store item, named
// like the item ("SkinItem0", "SkinItem1", ...).
#include <windows.h>

#include "skin/format/skin_store.h"

namespace vc {

// Fills the store with the module's skin items, in order, up to the first
// number that has no resource. A runtime built without skins gets an empty
// store, in which every skin number loads nothing.
void LoadStoredSkins(TSkinStore& store, HMODULE module = nullptr);

}  // namespace vc
