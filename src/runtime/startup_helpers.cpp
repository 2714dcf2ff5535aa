#include "runtime/startup_helpers.h"

#include "common/errors.h"
#include "common/text.h"

namespace vc {

std::string BookRelativePath(std::string_view recordedPath) {
    // Split at every backslash keeping empty pieces, so "C:\a\" has three.
    std::size_t pieces = 1;
    for (char c : recordedPath)
        if (c == '\\') ++pieces;
    const auto folderIndex = static_cast<long long>(pieces) - 2;
    if (folderIndex < 0) throw EListError(folderIndex);

    const auto fileStart = recordedPath.rfind('\\');
    const auto folderStart = folderIndex == 0 ? 0 : recordedPath.rfind('\\', fileStart - 1) + 1;
    const auto folder = recordedPath.substr(folderStart, fileStart - folderStart);
    return WithTrailingBackslash(folder) + ExtractFileName(recordedPath);
}

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
