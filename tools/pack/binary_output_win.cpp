#include "binary_output.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace vc::pack {
void SetBinaryStdout() { _setmode(_fileno(stdout), _O_BINARY); }
}  // namespace vc::pack
