#include <gtest/gtest.h>

#include <string>

#include "../../tools/skin/lzh_encoder.h"
#include "../../tools/skin/skin_container_writer.h"
#include "skin/format/lzh.h"
#include "skin/format/skin_reader.h"
#include "error_text.h"

namespace vc {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A container laid out by hand, so that its fields can lie.
Bytes RawContainer(std::uint32_t version, const std::string& names, const std::vector<std::uint32_t>& sizes,
                   const std::string& data, std::uint32_t name_length = 0xFFFFFFFF) {
    Bytes out;
    PutLE32(out, version);
    PutLE32(out, name_length == 0xFFFFFFFF ? static_cast<std::uint32_t>(names.size()) : name_length);
    PutLE32(out, 0xDEADBEEF);  // reserved words hold anything
    PutLE32(out, 0x12345678);
    out.insert(out.end(), names.begin(), names.end());
    for (std::uint32_t size : sizes) PutLE32(out, size);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::string ErrorOf(const Bytes& container) {
    return testing::ErrorText<ESkinFileError>([&] { TSkinReader().LoadContainer(container); });
}

TEST(SkinReader, HandsOutMembersByNameRejectsWrongVersionsAndSizesAndTheWriterRefusesBadNames) {
    const Bytes container = BuildSkinContainer(
        {{"Skin.INI", B("[TitlebarSkin]\r\nSkinName=Blue")}, {"Top.bmp", B("BMtop")}, {"top.bmp", B("BMsecond")}});
    TSkinReader reader;
    ASSERT_TRUE(reader.Load(lzh::Compress(container)));
    EXPECT_EQ(reader.Names(), (StringList{"skin.ini", "top.bmp", "top.bmp"}));

    Bytes out = B("old");
    EXPECT_TRUE(reader.GetFile("TOP.BMP", out));
    EXPECT_EQ(out, B("BMtop"));  // the first of two equal names
    EXPECT_FALSE(reader.GetFile("left.bmp", out));
    EXPECT_TRUE(out.empty());

    std::string name = "unchanged";
    EXPECT_TRUE(reader.FindFile(".ini", out, name));
    EXPECT_EQ(name, "skin.ini");
    // The fragment is compared as given, against lower-case names.
    EXPECT_FALSE(reader.FindFile(".INI", out, name));
    EXPECT_EQ(name, "skin.ini");
    EXPECT_TRUE(out.empty());

    // A final line break ends the name text; bytes after the last member are kept apart.
    ASSERT_TRUE(reader.LoadContainer(RawContainer(20000, "a.bmp\r\nb.bmp\r\n", {2, 3}, "xxyyyTRAILER")));
    EXPECT_EQ(reader.Count(), 2u);
    EXPECT_EQ(reader.TrailingBytes(), 7u);
    reader.GetFile("b.bmp", out);
    EXPECT_EQ(out, B("yyy"));

    TSkinReader kept;
    ASSERT_TRUE(kept.LoadContainer(RawContainer(20000, "a.bmp", {1}, "z")));
    int shown = 0;
    kept.ShowMessage = [&](const std::string&) { ++shown; };
    EXPECT_FALSE(kept.LoadContainer(RawContainer(19999, "", {}, "", 0x7FFFFFFF)));
    EXPECT_EQ(shown, 1);
    Bytes member;
    EXPECT_TRUE(kept.GetFile("a.bmp", member));

    EXPECT_EQ(ErrorOf(RawContainer(20000, "a.bmp", {1}, "z", 1000)),
              "Damaged skin file: the member names take 1000 bytes, only 10 follow the header");
    EXPECT_EQ(ErrorOf(RawContainer(20000, "a.bmp\r\nb.bmp", {1}, "")),
              "Damaged skin file: the size table of 2 members does not fit");
    EXPECT_EQ(ErrorOf(RawContainer(20000, "a.bmp\r\nb.bmp", {2, 3}, "abcd")),
              "Damaged skin file: member 'b.bmp' ends at byte 5 of the data, only 4 are present");
    // Sizes whose 32-bit sum wraps around must not pass.
    EXPECT_EQ(ErrorOf(RawContainer(20000, "a\r\nb", {0xFFFFFFFF, 2}, "ab")),
              "Damaged skin file: member 'a' ends at byte 4294967295 of the data, only 2 are present");
    std::string names;
    for (int i = 0; i < 1001; ++i) names += "m" + std::to_string(i) + "\r\n";
    EXPECT_EQ(ErrorOf(RawContainer(20000, names, std::vector<std::uint32_t>(1001, 0), "")), "no error");
    names += "m1001\r\n";
    EXPECT_EQ(ErrorOf(RawContainer(20000, names, std::vector<std::uint32_t>(1002, 0), "")),
              "Damaged skin file: 1002 members, more than the 1001 a skin may hold");

    EXPECT_THROW(TSkinReader().Load(Bytes{0xF0, 0xFF, 0xFF, 0xFF}), ElzhException);  // a declared size of 4 GiB

    EXPECT_THROW(BuildSkinContainer({{"a\r\nb.bmp", {}}}), std::invalid_argument);
    EXPECT_THROW(BuildSkinContainer({{"dir\\a.bmp", {}}}), std::invalid_argument);
    EXPECT_THROW(BuildSkinContainer({{"", {}}}), std::invalid_argument);
    EXPECT_THROW(BuildSkinContainer({}), std::invalid_argument);
}

}  // namespace
}  // namespace vc
