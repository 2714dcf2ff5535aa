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

inline std::unique_ptr<TSkinData> BuiltInSkin(int number) {
    const auto path = std::filesystem::path(VC_BUILTIN_SKINS_DIR) / ("SkinItem" + std::to_string(number) + ".vcskin");
    std::ifstream in(path, std::ios::binary);
    auto data = std::make_unique<TSkinData>();
    data->SkinStream().assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    EXPECT_TRUE(data->LoadSkin()) << path;
    return data;
}

}  // namespace vc::skintest
