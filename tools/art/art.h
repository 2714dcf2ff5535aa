#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "art_raster.h"
#include "art_toolbar_icons.h"

namespace vc::art {

// The sizes of the program icon, in the order of the icon file's entries.
constexpr std::array<int, 5> kProgramIconSizes = {16, 24, 32, 48, 256};

// The sizes the runtime carries the tool bar images in: 24 pixels for a
// 96-DPI screen, and the sizes of the usual larger scales (125 %, 150 %,
// 200 %); the runtime picks the nearest. The drawings are vectors on a
// 24-unit grid, so every size is drawn, not enlarged.
constexpr std::array<int, 4> kToolbarImageSizes = {24, 30, 36, 48};

Raster RenderToolbarImage(ToolbarImage image, int size = kToolbarImageSize);
// The ten images side by side, each in its own square cell of `size`
// pixels: 240 × 24 at the base size.
Raster RenderToolbarStrip(bool disabled, int size = kToolbarImageSize);
Raster RenderProgramIcon(int size);

std::vector<std::uint8_t> ToolbarBmp(bool disabled, int size = kToolbarImageSize);
std::vector<std::uint8_t> ProgramIco();
// Everything at a glance, for people: the strips enlarged and at their own
// size, the icon sizes, on a light and a dark background.
std::vector<std::uint8_t> PreviewPng();

// The command line without the program name. Writes the file, or an error
// to `err`; returns the exit code (0 done, 1 the file could not be written,
// 2 a wrong command line).
int RunArt(const std::vector<std::string>& args, std::ostream& err);

}  // namespace vc::art
