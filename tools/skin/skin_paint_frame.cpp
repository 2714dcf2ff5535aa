#include "skin_paint.h"

namespace vc::theme {
void PaintFrame(const Theme&, SkinBuilder&) {}
void PaintCaptionButtons(const Theme&, SkinBuilder&) {}
void PaintMenus(const Theme&, SkinBuilder&) {}
}  // namespace vc::theme
