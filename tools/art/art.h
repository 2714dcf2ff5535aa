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

Raster RenderToolbarImage(ToolbarImage image);
// The ten images side by side, 240 × 24, each in its own 24-pixel cell.
Raster RenderToolbarStrip(bool disabled);
Raster RenderProgramIcon(int size);

std::vector<std::uint8_t> ToolbarBmp(bool disabled);
std::vector<std::uint8_t> ProgramIco();
// Everything at a glance, for people: the strips enlarged and at their own
// size, the icon sizes, on a light and a dark background.
std::vector<std::uint8_t> PreviewPng();

// The command line without the program name. Writes the file, or an error
// to `err`; returns the exit code (0 done, 1 the file could not be written,
// 2 a wrong command line).
int RunArt(const std::vector<std::string>& args, std::ostream& err);

}  // namespace vc::art
