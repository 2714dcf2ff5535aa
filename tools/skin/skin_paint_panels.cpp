#include "skin_paint.h"

namespace vc::theme {
void PaintTabs(const Theme&, SkinBuilder&) {}
void PaintStatusBar(const Theme&, SkinBuilder&) {}
void PaintCombo(const Theme&, SkinBuilder&) {}
void PaintGroupBox(const Theme&, SkinBuilder&) {}
void PaintToolBars(const Theme&, SkinBuilder&) {}
}  // namespace vc::theme
