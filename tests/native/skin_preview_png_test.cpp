#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "common/bitmap.h"
#include "preview.h"

namespace vc {
namespace {

TEST(SkinPreviewPng, APreviewPictureReadsBackWithItsSizeAndColours) {
    Bitmap picture(3, 2, MakePixel(255, 0, 255));
    picture.ScanLine(0)[0] = MakePixel(10, 20, 30);
    picture.ScanLine(1)[2] = MakePixel(200, 100, 0);
    const std::vector<std::uint8_t> png = EncodePng(picture);
    const std::string path = ::testing::TempDir() + "vc_preview.png";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                                static_cast<std::streamsize>(png.size()));

    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    std::remove(path.c_str());
    ASSERT_EQ(cairo_surface_status(surface), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(surface), 3);
    EXPECT_EQ(cairo_image_surface_get_height(surface), 2);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    auto at = [&](int x, int y) { return reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFF; };
    EXPECT_EQ(at(0, 0), 0x0A141Eu);
    EXPECT_EQ(at(1, 0), 0xFF00FFu);
    EXPECT_EQ(at(2, 1), 0xC86400u);
    cairo_surface_destroy(surface);
}

}  // namespace
}  // namespace vc
