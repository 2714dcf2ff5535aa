// vellumcast-art's files as Windows reads them, and its command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "art.h"
#include "art_formats.h"

namespace vc::art {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t U16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}

std::int32_t S32(const Bytes& b, std::size_t at) {
    return static_cast<std::int32_t>(U32(b, at));
}

std::uint32_t BigU32(const Bytes& b, std::size_t at) {
    return (static_cast<std::uint32_t>(b.at(at)) << 24) | (b.at(at + 1) << 16) | (b.at(at + 2) << 8) | b.at(at + 3);
}

const Bytes kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

// A BITMAPINFOHEADER at `at`, 32 bits per pixel, BI_RGB.
void ExpectInfoHeader(const Bytes& b, std::size_t at, int width, int height, std::uint32_t image_bytes) {
    EXPECT_EQ(U32(b, at), 40u);
    EXPECT_EQ(S32(b, at + 4), width);
    EXPECT_EQ(S32(b, at + 8), height);
    EXPECT_EQ(U16(b, at + 12), 1u);   // planes
    EXPECT_EQ(U16(b, at + 14), 32u);  // bits per pixel
    EXPECT_EQ(U32(b, at + 16), 0u);   // BI_RGB
    EXPECT_EQ(U32(b, at + 20), image_bytes);
    EXPECT_EQ(U32(b, at + 32), 0u);  // no palette
}

TEST(ArtFiles, ToolbarBitmapIsA32BitBottomUpDibWithStraightAlpha) {
    for (const bool disabled : {false, true}) {
        SCOPED_TRACE(disabled ? "disabled" : "normal");
        const Bytes bmp = ToolbarBmp(disabled);
        constexpr std::uint32_t kPixels = 240 * 24 * 4;
        ASSERT_EQ(bmp.size(), 54 + kPixels);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(U32(bmp, 2), bmp.size());
        EXPECT_EQ(U32(bmp, 6), 0u);
        EXPECT_EQ(U32(bmp, 10), 54u);
        // A positive height: rows bottom-up, the form every loader takes.
        ExpectInfoHeader(bmp, 14, 240, 24, kPixels);

        const Raster strip = RenderToolbarStrip(disabled);
        int partial = 0, brighter_than_alpha = 0;
        for (int row = 0; row < 24; ++row) {
            for (int x = 0; x < 240; ++x) {
                const std::size_t at = 54 + (static_cast<std::size_t>(row) * 240 + x) * 4;
                const Pixel& p = strip.At(x, 23 - row);
                ASSERT_EQ(bmp[at], p.b);
                ASSERT_EQ(bmp[at + 1], p.g);
                ASSERT_EQ(bmp[at + 2], p.r);
                ASSERT_EQ(bmp[at + 3], p.a);
                partial += p.a > 0 && p.a < 255;
                // Straight alpha: a colour may be brighter than its alpha,
                // which premultiplied pixels never are.
                brighter_than_alpha += std::max({p.r, p.g, p.b}) > p.a;
                if (p.a == 0) {
                    ASSERT_EQ(p, Pixel{}) << "clear pixels are stored as zero";
                }
            }
        }
        EXPECT_GT(partial, 0);  // anti-aliased edges
        EXPECT_GT(brighter_than_alpha, 0);
    }
}

struct IconEntry {
    int size;
    std::uint32_t bytes;
    std::uint32_t offset;
};

TEST(ArtFiles, IconHoldsFiveEntriesWithBitmapsMasksAndAPng) {
    const Bytes ico = ProgramIco();
    ASSERT_GE(ico.size(), 6u + 5 * 16);
    EXPECT_EQ(U32(ico, 0), 0x10000u);  // reserved, then 1: an icon
    ASSERT_EQ(U16(ico, 4), 5u);

    std::vector<IconEntry> entries;
    std::uint32_t expected_offset = 6 + 5 * 16;
    for (std::size_t i = 0; i < 5; ++i) {
        const std::size_t at = 6 + i * 16;
        const int size = kProgramIconSizes[i];
        SCOPED_TRACE(size);
        EXPECT_EQ(ico[at], size == 256 ? 0 : size);
        EXPECT_EQ(ico[at + 1], size == 256 ? 0 : size);
        EXPECT_EQ(U16(ico, at + 2), 0u);  // no palette, reserved
        EXPECT_EQ(U32(ico, at + 4), 0x200001u);  // one plane, 32 bits
        const IconEntry entry{size, U32(ico, at + 8), U32(ico, at + 12)};
        // The images follow the directory back to back, to the end of the file.
        EXPECT_EQ(entry.offset, expected_offset);
        expected_offset = entry.offset + entry.bytes;
        entries.push_back(entry);
    }
    EXPECT_EQ(expected_offset, ico.size());

    // Masks: one bit a pixel, rows padded to four bytes.
    const std::map<int, std::uint32_t> mask_bytes = {{16, 64}, {24, 96}, {32, 128}, {48, 384}};
    for (const IconEntry& entry : entries) {
        SCOPED_TRACE(entry.size);
        const Bytes body(ico.begin() + entry.offset, ico.begin() + entry.offset + entry.bytes);
        const Raster image = RenderProgramIcon(entry.size);
        if (entry.size == 256) {
            ASSERT_TRUE(std::equal(kPngSignature.begin(), kPngSignature.end(), body.begin()));
            EXPECT_EQ(BigU32(body, 16), 256u);  // the header's width
            EXPECT_EQ(body, EncodePng(image));
            continue;
        }
        const std::uint32_t pixels = static_cast<std::uint32_t>(entry.size * entry.size * 4);
        ASSERT_EQ(entry.bytes, 40 + pixels + mask_bytes.at(entry.size));
        // The height counts the colour rows and the mask rows.
        ExpectInfoHeader(body, 0, entry.size, entry.size * 2, pixels + mask_bytes.at(entry.size));
        // The mask's rows bottom-up like the colours', a set bit where the icon is clear.
        int clear = 0;
        for (int row = 0; row < entry.size; ++row) {
            for (int x = 0; x < entry.size; ++x) {
                const bool clear_bit = (body[40 + pixels + row * MaskRowBytes(entry.size) + x / 8] >> (7 - x % 8)) & 1;
                ASSERT_EQ(clear_bit, image.At(x, entry.size - 1 - row).a == 0) << "mask at " << x << "," << row;
                clear += clear_bit;
            }
        }
        EXPECT_GT(clear, 0);
    }
}

TEST(ArtFiles, IconEncoderRefusesImagesWindowsCannotHold) {
    EXPECT_THROW(EncodeIco({Raster(16, 24)}), std::invalid_argument);
    EXPECT_THROW(EncodeIco({Raster(257, 257)}), std::invalid_argument);
    EXPECT_THROW(EncodeIco({Raster(0, 0)}), std::invalid_argument);
    // A width that is not a multiple of 32 still gets whole padded mask rows.
    const Bytes ico = EncodeIco({Raster(33, 33)});
    EXPECT_EQ(U32(ico, 6 + 8), 40u + 33 * 33 * 4 + 8 * 33);
}

TEST(ArtFiles, OutputIsTheSameEveryTime) {
    EXPECT_EQ(ProgramIco(), ProgramIco());
    EXPECT_EQ(PreviewPng(), PreviewPng());
}

TEST(ArtCommandLine, WrongCommandLinesShowUsageAndWriteNothing) {
    const fs::path dir = fs::temp_directory_path() / ("vc_art_" + std::to_string(std::random_device()()));
    fs::create_directories(dir);
    const std::string x = (dir / "x").string();
    const std::string usage =
        "usage: vellumcast-art toolbar OUT.bmp [--disabled] [--size 24|30|36|48] [--compressed]\n"
        "       vellumcast-art icon OUT.ico\n"
        "       vellumcast-art preview OUT.png\n";
    const std::vector<std::vector<std::string>> wrong = {
        {}, {"toolbar"}, {"toolbar", x, "--grey"}, {"toolbar", x, "--disabled", "--disabled"}, {"Icon", x},
    };
    for (const auto& args : wrong) {
        std::ostringstream err;
        EXPECT_EQ(RunArt(args, err), 2) << args.size();
        EXPECT_EQ(err.str(), usage);
    }
    EXPECT_TRUE(fs::is_empty(dir));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace vc::art
