#pragma once

#include <array>

#include "art_canvas.h"

namespace vc::art {

// The tool button images, in the order of the window's image list.
enum class ToolbarImage { kHome, kBack, kForward, kRefresh, kStop, kAbout, kExit, kPrint, kSelectAll, kCopy, kSearch };

constexpr int kToolbarImageCount = 11;
constexpr int kToolbarImageSize = 24;

struct ToolbarIcon {
    ToolbarImage image;
    const char* name;
    void (*draw)(Canvas& canvas);
};

// Every image with its drawing, in image-list order. Drawings are written on
// a 24-unit grid, y downwards.
const std::array<ToolbarIcon, kToolbarImageCount>& ToolbarIcons();

}  // namespace vc::art
