#pragma once
// The code page Windows gives the 8-bit API (CP_ACP).
#include <windows.h>

#include "common/code_page.h"

namespace vc {

const CodePage& SystemCodePage();

}  // namespace vc
