// Not a fuzzer: the fuzz stage's proof that a sanitizer report stops a
// target built with the fuzzers' flags. Every input overflows a signed
// integer; a stage that lets this run end well would let real faults through.
#include <climits>
#include <cstddef>
#include <cstdint>

namespace {
volatile int largest = INT_MAX;
volatile int sink = 0;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t size) {
    sink = largest + static_cast<int>(size % 2) + 1;
    return 0;
}
