#pragma once
// A skin's theme: the readable source the generator draws a built-in skin
// from. One INI-style file per skin names its colours, its geometry and the
// way its surfaces are lit; everything else (bitmaps, definition) follows.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "art_canvas.h"

namespace vc::theme {

using art::Colour;

class ThemeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How raised surfaces (buttons, thumbs, title bars) are lit.
enum class Finish {
    Flat,   // one colour, a hairline border
    Bevel,  // light top-left edge, dark bottom-right edge
    Glass,  // a bright upper half over a deeper lower half
    Satin,  // a soft vertical gradient, no edges
};

// The outline of a caption button.
enum class ButtonShape { Square, Rounded, Circle };

// A pattern laid over the title bar and the menu band.
enum class Texture { None, Lines, Dots, Grain };

struct Palette {
    Colour face, face_text;                // dialogs, push buttons
    Colour light, shadow, dark_shadow;     // bevels of controls
    Colour window, window_text;            // edit fields, panes
    Colour highlight, highlight_text;      // selected menu items
    Colour menu, menu_text;                // pop-up menus
    Colour menu_bar, menu_bar_text;        // the menu band
    Colour caption_top, caption_bottom, caption_text;     // active title bar
    Colour inactive_top, inactive_bottom, inactive_text;  // inactive title bar
    Colour frame, frame_inactive, outline;  // frame sides and their outer line
    Colour accent, accent_text;            // progress, checks, hot thumbs
    Colour control_top, control_bottom, control_border;  // raised controls
    Colour close;                          // tint of the close button
    Colour track;                          // scroll and slider channels
};

struct Shape {
    int title_height = 26;     // 16..48
    int border = 4;            // left, right and bottom frame widths, 2..12
    int corner_radius = 0;     // top frame corners, 0..16; above 0 shapes the window
    int bottom_radius = 0;     // bottom frame corners, 0..16
    int control_radius = 3;    // buttons, thumbs, tabs, 0..10
    int caption_button_width = 19;   // 12..40
    int caption_button_height = 17;  // 10..(title height)
    int caption_button_gap = 2;      // 0..10
    ButtonShape caption_button_shape = ButtonShape::Rounded;
    bool caption_buttons_left = false;  // close, maximise, minimise at the left
    int text_alignment = 0;    // caption text: 0 left, 1 right, 2 centre
    int font_height = 14;      // caption font, 8..30
};

struct Theme {
    std::string name;     // the skin's display name
    std::string look;     // one line on what it looks like
    Finish finish = Finish::Bevel;
    Texture texture = Texture::None;
    Shape shape;
    Palette palette;
};

// Reads a theme; `source` names it in messages. Every mistake is reported
// at once in one ThemeError, a line each: "<source>: [Palette] Face: 'x' is
// not a colour (#RRGGBB)".
Theme ParseTheme(std::string_view text, const std::string& source);
Theme LoadTheme(const std::filesystem::path& file);

// Colour arithmetic the painters share. `amount` runs from 0 to 1.
Colour Mix(Colour a, Colour b, double amount);
Colour Lighter(Colour c, double amount);
Colour Darker(Colour c, double amount);
Colour WithAlpha(Colour c, double alpha);
// Perceived brightness, 0 (black) to 1 (white).
double Luminance(Colour c);

}  // namespace vc::theme
