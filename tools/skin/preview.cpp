#include "preview.h"

#include <cairo.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "skin/skin_data.h"
#include "skin/skin_preview.h"
#include "skin_tool.h"

namespace vc {

namespace {

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

namespace {

// An RGB24 Cairo surface holding the bitmap; the caller destroys it.
cairo_surface_t* SurfaceOf(const Bitmap& bitmap) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, bitmap.Width(), bitmap.Height());
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    cairo_surface_flush(surface);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Pixel* row = bitmap.ScanLine(y);
        auto* target = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < bitmap.Width(); ++x)
            target[x] = (static_cast<std::uint32_t>(PixelRed(row[x])) << 16) |
                        (static_cast<std::uint32_t>(PixelGreen(row[x])) << 8) |
                        static_cast<std::uint32_t>(PixelBlue(row[x]));
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

std::vector<std::uint8_t> PngOf(cairo_surface_t* surface) {
    std::vector<std::uint8_t> png;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, AppendBytes, &png);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error(std::string("PNG: ") + cairo_status_to_string(status));
    return png;
}

// Each label inside its rectangle, centred vertically, clipped to it.
void DrawLabels(cairo_surface_t* surface, const std::vector<PreviewLabel>& labels) {
    cairo_t* cr = cairo_create(surface);
    for (const PreviewLabel& label : labels) {
        if (label.bounds.IsEmpty() || label.text.empty()) continue;
        cairo_save(cr);
        cairo_rectangle(cr, label.bounds.left, label.bounds.top, label.bounds.Width(), label.bounds.Height());
        cairo_clip(cr);
        cairo_select_font_face(cr, "Sans", CAIRO_FONT_SLANT_NORMAL,
                               label.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        // A Windows font height counts the character cell; Cairo's size is
        // the em, a little smaller.
        cairo_set_font_size(cr, label.font_height * 0.86);
        cairo_font_extents_t font;
        cairo_font_extents(cr, &font);
        cairo_text_extents_t text;
        cairo_text_extents(cr, label.text.c_str(), &text);
        double x = label.bounds.left;
        if (label.align == PreviewLabel::Align::Right) x = label.bounds.right - text.x_advance;
        if (label.align == PreviewLabel::Align::Centre) x = label.bounds.left + (label.bounds.Width() - text.x_advance) / 2;
        const double baseline =
            label.bounds.top + (label.bounds.Height() - (font.ascent + font.descent)) / 2 + font.ascent;
        const Colour c = label.colour;
        cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0);
        cairo_move_to(cr, std::floor(x), std::round(baseline));
        cairo_show_text(cr, label.text.c_str());
        cairo_restore(cr);
    }
    cairo_destroy(cr);
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap) { return PngOf(SurfaceOf(bitmap)); }

std::vector<std::uint8_t> EncodePng(const SkinPreview& preview) {
    cairo_surface_t* surface = SurfaceOf(preview.image);
    DrawLabels(surface, preview.labels);
    return PngOf(surface);
}

int RunSkinPreview(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        std::vector<std::string> operands;
        SkinPreviewArgs preview;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--inactive") {
                preview.active = false;
            } else if (args[i] == "--size" && i + 1 < args.size()) {
                const std::string& size = args[++i];
                const auto x = size.find('x');
                try {
                    if (x == std::string::npos) throw std::invalid_argument(size);
                    preview.width = std::stoi(size.substr(0, x));
                    preview.height = std::stoi(size.substr(x + 1));
                } catch (const std::logic_error&) {
                    throw SkinToolError("'" + size + "' is not a size (use WIDTHxHEIGHT)");
                }
                if (preview.width < 1 || preview.height < 1 || preview.width > 8192 || preview.height > 8192)
                    throw SkinToolError("'" + size + "' is not a size between 1x1 and 8192x8192");
            } else {
                operands.push_back(args[i]);
            }
        }
        if (operands.size() != 2) {
            err << "usage: vellumcast-skin preview <skin file> <output.png> [--size WxH] [--inactive]\n";
            return 2;
        }
        std::ifstream in(operands[0], std::ios::binary);
        if (!in) throw SkinToolError("cannot open " + operands[0]);
        TSkinData data;
        data.SkinStream().assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        // The reader says what is wrong with a skin that does not open.
        OpenSkin(data.SkinStream(), operands[0]);
        if (!data.LoadSkin()) throw SkinToolError(operands[0] + ": the skin does not load");
        const std::vector<std::uint8_t> png = EncodePng(ComposeSkinPreview(data, preview));
        const std::string temporary = operands[1] + ".part";
        {
            std::ofstream file(temporary, std::ios::binary);
            file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
            if (!file) throw SkinToolError("cannot write " + operands[1]);
        }
        std::filesystem::rename(temporary, operands[1]);
        out << "preview of " << (data.SkinName().empty() ? operands[0] : data.SkinName()) << ", " << preview.width
            << " x " << preview.height << (preview.active ? ", active" : ", inactive") << ": " << operands[1]
            << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << "vellumcast-skin: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace vc
