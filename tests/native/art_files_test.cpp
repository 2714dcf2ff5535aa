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

// A BITMAPINFOHEADER at `at`, 32 bits per pixel, BI_RGB.
void ExpectInfoHeader(const Bytes& b, std::size_t at, int width, int height, std::uint32_t image_bytes) {
    EXPECT_EQ(U32(b, at), 40u);
    EXPECT_EQ(S32(b, at + 4), width);
    EXPECT_EQ(S32(b, at + 8), height);
    EXPECT_EQ(U16(b, at + 12), 1u);   // planes
    EXPECT_EQ(U16(b, at + 14), 32u);  // bits per pixel
    EXPECT_EQ(U32(b, at + 16), 0u);   // BI_RGB
    EXPECT_EQ(U32(b, at + 20), image_bytes);
}

TEST(ArtFiles, ToolbarBitmapIsA32BitBottomUpDibWithStraightAlpha) {
    const Bytes bmp = ToolbarBmp(false);
    constexpr int kStripWidth = 24 * 11;  // eleven images of 24
    constexpr std::uint32_t kPixels = kStripWidth * 24 * 4;
    ASSERT_EQ(bmp.size(), 54 + kPixels);
    EXPECT_EQ(U16(bmp, 0), 0x4D42u);  // "BM"
    EXPECT_EQ(U32(bmp, 2), bmp.size());
    EXPECT_EQ(U32(bmp, 10), 54u);
    // A positive height: rows bottom-up, the form every loader takes.
    ExpectInfoHeader(bmp, 14, kStripWidth, 24, kPixels);

    const Raster strip = RenderToolbarStrip(false);
    int brighter_than_alpha = 0;
    for (int row = 0; row < 24; ++row) {
        for (int x = 0; x < kStripWidth; ++x) {
            const std::size_t at = 54 + (static_cast<std::size_t>(row) * kStripWidth + x) * 4;
            const Pixel& p = strip.At(x, 23 - row);
            ASSERT_EQ(U32(bmp, at), p.b | p.g << 8 | p.r << 16 | std::uint32_t{p.a} << 24) << x << "," << row;
            // Straight alpha: brighter than its alpha, as premultiplied never is.
            brighter_than_alpha += std::max({p.r, p.g, p.b}) > p.a;
            if (p.a == 0) {
                ASSERT_EQ(p, Pixel{}) << "clear pixels are stored as zero";
            }
        }
    }
    EXPECT_GT(brighter_than_alpha, 0);
}

TEST(ArtFiles, IconHoldsFiveEntriesWithBitmapsMasksAndAPng) {
    const Bytes ico = ProgramIco();
    EXPECT_EQ(U32(ico, 0), 0x10000u);  // reserved, then 1: an icon
    ASSERT_EQ(U16(ico, 4), 5u);
    // Masks: one bit a pixel, rows padded to four bytes.
    const std::map<int, std::uint32_t> mask_bytes = {{16, 64}, {24, 96}, {32, 128}, {48, 384}};
    std::uint32_t expected_offset = 6 + 5 * 16;
    for (std::size_t i = 0; i < 5; ++i) {
        const std::size_t at = 6 + i * 16;
        const int size = kProgramIconSizes[i];
        SCOPED_TRACE(size);
        EXPECT_EQ(U16(ico, at), size == 256 ? 0u : size * 0x101u);
        EXPECT_EQ(U32(ico, at + 4), 0x200001u);  // one plane, 32 bits
        const std::uint32_t bytes = U32(ico, at + 8), offset = U32(ico, at + 12);
        // The images follow the directory back to back, to the end of the file.
        ASSERT_EQ(offset, expected_offset);
        ASSERT_LE(offset + bytes, ico.size());
        expected_offset = offset + bytes;
        const Bytes body(ico.begin() + offset, ico.begin() + offset + bytes);
        const Raster image = RenderProgramIcon(size);
        if (size == 256) {
            EXPECT_EQ(U32(body, 0), 0x474E5089u) << "a PNG";
            EXPECT_EQ(body, EncodePng(image));
            continue;
        }
        const std::uint32_t pixels = static_cast<std::uint32_t>(size * size * 4);
        ASSERT_EQ(bytes, 40 + pixels + mask_bytes.at(size));
        // The height counts the colour rows and the mask rows.
        ExpectInfoHeader(body, 0, size, size * 2, pixels + mask_bytes.at(size));
        // The mask's first bit: the icon's bottom-left corner is clear.
        EXPECT_EQ(body[40 + pixels] >> 7, image.At(0, size - 1).a == 0 ? 1 : 0);
    }
    EXPECT_EQ(expected_offset, ico.size());
}

TEST(ArtFiles, IconEncoderRefusesImagesWindowsCannotHold) {
    EXPECT_THROW(EncodeIco({Raster(16, 24)}), std::invalid_argument);
    EXPECT_THROW(EncodeIco({Raster(257, 257)}), std::invalid_argument);
    EXPECT_THROW(EncodeIco({Raster(0, 0)}), std::invalid_argument);
    // A width that is not a multiple of 32 still gets whole padded mask rows.
    const Bytes ico = EncodeIco({Raster(33, 33)});
    EXPECT_EQ(U32(ico, 6 + 8), 40u + 33 * 33 * 4 + 8 * 33);
}

TEST(ArtCommandLine, WrongCommandLinesShowUsageAndWriteNothing) {
    const fs::path x = fs::temp_directory_path() / ("vc_art_" + std::to_string(std::random_device()()));
    const std::string usage =
        "usage: vellumcast-art toolbar OUT.bmp [--disabled] [--size 24|30|36|48] [--compressed]\n"
        "       vellumcast-art icon OUT.ico\n"
        "       vellumcast-art preview OUT.png\n";
    const std::vector<std::vector<std::string>> wrong = {
        {}, {"toolbar"}, {"toolbar", x.string(), "--grey"}, {"toolbar", x.string(), "--disabled", "--disabled"},
        {"Icon", x.string()},
    };
    for (const auto& args : wrong) {
        std::ostringstream err;
        EXPECT_EQ(RunArt(args, err), 2) << args.size();
        EXPECT_EQ(err.str(), usage);
    }
    EXPECT_FALSE(fs::exists(x));
    // A file that cannot be written is said so.
    std::ostringstream err;
    EXPECT_EQ(RunArt({"preview", fs::temp_directory_path().string()}, err), 1);
    EXPECT_EQ(err.str(), "vellumcast-art: cannot write " + fs::temp_directory_path().string() + "\n");
}

}  // namespace
}  // namespace vc::art
