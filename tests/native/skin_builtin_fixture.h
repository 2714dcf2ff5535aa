#pragma once
// Built-in skin number N as the build made it, loaded into skin data.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "skin/look/skin_data.h"

namespace vc::skintest {

constexpr int kBuiltInSkins = 16;

inline std::unique_ptr<TSkinData> BuiltInSkin(int number) {
    const auto path = std::filesystem::path(VC_BUILTIN_SKINS_DIR) / ("SkinItem" + std::to_string(number) + ".vcskin");
    std::ifstream in(path, std::ios::binary);
    auto data = std::make_unique<TSkinData>();
    data->SkinStream().assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    EXPECT_TRUE(data->LoadSkin()) << path;
    return data;
}

// A test run once for each built-in skin, instantiated with AllBuiltInSkins.
class EachBuiltInSkin : public testing::TestWithParam<int> {
protected:
    const std::unique_ptr<TSkinData> loaded = BuiltInSkin(GetParam());
    TSkinData& data = *loaded;
};

inline auto AllBuiltInSkins() { return testing::Range(0, kBuiltInSkins); }
inline std::string SkinNumber(const testing::TestParamInfo<int>& info) { return "skin" + std::to_string(info.param); }

}  // namespace vc::skintest
