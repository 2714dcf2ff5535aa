#pragma once
// The painters of generated skins. Each draws one family of skin objects
// from a theme with anti-aliased vector shapes and writes the definition
// sections that describe them; the shared pieces (lit surfaces, arrows,
// textures) keep the families of one skin looking alike.
#include "art_canvas.h"
#include "skin_builder.h"
#include "theme.h"

namespace vc::theme {

// The states a control surface is drawn in.
enum class State { Normal, Hot, Pressed, Disabled, Focused };

struct SurfaceColours {
    Colour top;
    Colour bottom;
    Colour border;
};

// Colours of a raised control (push button, thumb, arrow button) in a state.
SurfaceColours ControlColours(const Theme& theme, State state);

// A rectangle path (x, y, w, h), its corners rounded by `radius` when that
// is above 0; a radius above half the shorter side is taken as that half.
void BoxPath(art::Canvas& canvas, double x, double y, double w, double h, double radius);

// A raised surface with the theme's finish, inside (x, y, w, h) in pixels,
// with rounded corners of `radius`.
void PaintSurface(art::Canvas& canvas, double x, double y, double w, double h, double radius,
                  const SurfaceColours& colours, Finish finish);

// A sunken well (edit fields, tracks, progress frames).
void PaintWell(art::Canvas& canvas, double x, double y, double w, double h, double radius, Colour fill,
               const Theme& theme);

enum class Direction { Left, Right, Up, Down };

// A filled arrow head centred on (cx, cy), `size` pixels across.
void PaintArrow(art::Canvas& canvas, double cx, double cy, double size, Direction direction, Colour colour);

// The theme's texture over (x, y, w, h), drawn in `ink` (use a faint alpha).
void PaintTexture(art::Canvas& canvas, double x, double y, double w, double h, Texture texture, Colour ink);

// A pixel of the art library from a theme colour (alpha ignored).
art::Pixel ArtPixel(Colour colour);

// "R G B" as the definition writes colour triples.
std::string ColourTriple(Colour colour);

// The painters, in the order the generator calls them.
void PaintFrame(const Theme& theme, SkinBuilder& skin);           // Personality sides, caption text
void PaintCaptionButtons(const Theme& theme, SkinBuilder& skin);  // BUTTON* sections, MDICONTROLS
void PaintMenus(const Theme& theme, SkinBuilder& skin);           // menu band, MenuItem, MenuBackground
void PaintPushButtons(const Theme& theme, SkinBuilder& skin);     // Buttons with check and radio
void PaintScrollBars(const Theme& theme, SkinBuilder& skin);      // Scrollbar, tracks, thumbs
void PaintProgress(const Theme& theme, SkinBuilder& skin);        // Progress, Progress.Chunk
void PaintTrackBars(const Theme& theme, SkinBuilder& skin);       // Track, TRACKVERT, six thumbs
void PaintUpDown(const Theme& theme, SkinBuilder& skin);          // UpDown.Horz, UpDown.Vert
void PaintTabs(const Theme& theme, SkinBuilder& skin);            // Tabs, Tab.Pane
void PaintStatusBar(const Theme& theme, SkinBuilder& skin);       // StatusBarEdges, ExtraImages
void PaintCombo(const Theme& theme, SkinBuilder& skin);           // ComboButton, SunkEdge
void PaintGroupBox(const Theme& theme, SkinBuilder& skin);        // GroupBox, GroupBoxEdge
void PaintToolBars(const Theme& theme, SkinBuilder& skin);        // ToolBars, Headerbar

}  // namespace vc::theme
