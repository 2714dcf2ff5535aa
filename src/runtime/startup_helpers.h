#pragma once
// Small pure operations of the window start-up.
#include <cstdint>
#include <string>
#include <string_view>

namespace vc {

// A recorded page path reduced to its last folder name, a backslash and its
// file name: "C:\Books\calc\index.htm" gives "calc\index.htm". Only that folder
// travels with the e-book. A path without a backslash has no folder piece and
// raises the list error for index -1.
std::string BookRelativePath(std::string_view recordedPath);

// The platform's pseudo-random generator: a 32-bit linear congruence whose
// draws below a range take the high half of seed * range.
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint32_t seed) : seed_(seed) {}
    int Next(int range);

private:
    std::uint32_t seed_;
};

// Six capital letters drawn from a generator seeded with `seed` (the start-up
// takes the high-resolution performance counter).
std::string MakeRandomName(std::uint64_t seed);

}  // namespace vc
