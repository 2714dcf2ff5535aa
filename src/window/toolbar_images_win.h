#pragma once
// The tool bar's image strips at the size a screen's scale needs. The runtime
// carries the ten images drawn at 24 pixels (bitmaps named TOOLBAR_IMAGES and
// TOOLBAR_IMAGES_DISABLED) and at the larger sizes of kToolBarImageSizes
// (compressed bitmap files, the name followed by "_" and the size).
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
