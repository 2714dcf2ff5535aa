#include "ui/system_colour_win.h"

#include <windows.h>

namespace vc::ui {

Colour SystemColour(int index) noexcept { return ::GetSysColor(index); }

Colour ResolveSystemColour(Colour colour) { return ResolveColour(colour, &SystemColour); }

}  // namespace vc::ui
