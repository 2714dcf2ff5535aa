#pragma once

#include "art_canvas.h"

// The shared palette and stroke widths of every drawing: change a colour
// here and the whole set follows.
namespace vc::art::palette {

constexpr Colour kInk = Hex(0x3A4A5F);         // outlines of objects
constexpr Colour kPaper = Hex(0xFFFFFF);       // pages, glyphs on badges
constexpr Colour kPaperShade = Hex(0xDCE4EE);  // a second sheet, door panels
constexpr Colour kSlate = Hex(0x66778C);       // machine bodies
constexpr Colour kBlue = Hex(0x2F7DE1);        // navigation
constexpr Colour kBlueDeep = Hex(0x1D5BB0);
constexpr Colour kSky = Hex(0xB9D5FA);         // highlight, selection
constexpr Colour kGreen = Hex(0x23A36A);       // reload
constexpr Colour kRed = Hex(0xE0474C);         // stop, leave
constexpr Colour kRedDeep = Hex(0xB5343A);
constexpr Colour kAmber = Hex(0xF2A531);       // warm accents: door, ribbon
constexpr Colour kViolet = Hex(0x7657D6);      // information

constexpr double kOutline = 1.5;  // objects drawn in outline
constexpr double kGlyph = 2.0;    // arrows and marks, on badges or free
constexpr double kBold = 2.75;    // free-standing strokes that carry the icon

}  // namespace vc::art::palette
