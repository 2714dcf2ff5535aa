#include <gtest/gtest.h>

#include "skin/format/bitmap_file.h"
#include "skin/look/skin_images.h"
#include "error_text.h"

namespace vc {
namespace {

// A bitmap file's two headers, field by field (a negative height is top-down).
std::vector<std::uint8_t> BmpHeader(std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                                    std::uint32_t compression, std::uint32_t colours, std::uint32_t image_bytes) {
    std::vector<std::uint8_t> out = {'B', 'M'};
    const std::uint32_t offset = 54 + 4 * colours;
    const std::pair<std::uint32_t, int> fields[] = {
        {offset + image_bytes, 4}, {0, 4}, {offset, 4},      {40, 4}, {width, 4}, {height, 4}, {1, 2},
        {bits, 2}, {compression, 4},       {image_bytes, 4}, {0, 4},  {0, 4},     {colours, 4}, {0, 4}};
    for (const auto& [v, n] : fields)
        for (int i = 0; i < n; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return out;
}

TEST(SkinDataImages, ColourHelpersGradientsAndBitmapFilesGoodAndDamaged) {
    EXPECT_EQ(Blend(0xFFFFFF, 0x000000, 99), 0xFCFCFCu);   // (255*99 + 50) / 100
    EXPECT_EQ(Blend(0xFFFFFF, 0x000000, 100), 0x1A1A1Au);  // per mille from 100: (255*100 + 500) / 1000

    EXPECT_EQ(SaturationMeasure(0xA0A0A0), 0);
    EXPECT_EQ(SaturationMeasure(0x9F9F9F), 200);  // all channels below 160
    EXPECT_EQ(SaturationMeasure(0x6464C8), 128);  // 127.5: halves go to even

    const auto row = TGradientCache::Compute(0x000000, 0x0A00FF, 4);
    ASSERT_EQ(row.size(), 4u);
    EXPECT_EQ(row[1], 0x030055u);  // red (255 + 1) div 3, blue (10 + 1) div 3
    EXPECT_EQ(row[3], 0x0A00FFu);
    // Falling channels truncate towards zero: one short of the end.
    EXPECT_EQ(TGradientCache::Compute(0x0000FF, 0x000000, 3)[1], 0x000080u);  // 255 + (-255 + 1) div 2
    EXPECT_EQ(TGradientCache::Compute(0x00000A, 0x000000, 3)[2], 0x000001u);  // 10 + (-20 + 1) div 2
    EXPECT_EQ(TGradientCache::Compute(0x000010, 0x000020, 1)[0], 0x000018u);

    // Sixteen rows are kept; the seventeenth takes the oldest slot.
    TGradientCache cache;
    for (int n = 1; n <= 16; ++n) cache.Row(0, 0xFFFFFF, n);
    cache.Row(0, 0xFFFFFF, 1);
    EXPECT_EQ(cache.Computed(), 16);
    cache.Row(0, 0xFFFFFF, 17);  // takes slot 0, the row of length 1
    cache.Row(0, 0xFFFFFF, 2);
    EXPECT_EQ(cache.Computed(), 17);
    cache.Row(0, 0xFFFFFF, 1);
    EXPECT_EQ(cache.Computed(), 18);
    cache.Row(0xFF, 0xFFFFFF, 2);  // other ends, other row
    EXPECT_EQ(cache.Computed(), 19);

    // FillGradient paints only the lines within the clip box.
    Bitmap b(4, 6, MakePixel(1, 1, 1));
    const ColourResolver resolve = [](Colour c) { return IsSystemColour(c) ? 0x0000FFu : c; };
    FillGradient(b, Rect{0, 1, 4, 5}, kSystemColourFlag + 15, 0x000000, true, cache, resolve, Rect{0, 0, 4, 4});
    EXPECT_EQ(b.At(0, 0), MakePixel(1, 1, 1));
    EXPECT_EQ(b.At(3, 1), MakePixel(255, 0, 0));
    EXPECT_EQ(b.At(0, 4), MakePixel(1, 1, 1));  // outside the clip box
    FillGradient(b, Rect{0, 0, 4, 6}, 0x000000, 0x0000FF, false, cache, resolve);
    EXPECT_EQ(b.At(0, 5), MakePixel(0, 0, 0));
    EXPECT_EQ(b.At(3, 0), MakePixel(255, 0, 0));
    const Bitmap before = b;
    FillGradient(b, Rect{2, 2, 2, 5}, 0, 0xFFFFFF, false, cache, resolve);
    FillGradient(b, Rect{10, 10, 20, 20}, 0, 0xFFFFFF, true, cache, resolve);
    EXPECT_EQ(b, before);

    Bitmap m(3, 2, MakePixel(255, 0, 255));
    m.Set(0, 0, MakePixel(10, 20, 31));
    m.Set(2, 1, MakePixel(254, 0, 255));
    EXPECT_EQ(Flipped(m).At(2, 0), MakePixel(254, 0, 255));
    ReplaceMagenta(m, 0x030201);
    EXPECT_EQ(m.At(1, 0), MakePixel(1, 2, 3));
    EXPECT_EQ(m.At(2, 1), MakePixel(254, 0, 255));  // only pure magenta
    GreyScale(m);
    EXPECT_EQ(m.At(0, 0), MakePixel(20, 20, 20));
    EXPECT_EQ(m.At(2, 1), MakePixel(169, 169, 169));

    auto eight = BmpHeader(3, -2, 8, 0, 2, 8);
    for (std::uint8_t v : {0, 0, 255, 0, /**/ 255, 0, 255, 0}) eight.push_back(v);  // red, magenta
    for (std::uint8_t v : {0, 1, 0, 0, /**/ 1, 1, 0, 0}) eight.push_back(v);
    const Bitmap e = DecodeBitmapFile(eight);
    EXPECT_EQ(e.At(0, 0), MakePixel(255, 0, 0));
    EXPECT_EQ(e.At(0, 1), MakePixel(255, 0, 255));

    // 1 bit, bottom-up: the first stored row is the bottom one.
    auto mono = BmpHeader(10, 2, 1, 0, 2, 8);
    for (std::uint8_t v : {0, 0, 0, 0, 255, 255, 255, 0}) mono.push_back(v);
    for (std::uint8_t v : {0x80, 0x40, 0, 0, /**/ 0xFF, 0xC0, 0, 0}) mono.push_back(v);
    const Bitmap one_bit = DecodeBitmapFile(mono);
    EXPECT_EQ(one_bit.At(0, 1), MakePixel(255, 255, 255));
    EXPECT_EQ(one_bit.At(1, 1), MakePixel(0, 0, 0));
    EXPECT_EQ(one_bit.At(9, 0), MakePixel(255, 255, 255));  // the second byte of a row

    // Run-length coded: a run of 3, three literal pixels padded to a word, end of line, end of bitmap.
    auto rle = BmpHeader(6, 1, 8, 1, 2, 12);
    for (std::uint8_t v : {0, 0, 0, 0, 0, 255, 0, 0}) rle.push_back(v);
    for (std::uint8_t v : {3, 1, 0, 3, 0, 1, 1, 0, 0, 0, 0, 1}) rle.push_back(v);
    const Bitmap r = DecodeBitmapFile(rle);
    EXPECT_EQ(r.At(2, 0), MakePixel(0, 255, 0));
    EXPECT_EQ(r.At(3, 0), MakePixel(0, 0, 0));

    const auto file = EncodeBitmapFile(Bitmap(4, 4));
    const auto expect_invalid = [](const std::vector<std::uint8_t>& bytes) {
        EXPECT_EQ(testing::ErrorText<EInvalidGraphic>([&] { DecodeBitmapFile(bytes); }), "Bitmap image is not valid");
    };
    expect_invalid(std::vector<std::uint8_t>(file.begin(), file.end() - 1));  // truncated pixels
    expect_invalid(std::vector<std::uint8_t>(file.begin(), file.begin() + 20));
    const auto patched = [&](std::initializer_list<std::pair<int, std::uint8_t>> changes) {
        auto copy = file;
        for (const auto& [at, value] : changes) copy[static_cast<std::size_t>(at)] = value;
        return copy;
    };
    expect_invalid(patched({{0, 'X'}}));
    expect_invalid(patched({{28, 7}}));                               // depth
    expect_invalid(patched({{18, 0}, {19, 0}, {20, 0}, {21, 0}}));  // width 0
    EXPECT_THROW(DecodeBitmapFile(patched({{21, 0x7F}, {25, 0x7F}})), EOutOfResources);  // 0x7F000004 wide
    auto cut = BmpHeader(4, 4, 8, 1, 1, 2);
    for (std::uint8_t v : {0, 0, 0, 0, 3, 0}) cut.push_back(v);  // run-length codes that stop mid-way
    expect_invalid(cut);
}

}  // namespace
}  // namespace vc
