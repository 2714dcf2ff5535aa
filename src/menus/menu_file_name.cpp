#include "menus/menu_file_name.h"

namespace vc {

int RandomGenerator::Next(int range) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<int>((static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(range)) >> 32);
}

std::string MakeRandomName(std::uint64_t seed) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    RandomGenerator random(static_cast<std::uint32_t>(seed));
    std::string name;
    for (int i = 0; i < 6; ++i) name.push_back(kLetters[random.Next(26)]);
    return name;
}

}  // namespace vc
