#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/input_file.h"
#include "art_canvas.h"
#include "lzh_encoder.h"
#include "preview.h"
#include "skin/format/skin_reader.h"
#include "skin_container_writer.h"
#include "scratch_folder.h"
#include "skin_tool.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

class SkinTool : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root_ / "blue");
    }

    void Write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    static std::string Read(const fs::path& path) { return ReadWholeFile(path.string()).value_or(""); }
    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunSkinTool(args, out_, err_);
    }
    // A run that must fail with exit code 1 and say `message`.
    ::testing::AssertionResult Refused(std::vector<std::string> args, const std::string& message) {
        const int code = Run(std::move(args));
        if (code == 1 && err_.str().find(message) != std::string::npos) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "exit code " << code << ", messages:\n" << err_.str();
    }
    void MakeSkin() {
        Write(root_ / "blue" / "Blue.ini", "[TitlebarSkin]\r\nSkinName=Deep Blue\r\n[Personality]\r\nTop=top.bmp\r\n");
        Write(root_ / "blue" / "Top.bmp", "BM" + std::string(5000, '\x40'));
        Write(root_ / "blue" / "button.BMP", "BM\x01\x02\x03");
        Write(root_ / "blue" / "notes.txt", "not packed");
    }

    // A skin of members named exactly so (refused names too), each "BM" and its index.
    std::string RawSkin(const std::vector<std::string>& names, const char* file,
                        std::uint32_t version = TSkinReader::kVersion) {
        std::string text;
        for (const std::string& name : names) text += (text.empty() ? "" : "\r\n") + name;
        std::vector<std::uint8_t> container;
        for (const std::uint32_t word : {version, static_cast<std::uint32_t>(text.size()), 0u, 0u})
            PutLE32(container, word);
        container.insert(container.end(), text.begin(), text.end());
        for (std::size_t i = 0; i < names.size(); ++i) PutLE32(container, 3);
        for (std::size_t i = 0; i < names.size(); ++i)
            container.insert(container.end(), {'B', 'M', static_cast<std::uint8_t>('0' + i)});
        const auto stream = lzh::Compress(container);
        Write(root_ / file, std::string(stream.begin(), stream.end()));
        return (root_ / file).string();
    }

    ScratchFolder scratch_{"vc_skin_tool_"};
    const fs::path root_ = scratch_.Path();
    std::ostringstream out_, err_;
};

TEST_F(SkinTool, PacksDescribesAndUnpacksAFolder) {
    MakeSkin();
    const std::string skin = (root_ / "blue.vcskin").string();
    ASSERT_EQ(Run({"pack", (root_ / "blue").string(), "-o", skin}), 0) << err_.str();
    EXPECT_FALSE(fs::exists(skin + ".partial"));

    ASSERT_EQ(Run({"describe", skin}), 0) << err_.str();
    const std::string text = out_.str();
    EXPECT_NE(text.find("members: 3\n"), std::string::npos);
    EXPECT_NE(text.find("skin name: Deep Blue\n"), std::string::npos);

    ASSERT_EQ(Run({"unpack", skin, (root_ / "out").string()}), 0) << err_.str();
    EXPECT_EQ(Read(root_ / "out" / "top.bmp"), Read(root_ / "blue" / "Top.bmp"));
}

TEST_F(SkinTool, RefusesBadFoldersWithoutWritingAnything) {
    const std::string skin = (root_ / "x.vcskin").string();
    EXPECT_TRUE(Refused({"pack", (root_ / "blue").string(), "-o", skin}, "no skin definition (.ini) in"));

    MakeSkin();
    Write(root_ / "blue" / "second.INI", "[x]");
    EXPECT_TRUE(Refused({"pack", (root_ / "blue").string(), "-o", skin}, "more than one skin definition"));
    EXPECT_NE(err_.str().find(": Blue.ini, second.INI"), std::string::npos) << err_.str();
    fs::remove(root_ / "blue" / "second.INI");

    Write(root_ / "blue" / "top.BMP", "BMx");
    EXPECT_TRUE(Refused({"pack", (root_ / "blue").string(), "-o", skin}, "are the same member name in a skin"));
    fs::remove(root_ / "blue" / "top.BMP");

    Write(root_ / "blue" / "fake.bmp", "GIF89a");
    EXPECT_TRUE(Refused({"pack", (root_ / "blue").string(), "-o", skin}, "fake.bmp' is not a Windows bitmap"));
    fs::remove(root_ / "blue" / "fake.bmp");

    EXPECT_TRUE(Refused({"pack", (root_ / "blue").string(), "-o", (root_ / "missing" / "x.vcskin").string()},
                        "cannot create"));
    EXPECT_FALSE(fs::exists(skin));
    EXPECT_FALSE(fs::exists(root_ / "missing"));

    EXPECT_EQ(Run({"pack", (root_ / "blue").string()}), 2);
    EXPECT_NE(err_.str().find("usage:"), std::string::npos);
}

TEST_F(SkinTool, OldDamagedAndUnsafeSkinsAreRefusedWithoutOutput) {
    EXPECT_TRUE(Refused({"unpack", RawSkin({"a.bmp"}, "old.vcskin", 19984), "-o", (root_ / "o1").string()},
                        "This is Older Skin File Please update to new version !"));
    EXPECT_FALSE(fs::exists(root_ / "o1"));

    fs::create_directories(root_ / "full");
    Write(root_ / "full" / "keep.txt", "k");
    EXPECT_TRUE(Refused({"unpack", RawSkin({"a.bmp"}, "ok.vcskin"), (root_ / "full").string()}, "is not empty"));

    Write(root_ / "cut.vcskin", std::string(4, '\0'));
    EXPECT_EQ(Run({"preview", (root_ / "cut.vcskin").string(), (root_ / "cut.png").string()}), 1);
    EXPECT_EQ(err_.str(), "vellumcast-skin: '" + (root_ / "cut.vcskin").string() +
                              "': Damaged skin file: the header needs 16 bytes, the skin holds 0\n");
    EXPECT_FALSE(fs::exists(root_ / "cut.png"));
}

// pack -o onto the folder's own definition overwrote it.
TEST_F(SkinTool, PackOntoItsOwnDefinitionIsRefusedAndOtherFilesNeedForce) {
    MakeSkin();
    const std::string definition = Read(root_ / "blue" / "Blue.ini");
    EXPECT_EQ(Run({"pack", (root_ / "blue").string(), "-o", (root_ / "blue" / "." / "Blue.ini").string()}), 1);
    EXPECT_EQ(err_.str(), "vellumcast-skin: refusing to write \"" + (root_ / "blue" / "." / "Blue.ini").string() +
                              "\": it is the skin definition \"" + (root_ / "blue" / "Blue.ini").string() +
                              "\" itself, which would be lost; choose another output\n");
    EXPECT_EQ(Read(root_ / "blue" / "Blue.ini"), definition);

    const fs::path notes = root_ / "notes.vcskin";
    Write(notes, "my notes");
    EXPECT_EQ(Run({"pack", (root_ / "blue").string(), "-o", notes.string()}), 1);
    EXPECT_EQ(err_.str(), "vellumcast-skin: refusing to write over \"" + notes.string() +
                              "\": it exists and is not a skin; give --force to replace it\n");
    EXPECT_EQ(Read(notes), "my notes");
    ASSERT_EQ(Run({"pack", (root_ / "blue").string(), "-o", notes.string(), "--force"}), 0) << err_.str();
    ASSERT_EQ(Run({"pack", (root_ / "blue").string(), "-o", notes.string()}), 0) << "an earlier skin is replaced";
}

// generate -o THEME overwrote its theme; --folder overwrote files without a word.
TEST_F(SkinTool, GenerateKeepsItsThemeAndTheFilesOfItsFolder) {
    const fs::path theme = root_ / "harbour.theme";
    fs::copy_file(fs::path(VC_SOURCE_DIR) / "skins" / "00-harbour.theme", theme);
    const std::string text = Read(theme);

    EXPECT_EQ(Run({"generate", theme.string(), "-o", theme.string()}), 1);
    EXPECT_EQ(err_.str(), "vellumcast-skin: refusing to write \"" + theme.string() + "\": it is the theme \"" +
                              theme.string() + "\" itself, which would be lost; choose another output\n");
    EXPECT_EQ(Read(theme), text);

    const fs::path members = root_ / "members";
    fs::create_directories(members);
    Write(members / "skin.ini", "the author's own definition");
    const fs::path skin = root_ / "h.vcskin";
    EXPECT_EQ(Run({"generate", theme.string(), "-o", skin.string(), "--folder", members.string()}), 1);
    EXPECT_EQ(err_.str(), "vellumcast-skin: refusing to write over \"" + (members / "skin.ini").string() +
                              "\": it exists and is not a member of a skin generated there before; give --force to "
                              "replace it\n");
    EXPECT_EQ(Read(members / "skin.ini"), "the author's own definition");
    EXPECT_FALSE(fs::exists(skin)) << "nothing is written before every file is cleared";

    ASSERT_EQ(Run({"generate", theme.string(), "-o", skin.string(), "--folder", members.string(), "--force"}), 0)
        << err_.str();
    EXPECT_EQ(Run({"generate", theme.string(), "-o", skin.string(), "--folder", members.string()}), 0)
        << "a folder generated before is replaced: " << err_.str();
}

// unpack wrote members to NAME.partial first, losing a member of that name.
TEST_F(SkinTool, UnpackKeepsMembersNamedLikeTemporaryFiles) {
    const std::string skin = RawSkin({"a.bmp", "a.bmp.partial", ".a.bmp.tmp"}, "partial.vcskin");
    ASSERT_EQ(Run({"unpack", skin, "-o", (root_ / "out").string()}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "unpacked 3 members into " + (root_ / "out").string() + "\n");
    EXPECT_EQ(Read(root_ / "out" / "a.bmp"), "BM0");
    EXPECT_EQ(Read(root_ / "out" / "a.bmp.partial"), "BM1");
    EXPECT_EQ(Read(root_ / "out" / ".a.bmp.tmp"), "BM2");
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "out"), fs::directory_iterator()), 3);
}

// Two names differing only after a zero byte were written to one file.
TEST_F(SkinTool, UnpackRefusesMemberNamesNoFolderCanHold) {
    const struct {
        std::vector<std::string> names;
        std::string message;
    } cases[] = {
        {{"ok.bmp", std::string("a\0x.bmp", 7), std::string("a\0y.bmp", 7)},
         "member 1 ('a\\x00x.bmp') holds a zero byte, which would cut its name short and hide the members after it"},
        {{"bell\a.bmp"}, "member 0 ('bell\\x07.bmp') holds a control character"},
        {{"a.bmp", "../x.bmp"}, "member 1 ('../x.bmp') holds a path separator"},
        {{"c:x.bmp"}, "member 0 ('c:x.bmp') holds a colon (a drive letter or a stream name)"},
        {{"what?.bmp"}, "member 0 ('what?.bmp') holds a character Windows refuses in file names"},
        {{"con.bmp"}, "member 0 ('con.bmp') is a reserved device name on Windows"},
        {{"Lpt9.ini"}, "member 0 ('lpt9.ini') is a reserved device name on Windows"},
        {{"trailing."}, "member 0 ('trailing.') ends in a dot or a blank, which Windows drops"},
        {{"Top.bmp", "x.bmp", "TOP.BMP"}, "member 2 ('top.bmp') is the same file name as member 0 ('top.bmp')"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string skin = RawSkin(c.names, "hostile.vcskin");
        const fs::path folder = root_ / ("o" + std::to_string(n++));
        EXPECT_EQ(Run({"unpack", skin, "-o", folder.string()}), 1);
        EXPECT_EQ(err_.str(), "vellumcast-skin: refusing to unpack '" + skin + "': " + c.message + "\n");
        EXPECT_FALSE(fs::exists(folder));
        EXPECT_FALSE(fs::exists(root_ / "x.bmp"));
    }
    EXPECT_EQ(WhyNotAFileName("console.bmp"), "") << "only the device names themselves";
    EXPECT_EQ(WhyNotAFileName("com10.bmp"), "");
}

// A preview's pixels reach the PNG in the art encoder's blue-green-red order.
TEST_F(SkinTool, PreviewPicturesKeepTheirColoursAndSizesAreChecked) {
    Bitmap picture(2, 1, MakePixel(255, 0, 128));
    picture.ScanLine(0)[1] = MakePixel(10, 20, 30);
    art::Raster expected(2, 1);
    expected.At(0, 0) = art::Pixel{128, 0, 255, 255};
    expected.At(1, 0) = art::Pixel{30, 20, 10, 255};
    EXPECT_EQ(EncodePng(picture), art::EncodePng(expected));
    EXPECT_TRUE(
        Refused({"preview", "x.vcskin", "x.png", "--size", "0x5"}, "'0x5' is not a size between 1x1 and 8192x8192"));
}

}  // namespace
}  // namespace vc
