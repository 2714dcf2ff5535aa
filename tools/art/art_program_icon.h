#pragma once

#include "art_canvas.h"

namespace vc::art {

// The program icon: an open book on a rounded tile, drawn on a 32-unit grid
// onto a canvas of `size` pixels. Small sizes leave out the details that
// would only blur.
void DrawProgramIcon(Canvas& canvas, int size);

}  // namespace vc::art
