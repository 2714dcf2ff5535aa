#include <gtest/gtest.h>

#include "error_text.h"
#include "skin_builder.h"
#include "skin_theme_fixture.h"
#include "theme.h"

namespace vc {
namespace {

using theme::ParseTheme;
using theme::ThemeError;

using skintest::HarbourText;

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string ErrorOf(const std::string& text) {
    return testing::ErrorText<ThemeError>([&] { ParseTheme(text, "t.theme"); });
}

TEST(SkinTheme, EveryMistakeIsReportedAtOnceAndKeyedImagesNeverPaintTheKeyColour) {
    std::string text = HarbourText();
    text = Replace(text, "Face=#E4E1DA", "Face=E4E1DA");
    text = Replace(text, "Close=#C0463A\n", "");
    text = Replace(text, "TitleHeight=26", "TitleHeight=60");
    text = Replace(text, "Border=4", "Border=4px");
    text = Replace(text, "Finish=bevel", "Finish=shiny");
    EXPECT_EQ(ErrorOf(text),
              "t.theme: [Skin] Finish: 'shiny' is not one of flat, bevel, glass, satin\n"
              "t.theme: [Shape] TitleHeight: 60 is outside 16..48\n"
              "t.theme: [Shape] Border: '4px' is not a whole number\n"
              "t.theme: [Palette] Face: 'E4E1DA' is not a colour (#RRGGBB)\n"
              "t.theme: [Palette] Close: is missing");

    EXPECT_EQ(ErrorOf(Replace(HarbourText(), "CaptionButtonHeight=19", "CaptionButtonHeight=27")),
              "t.theme: [Shape] CaptionButtonHeight: is taller than the title bar");
    EXPECT_EQ(ErrorOf(Replace(HarbourText(), "CornerRadius=0", "CornerRadius=14")),
              "t.theme: [Shape] CornerRadius: is more than half the title bar's height");
    EXPECT_EQ(ErrorOf(Replace(HarbourText(), "BottomRadius=0", "BottomRadius=9")),
              "t.theme: [Shape] BottomRadius: is more than twice the border");
    EXPECT_EQ(ErrorOf(Replace(HarbourText(), "CornerRadius=0", "CornerRadius=13")), "no error");

    art::Raster raster(4, 1);
    raster.At(0, 0) = art::Pixel{10, 20, 30, 127};   // below the threshold: cut out
    raster.At(1, 0) = art::Pixel{10, 20, 30, 128};   // kept, straight colour
    raster.At(2, 0) = art::Pixel{255, 0, 255, 255};  // opaque magenta would be cut out
    raster.At(3, 0) = art::Pixel{255, 1, 255, 255};  // and so would this, by the region's tolerance
    const Bitmap keyed = theme::KeyedImage(raster);
    EXPECT_TRUE(SameRgb(keyed.At(0, 0), MakePixel(255, 0, 255)));
    EXPECT_TRUE(SameRgb(keyed.At(1, 0), MakePixel(30, 20, 10)));
    EXPECT_TRUE(SameRgb(keyed.At(2, 0), MakePixel(250, 0, 250)));
    EXPECT_TRUE(SameRgb(keyed.At(3, 0), MakePixel(250, 0, 250)));

    const Bitmap opaque = theme::OpaqueImage(raster, art::Pixel{0, 0, 200, 255});
    EXPECT_TRUE(SameRgb(opaque.At(0, 0), MakePixel((30 * 127 + 200 * 128 + 127) / 255, 10, 5)));
}

}  // namespace
}  // namespace vc
