#pragma once
// The program's one way from a colour value to the screen's colour: system
// colours (0xFF000000 plus an index) follow the user's current scheme.
#include "common/values.h"

namespace vc::ui {

// The platform's colour of a system-colour index (GetSysColor), 0x00BBGGRR.
Colour SystemColour(int index) noexcept;

// 0x00BBGGRR for any colour value: 0xFF000000 + index through SystemColour,
// any other value with its top byte dropped.
Colour ResolveSystemColour(Colour colour);

}  // namespace vc::ui
