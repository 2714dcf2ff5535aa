#include "binary_output.h"

namespace vc::pack {
// POSIX streams make no difference between text and binary.
void SetBinaryStdout() {}
}  // namespace vc::pack
