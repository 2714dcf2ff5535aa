#include "theme.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

#include "common/text.h"
#include "common/ini_file.h"

namespace vc::theme {
namespace {

// Collects the mistakes of one theme so that all are reported together.
class Reader {
public:
    Reader(std::string_view text, const std::string& source) : ini_(text), source_(source) {}

    std::string Text(const char* section, const char* key, bool required = true) {
        std::string value = ini_.ReadString(section, key);
        if (value.empty() && required) Fail(section, key, "is missing");
        return value;
    }

    Colour ReadColour(const char* key) {
        const std::string value = Text("Palette", key);
        if (value.empty()) return {};
        unsigned rgb = 0;
        if (value.size() != 7 || value[0] != '#' ||
            !std::all_of(value.begin() + 1, value.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
            Fail("Palette", key, "'" + value + "' is not a colour (#RRGGBB)");
            return {};
        }
        rgb = static_cast<unsigned>(std::stoul(value.substr(1), nullptr, 16));
        return art::Hex(rgb);
    }

    int Number(const char* key, int low, int high, int fallback) {
        const std::string value = ini_.ReadString("Shape", key);
        if (value.empty()) return fallback;
        int number = 0;
        try {
            std::size_t used = 0;
            number = std::stoi(value, &used);
            if (used != value.size()) throw std::invalid_argument(value);
        } catch (const std::exception&) {
            Fail("Shape", key, "'" + value + "' is not a whole number");
            return fallback;
        }
        if (number < low || number > high) {
            Fail("Shape", key, value + " is outside " + std::to_string(low) + ".." + std::to_string(high));
            return fallback;
        }
        return number;
    }

    // One of `names` (any letter case); its position in the list.
    int Choice(const char* section, const char* key, const std::vector<const char*>& names, int fallback) {
        const std::string value = ini_.ReadString(section, key);
        if (value.empty()) return fallback;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (SameText(value, names[i])) return static_cast<int>(i);
        }
        std::string allowed;
        for (const char* name : names) allowed += (allowed.empty() ? "" : ", ") + std::string(name);
        Fail(section, key, "'" + value + "' is not one of " + allowed);
        return fallback;
    }

    void Fail(const char* section, const char* key, const std::string& what) {
        mistakes_ += source_ + ": [" + section + "] " + key + ": " + what + "\n";
    }

    void ThrowIfWrong() const {
        if (!mistakes_.empty()) throw ThemeError(mistakes_.substr(0, mistakes_.size() - 1));
    }

private:
    IniFile ini_;
    std::string source_;
    std::string mistakes_;
};

Palette ReadPalette(Reader& r) {
    Palette p;
    p.face = r.ReadColour("Face");
    p.face_text = r.ReadColour("FaceText");
    p.light = r.ReadColour("Light");
    p.shadow = r.ReadColour("Shadow");
    p.dark_shadow = r.ReadColour("DarkShadow");
    p.window = r.ReadColour("Window");
    p.window_text = r.ReadColour("WindowText");
    p.highlight = r.ReadColour("Highlight");
    p.highlight_text = r.ReadColour("HighlightText");
    p.menu = r.ReadColour("Menu");
    p.menu_text = r.ReadColour("MenuText");
    p.menu_bar = r.ReadColour("MenuBar");
    p.menu_bar_text = r.ReadColour("MenuBarText");
    p.caption_top = r.ReadColour("CaptionTop");
    p.caption_bottom = r.ReadColour("CaptionBottom");
    p.caption_text = r.ReadColour("CaptionText");
    p.inactive_top = r.ReadColour("InactiveTop");
    p.inactive_bottom = r.ReadColour("InactiveBottom");
    p.inactive_text = r.ReadColour("InactiveText");
    p.frame = r.ReadColour("Frame");
    p.frame_inactive = r.ReadColour("FrameInactive");
    p.outline = r.ReadColour("Outline");
    p.accent = r.ReadColour("Accent");
    p.accent_text = r.ReadColour("AccentText");
    p.control_top = r.ReadColour("ControlTop");
    p.control_bottom = r.ReadColour("ControlBottom");
    p.control_border = r.ReadColour("ControlBorder");
    p.close = r.ReadColour("Close");
    p.track = r.ReadColour("Track");
    return p;
}

Shape ReadShape(Reader& r) {
    Shape s;
    s.title_height = r.Number("TitleHeight", 16, 48, s.title_height);
    s.border = r.Number("Border", 2, 12, s.border);
    s.corner_radius = r.Number("CornerRadius", 0, 16, s.corner_radius);
    s.bottom_radius = r.Number("BottomRadius", 0, 16, s.bottom_radius);
    s.control_radius = r.Number("ControlRadius", 0, 10, s.control_radius);
    s.caption_button_width = r.Number("CaptionButtonWidth", 12, 40, s.caption_button_width);
    s.caption_button_height = r.Number("CaptionButtonHeight", 10, 48, s.caption_button_height);
    s.caption_button_gap = r.Number("CaptionButtonGap", 0, 10, s.caption_button_gap);
    s.caption_button_shape = static_cast<ButtonShape>(
        r.Choice("Shape", "CaptionButtonShape", {"square", "rounded", "circle"}, 1));
    s.caption_buttons_left = r.Choice("Shape", "CaptionButtonsLeft", {"no", "yes"}, 0) == 1;
    s.text_alignment = r.Choice("Shape", "TextAlignment", {"left", "right", "centre"}, 0);
    s.font_height = r.Number("FontHeight", 8, 30, s.font_height);
    if (s.caption_button_height > s.title_height) {
        r.Fail("Shape", "CaptionButtonHeight", "is taller than the title bar");
    }
    if (s.corner_radius > s.title_height / 2) {
        r.Fail("Shape", "CornerRadius", "is more than half the title bar's height");
    }
    if (s.bottom_radius > 0 && s.bottom_radius > s.border * 2) {
        r.Fail("Shape", "BottomRadius", "is more than twice the border");
    }
    return s;
}

}  // namespace

Theme ParseTheme(std::string_view text, const std::string& source) {
    Reader r(text, source);
    Theme theme;
    theme.name = r.Text("Skin", "Name");
    theme.look = r.Text("Skin", "Look");
    theme.finish = static_cast<Finish>(r.Choice("Skin", "Finish", {"flat", "bevel", "glass", "satin"}, 1));
    theme.texture = static_cast<Texture>(r.Choice("Skin", "Texture", {"none", "lines", "dots", "grain"}, 0));
    theme.shape = ReadShape(r);
    theme.palette = ReadPalette(r);
    r.ThrowIfWrong();
    return theme;
}

Theme LoadTheme(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ThemeError("cannot read theme " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return ParseTheme(text.str(), file.filename().string());
}

Colour Mix(Colour a, Colour b, double amount) {
    const double t = std::clamp(amount, 0.0, 1.0);
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour Lighter(Colour c, double amount) { return Mix(c, Colour{1, 1, 1, c.a}, amount); }

Colour Darker(Colour c, double amount) { return Mix(c, Colour{0, 0, 0, c.a}, amount); }

Colour WithAlpha(Colour c, double alpha) {
    c.a = alpha;
    return c;
}

double Luminance(Colour c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

}  // namespace vc::theme
