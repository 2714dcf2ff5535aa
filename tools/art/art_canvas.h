#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "art_raster.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace vc::art {

constexpr double kPi = 3.14159265358979323846;

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 1;
};

// 0xRRGGBB as written in the palette.
constexpr Colour Hex(std::uint32_t rgb, double alpha = 1.0) {
    return Colour{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

struct Point {
    double x = 0;
    double y = 0;
};

// Where a line of text sits in its box, left to right.
enum class TextAlign { Left, Right, Centre };

// One colour of a gradient at `offset` (0 at its start, 1 at its end).
struct GradientStop {
    double offset = 0;
    Colour colour;
};

// An anti-aliased drawing surface with its own unit: the drawings are
// written on a fixed grid (24 units for a tool button) and come out at any
// pixel size. Shapes add to the current path; Fill and Stroke paint it and
// start a new one.
class Canvas {
public:
    Canvas(int width, int height, double pixels_per_unit = 1.0);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    double PixelsPerUnit() const { return scale_; }
    // Moves the origin of what is drawn next, in units.
    void Shift(double dx, double dy);

    // Shapes.
    void Rect(double x, double y, double w, double h);
    void RoundRect(double x, double y, double w, double h, double radius);
    void Circle(double cx, double cy, double radius);
    // Angles in degrees, clockwise from three o'clock (y grows downwards).
    void Arc(double cx, double cy, double radius, double from_degrees, double to_degrees);
    void Polygon(std::initializer_list<Point> points);
    void Polyline(std::initializer_list<Point> points);
    void Line(Point from, Point to);
    // Free paths, for outlines no shape above describes.
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void CurveTo(Point control1, Point control2, Point end);
    void ClosePath();

    // Painting the current path.
    void Fill(Colour colour);
    void Stroke(Colour colour, double width);
    // Dashes restart at every sub-path and have square ends, each reaching
    // half the width past its `on` length.
    void DashedStroke(Colour colour, double width, double on, double off);
    void FillAndStroke(Colour fill, Colour line, double width);
    // Fills the current path with a linear gradient running from `from` to
    // `to` (the colour is constant across that line).
    void FillLinear(Point from, Point to, std::initializer_list<GradientStop> stops);
    // Fills the current path with a radial gradient from `centre` outwards.
    void FillRadial(Point centre, double radius, std::initializer_list<GradientStop> stops);

    // Drawing after Clip stays inside the current path (which is used up)
    // until the matching Unclip; clips nest.
    void Clip();
    void Unclip();

    // One line of UTF-8 text in the sans-serif face, `size` units high
    // (the em), centred vertically in the box (x, y, w, h) and clipped to it.
    void Text(const std::string& text, double x, double y, double w, double h, Colour colour, double size,
              bool bold = false, TextAlign align = TextAlign::Left);

    void Clear(Colour colour);
    // Puts an image down at (x, y) in pixels, enlarged `zoom` times with
    // hard pixel edges, composed over what is there.
    void Image(const Raster& image, int x, int y, int zoom);

    Raster ToRaster() const;
    // The surface as a PNG file, straight alpha, colour type RGBA.
    std::vector<std::uint8_t> ToPng() const;

private:
    double scale_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// PNG bytes of a raster (converted through a Cairo surface).
std::vector<std::uint8_t> EncodePng(const Raster& image);

}  // namespace vc::art
