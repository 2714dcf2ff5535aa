#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "lzh_encoder.h"
#include "skin/skin_reader.h"
#include "skin_container_writer.h"
#include "skin_tool.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

class SkinTool : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("vc_skin_tool_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "blue");
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunSkinTool(args, out_, err_);
    }
    void MakeSkin() {
        Write(root_ / "blue" / "Blue.ini", "[TitlebarSkin]\r\nSkinName=Deep Blue\r\n[Personality]\r\nTop=top.bmp\r\n");
        Write(root_ / "blue" / "Top.bmp", "BM" + std::string(5000, '\x40'));
        Write(root_ / "blue" / "button.BMP", "BM\x01\x02\x03");
        Write(root_ / "blue" / "notes.txt", "not packed");
    }

    fs::path root_;
    std::ostringstream out_, err_;
};

TEST_F(SkinTool, PacksDescribesAndUnpacksAFolder) {
    MakeSkin();
    const std::string skin = (root_ / "blue.vcskin").string();
    ASSERT_EQ(Run({"pack", (root_ / "blue").string(), "-o", skin}), 0) << err_.str();
    EXPECT_NE(out_.str().find("packed 3 members"), std::string::npos);
    EXPECT_FALSE(fs::exists(skin + ".partial"));

    ASSERT_EQ(Run({"describe", skin}), 0) << err_.str();
    const std::string text = out_.str();
    EXPECT_NE(text.find("version: 20000\n"), std::string::npos);
    EXPECT_NE(text.find("members: 3\n"), std::string::npos);
    EXPECT_NE(text.find("skin name: Deep Blue\n"), std::string::npos);
    EXPECT_NE(text.find("definition: blue.ini\n"), std::string::npos);
    EXPECT_NE(text.find("sections (2): TitlebarSkin, Personality\n"), std::string::npos);
    // The definition first, then the bitmaps in name order, names lower-cased.
    const auto ini = text.find("  blue.ini"), top = text.find("  top.bmp"), button = text.find("  button.bmp");
    ASSERT_NE(top, std::string::npos);
    EXPECT_LT(ini, top);
    EXPECT_LT(top, button);  // "Top.bmp" sorts before "button.BMP"
    EXPECT_EQ(Run({"info", skin}), 0);

    ASSERT_EQ(Run({"unpack", skin, (root_ / "out").string()}), 0) << err_.str();
    EXPECT_EQ(Read(root_ / "out" / "top.bmp"), Read(root_ / "blue" / "Top.bmp"));
    EXPECT_EQ(Read(root_ / "out" / "button.bmp"), "BM\x01\x02\x03");
    EXPECT_EQ(Read(root_ / "out" / "blue.ini"), Read(root_ / "blue" / "Blue.ini"));
    EXPECT_FALSE(fs::exists(root_ / "out" / "notes.txt"));
    // The runtime's reader opens what the tool wrote.
    const std::string stream = Read(skin);
    TSkinReader reader;
    ASSERT_TRUE(reader.Load(reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size()));
    EXPECT_EQ(reader.Count(), 3u);
}

TEST_F(SkinTool, RefusesBadFoldersWithoutWritingAnything) {
    const std::string skin = (root_ / "x.vcskin").string();
    EXPECT_EQ(Run({"pack", (root_ / "blue").string(), "-o", skin}), 1);
    EXPECT_NE(err_.str().find("no skin definition (.ini) in"), std::string::npos) << err_.str();

    MakeSkin();
    Write(root_ / "blue" / "second.INI", "[x]");
    EXPECT_EQ(Run({"pack", (root_ / "blue").string(), "-o", skin}), 1);
    EXPECT_NE(err_.str().find("more than one skin definition"), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find(": Blue.ini, second.INI"), std::string::npos) << err_.str();
    fs::remove(root_ / "blue" / "second.INI");

    Write(root_ / "blue" / "top.BMP", "BMx");
    EXPECT_EQ(Run({"pack", (root_ / "blue").string(), "-o", skin}), 1);
    EXPECT_NE(err_.str().find("are the same member name in a skin"), std::string::npos) << err_.str();
    fs::remove(root_ / "blue" / "top.BMP");

    Write(root_ / "blue" / "fake.bmp", "GIF89a");
    EXPECT_EQ(Run({"pack", (root_ / "blue").string(), "-o", skin}), 1);
    EXPECT_NE(err_.str().find("fake.bmp' is not a Windows bitmap"), std::string::npos) << err_.str();
    fs::remove(root_ / "blue" / "fake.bmp");

    EXPECT_EQ(Run({"pack", (root_ / "blue").string(), "-o", (root_ / "missing" / "x.vcskin").string()}), 1);
    EXPECT_NE(err_.str().find("cannot create"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(skin));
    EXPECT_FALSE(fs::exists(root_ / "missing"));

    EXPECT_EQ(Run({"pack", (root_ / "blue").string()}), 2);
    EXPECT_NE(err_.str().find("usage:"), std::string::npos);
}

TEST_F(SkinTool, UnpackRefusesOldDamagedAndUnsafeSkins) {
    auto pack = [&](const std::vector<std::uint8_t>& container, const char* name) {
        const auto stream = lzh::Compress(container);
        Write(root_ / name, std::string(stream.begin(), stream.end()));
        return (root_ / name).string();
    };
    std::vector<std::uint8_t> old = BuildSkinContainer({{"a.bmp", {'B', 'M'}}});
    old[0] = 0x10;  // version 19984
    EXPECT_EQ(Run({"unpack", pack(old, "old.vcskin"), "-o", (root_ / "o1").string()}), 1);
    EXPECT_NE(err_.str().find("This is Older Skin File Please update to new version !"), std::string::npos)
        << err_.str();
    EXPECT_FALSE(fs::exists(root_ / "o1"));

    std::vector<std::uint8_t> cut = BuildSkinContainer({{"a.bmp", {'B', 'M', 'x'}}});
    cut.pop_back();
    EXPECT_EQ(Run({"describe", pack(cut, "cut.vcskin")}), 1);
    EXPECT_NE(err_.str().find("Damaged skin file: member 'a.bmp' ends at byte 3"), std::string::npos) << err_.str();

    std::vector<std::uint8_t> sneaky;
    PutLE32(sneaky, 20000);
    PutLE32(sneaky, 9);
    PutLE32(sneaky, 0);
    PutLE32(sneaky, 0);
    for (char c : std::string("../x.bmp\n")) sneaky.push_back(static_cast<std::uint8_t>(c));
    PutLE32(sneaky, 0);
    EXPECT_EQ(Run({"unpack", pack(sneaky, "sneaky.vcskin"), (root_ / "o2").string()}), 1);
    EXPECT_NE(err_.str().find("is not a plain file name"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(root_ / "x.bmp"));

    fs::create_directories(root_ / "full");
    Write(root_ / "full" / "keep.txt", "k");
    EXPECT_EQ(Run({"unpack", pack(BuildSkinContainer({{"a.bmp", {'B', 'M'}}}), "ok.vcskin"), (root_ / "full").string()}),
              1);
    EXPECT_NE(err_.str().find("is not empty"), std::string::npos) << err_.str();
}

}  // namespace
}  // namespace vc
