// The skin tool's theme reader on any text: a theme is read whole or refused
// with the tool's own error, one line per mistake, and what it reads keeps
// the geometry inside the ranges the painters are drawn for.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

// A fuzzing build makes no tools, so the tool's reader is compiled in here.
#include "../../tools/skin/theme.cpp"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vc::theme::Theme theme;
    try {
        theme = vc::theme::ParseTheme(text, "fuzz.theme");
    } catch (const vc::theme::ThemeError& error) {
        const std::string_view what = error.what();
        Check(what.rfind("fuzz.theme: [", 0) == 0 && what.back() != '\n');
        return 0;
    }
    const vc::theme::Shape& s = theme.shape;
    Check(!theme.name.empty() && !theme.look.empty());
    Check(s.title_height >= 16 && s.title_height <= 48 && s.border >= 2 && s.border <= 12);
    Check(s.corner_radius >= 0 && s.corner_radius <= s.title_height / 2);
    Check(s.bottom_radius >= 0 && s.bottom_radius <= 16 && (s.bottom_radius == 0 || s.bottom_radius <= 2 * s.border));
    Check(s.caption_button_height >= 10 && s.caption_button_height <= s.title_height);
    Check(s.caption_button_width >= 12 && s.caption_button_width <= 40);
    Check(s.font_height >= 8 && s.font_height <= 30 && s.text_alignment >= 0 && s.text_alignment <= 2);
    for (const vc::theme::Colour c : {theme.palette.face, theme.palette.close, theme.palette.track})
        Check(c.r >= 0 && c.r <= 1 && c.g >= 0 && c.g <= 1 && c.b >= 0 && c.b <= 1);
    return 0;
}
