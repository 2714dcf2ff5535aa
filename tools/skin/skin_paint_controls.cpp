#include "skin_paint.h"

namespace vc::theme {
void PaintPushButtons(const Theme&, SkinBuilder&) {}
void PaintScrollBars(const Theme&, SkinBuilder&) {}
void PaintProgress(const Theme&, SkinBuilder&) {}
void PaintTrackBars(const Theme&, SkinBuilder&) {}
void PaintUpDown(const Theme&, SkinBuilder&) {}
}  // namespace vc::theme
