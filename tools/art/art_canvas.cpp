#include "art_canvas.h"

#include <cairo.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace vc::art {
namespace {

std::uint8_t Unpremultiply(std::uint32_t value, std::uint32_t alpha) {
    const std::uint32_t straight = (value * 255 + alpha / 2) / alpha;
    return static_cast<std::uint8_t>(straight > 255 ? 255 : straight);
}

std::uint32_t Premultiply(std::uint8_t value, std::uint8_t alpha) {
    return (static_cast<std::uint32_t>(value) * alpha + 127) / 255;
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

// A Cairo image surface holding `image`, premultiplied as Cairo wants it.
cairo_surface_t* SurfaceOf(const Raster& image) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.Width(), image.Height());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw std::runtime_error("cannot make a drawing surface");
    }
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.Height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < image.Width(); ++x) {
            const Pixel& p = image.At(x, y);
            row[x] = (static_cast<std::uint32_t>(p.a) << 24) | (Premultiply(p.r, p.a) << 16) |
                     (Premultiply(p.g, p.a) << 8) | Premultiply(p.b, p.a);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

std::vector<std::uint8_t> PngOf(cairo_surface_t* surface) {
    std::vector<std::uint8_t> bytes;
    if (cairo_surface_write_to_png_stream(surface, AppendBytes, &bytes) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot encode PNG");
    }
    return bytes;
}

}  // namespace

Canvas::Canvas(int width, int height, double pixels_per_unit) : scale_(pixels_per_unit) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr_ = cairo_create(surface_);
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
        throw std::runtime_error("cannot make a drawing surface");
    }
    cairo_scale(cr_, scale_, scale_);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void Canvas::Shift(double dx, double dy) {
    cairo_translate(cr_, dx, dy);
}

void Canvas::Rect(double x, double y, double w, double h) {
    cairo_rectangle(cr_, x, y, w, h);
}

void Canvas::RoundRect(double x, double y, double w, double h, double radius) {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, x + w - radius, y + radius, radius, -kPi / 2, 0);
    cairo_arc(cr_, x + w - radius, y + h - radius, radius, 0, kPi / 2);
    cairo_arc(cr_, x + radius, y + h - radius, radius, kPi / 2, kPi);
    cairo_arc(cr_, x + radius, y + radius, radius, kPi, 3 * kPi / 2);
    cairo_close_path(cr_);
}

void Canvas::Circle(double cx, double cy, double radius) {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, cx, cy, radius, 0, 2 * kPi);
    cairo_close_path(cr_);
}

void Canvas::Arc(double cx, double cy, double radius, double from_degrees, double to_degrees) {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, cx, cy, radius, from_degrees * kPi / 180, to_degrees * kPi / 180);
}

void Canvas::Polygon(std::initializer_list<Point> points) {
    Polyline(points);
    cairo_close_path(cr_);
}

void Canvas::Polyline(std::initializer_list<Point> points) {
    bool first = true;
    for (const Point& p : points) {
        if (first) {
            cairo_move_to(cr_, p.x, p.y);
            first = false;
        } else {
            cairo_line_to(cr_, p.x, p.y);
        }
    }
}

void Canvas::Line(Point from, Point to) {
    cairo_move_to(cr_, from.x, from.y);
    cairo_line_to(cr_, to.x, to.y);
}

void Canvas::MoveTo(double x, double y) {
    cairo_move_to(cr_, x, y);
}

void Canvas::LineTo(double x, double y) {
    cairo_line_to(cr_, x, y);
}

void Canvas::CurveTo(Point control1, Point control2, Point end) {
    cairo_curve_to(cr_, control1.x, control1.y, control2.x, control2.y, end.x, end.y);
}

void Canvas::ClosePath() {
    cairo_close_path(cr_);
}

void Canvas::Fill(Colour colour) {
    cairo_set_source_rgba(cr_, colour.r, colour.g, colour.b, colour.a);
    cairo_fill(cr_);
}

void Canvas::Stroke(Colour colour, double width) {
    cairo_set_source_rgba(cr_, colour.r, colour.g, colour.b, colour.a);
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
}

void Canvas::DashedStroke(Colour colour, double width, double on, double off) {
    const double dashes[] = {on, off};
    cairo_set_dash(cr_, dashes, 2, 0);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
    Stroke(colour, width);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_dash(cr_, nullptr, 0, 0);
}

void Canvas::FillAndStroke(Colour fill, Colour line, double width) {
    cairo_set_source_rgba(cr_, fill.r, fill.g, fill.b, fill.a);
    cairo_fill_preserve(cr_);
    Stroke(line, width);
}

namespace {

void AddStops(cairo_pattern_t* pattern, std::initializer_list<GradientStop> stops) {
    for (const GradientStop& stop : stops) {
        cairo_pattern_add_color_stop_rgba(pattern, stop.offset, stop.colour.r, stop.colour.g, stop.colour.b,
                                          stop.colour.a);
    }
}

void FillWithPattern(cairo_t* cr, cairo_pattern_t* pattern) {
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

}  // namespace

void Canvas::FillLinear(Point from, Point to, std::initializer_list<GradientStop> stops) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(from.x, from.y, to.x, to.y);
    AddStops(pattern, stops);
    FillWithPattern(cr_, pattern);
}

void Canvas::FillRadial(Point centre, double radius, std::initializer_list<GradientStop> stops) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(centre.x, centre.y, 0, centre.x, centre.y, radius);
    AddStops(pattern, stops);
    FillWithPattern(cr_, pattern);
}

void Canvas::Clip() {
    cairo_save(cr_);
    cairo_clip(cr_);
}

void Canvas::Unclip() {
    cairo_restore(cr_);
}

void Canvas::Text(const std::string& text, double x, double y, double w, double h, Colour colour, double size,
                  bool bold, TextAlign align) {
    if (text.empty() || w <= 0 || h <= 0) return;
    cairo_save(cr_);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_clip(cr_);
    cairo_select_font_face(cr_, "Sans", CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, size);
    cairo_font_extents_t font;
    cairo_font_extents(cr_, &font);
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, text.c_str(), &extents);
    double left = x;
    if (align == TextAlign::Right) left = x + w - extents.x_advance;
    if (align == TextAlign::Centre) left = x + (w - extents.x_advance) / 2;
    // Whole pixels for the pen, so that the glyphs come out crisp.
    const double baseline = y + (h - (font.ascent + font.descent)) / 2 + font.ascent;
    cairo_set_source_rgba(cr_, colour.r, colour.g, colour.b, colour.a);
    cairo_move_to(cr_, std::floor(left), std::round(baseline));
    cairo_show_text(cr_, text.c_str());
    cairo_restore(cr_);
}

void Canvas::Clear(Colour colour) {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr_, colour.r, colour.g, colour.b, colour.a);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Canvas::Image(const Raster& image, int x, int y, int zoom) {
    cairo_surface_t* source = SurfaceOf(image);
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, zoom, zoom);
    cairo_set_source_surface(cr_, source, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
    cairo_paint(cr_);
    cairo_restore(cr_);
    cairo_surface_destroy(source);
}

Raster Canvas::ToRaster() const {
    cairo_surface_flush(surface_);
    const int width = cairo_image_surface_get_width(surface_);
    const int height = cairo_image_surface_get_height(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    Raster result(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t argb = row[x];
            const std::uint32_t a = argb >> 24;
            if (a == 0) continue;
            Pixel& p = result.At(x, y);
            p.a = static_cast<std::uint8_t>(a);
            p.r = Unpremultiply((argb >> 16) & 0xFF, a);
            p.g = Unpremultiply((argb >> 8) & 0xFF, a);
            p.b = Unpremultiply(argb & 0xFF, a);
        }
    }
    return result;
}

std::vector<std::uint8_t> Canvas::ToPng() const {
    cairo_surface_flush(surface_);
    return PngOf(surface_);
}

std::vector<std::uint8_t> EncodePng(const Raster& image) {
    cairo_surface_t* surface = SurfaceOf(image);
    try {
        std::vector<std::uint8_t> bytes = PngOf(surface);
        cairo_surface_destroy(surface);
        return bytes;
    } catch (...) {
        cairo_surface_destroy(surface);
        throw;
    }
}

}  // namespace vc::art
