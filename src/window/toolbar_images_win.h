#pragma once
// The tool bar's image strips at the size a screen's scale needs. The runtime
// carries the ten images at every size of kToolBarImageSizes as compressed
// bitmap files named TOOLBAR_IMAGES or TOOLBAR_IMAGES_DISABLED followed by
// "_" and the size (TOOLBAR_IMAGES_24).
#include <windows.h>
#include <commctrl.h>

#include "common/scale.h"

namespace vc {

constexpr int kToolBarImageSizes[] = {24, 30, 36, 48};

// The strip `resource` of `module` in the size nearest the scale's as a list
// of square images; the 24-pixel strip when that size is missing or damaged;
// null when the module carries neither. The caller owns the list.
HIMAGELIST LoadToolBarImages(HMODULE module, const char* resource, const Scale& scale) noexcept;

}  // namespace vc
