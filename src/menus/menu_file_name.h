#pragma once
// The name of the menu definition file: six random capital letters.
#include <cstdint>
#include <string>

namespace vc {

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
