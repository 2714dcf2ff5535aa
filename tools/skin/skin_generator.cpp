#include "skin_generator.h"

#include <fstream>

#include "lzh_encoder.h"
#include "skin_paint.h"
#include "skin_tool.h"

namespace vc::theme {
namespace {

// The sixteen named colours every painter of the runtime may fall back on.
void WriteColours(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    const char* s = "Colours";
    skin.Set(s, "WindowText", ColourTriple(p.window_text));
    skin.Set(s, "ButtonFace", ColourTriple(p.face));
    skin.Set(s, "Scrollbar", ColourTriple(p.track));
    skin.Set(s, "HilightText", ColourTriple(p.highlight_text));
    skin.Set(s, "Hilight", ColourTriple(p.highlight));
    skin.Set(s, "Menubar", ColourTriple(p.menu_bar));
    skin.Set(s, "Menu", ColourTriple(p.menu));
    skin.Set(s, "MenuText", ColourTriple(p.menu_text));
    skin.Set(s, "ButtonText", ColourTriple(p.face_text));
    skin.Set(s, "ButtonHilight", ColourTriple(p.light));
    skin.Set(s, "Buttonlight", ColourTriple(Mix(p.face, p.light, 0.5)));
    skin.Set(s, "ButtonShadow", ColourTriple(p.shadow));
    skin.Set(s, "ButtonDkShadow", ColourTriple(p.dark_shadow));
    skin.Set(s, "MenuBarText", ColourTriple(p.menu_bar_text));
    skin.Set(s, "TitleTextActive", ColourTriple(p.caption_text));
    skin.Set(s, "TitleTextNoActive", ColourTriple(p.inactive_text));
}

// The palette painters point at with NormalColour and friends, in this
// order (the index is the position): text, hot text, text on the accent, accent,
// caption text, inactive caption text, menu text, highlight text.
void WritePalette(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    const Colour entries[] = {p.face_text, Mix(p.face_text, p.accent, 0.6), p.accent_text, p.accent,
                              p.caption_text, p.inactive_text, p.menu_text, p.highlight_text};
    int index = 0;
    for (const Colour& c : entries) skin.Set("Colour" + std::to_string(index++), "color", ColourTriple(c));
}

// Ten colours offered to colour pickers: the theme's own, then tints.
void WriteCustomColours(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    const Colour entries[] = {p.accent,      p.caption_top,  p.caption_bottom,         p.frame,
                              p.highlight,   p.face,         Lighter(p.accent, 0.5),   Darker(p.accent, 0.3),
                              p.menu_bar,    p.close};
    int index = 0;
    for (const Colour& c : entries) skin.Set("Customcolors", "Color" + std::to_string(index++), ColourTriple(c));
}

}  // namespace

GeneratedSkin GenerateSkin(const Theme& theme, const std::string& source) {
    SkinBuilder skin;
    skin.Set("TitlebarSkin", "SkinName", theme.name);
    skin.Set("Fonts", "FontHeight", theme.shape.font_height);
    WriteColours(theme, skin);
    WritePalette(theme, skin);
    WriteCustomColours(theme, skin);
    PaintFrame(theme, skin);
    PaintCaptionButtons(theme, skin);
    PaintMenus(theme, skin);
    PaintPushButtons(theme, skin);
    PaintScrollBars(theme, skin);
    PaintProgress(theme, skin);
    PaintTrackBars(theme, skin);
    PaintUpDown(theme, skin);
    PaintTabs(theme, skin);
    PaintStatusBar(theme, skin);
    PaintCombo(theme, skin);
    PaintGroupBox(theme, skin);
    PaintToolBars(theme, skin);

    GeneratedSkin result;
    result.name = theme.name;
    result.members = skin.Members({theme.name + ": " + theme.look,
                                   "Drawn by vellumcast-skin generate from " + source + "; edit the theme, not this file."});
    const std::vector<std::uint8_t> container = BuildSkinContainer(result.members);
    result.decompressed = container.size();
    result.stream = lzh::Compress(container);
    return result;
}

}  // namespace vc::theme
