#include "preview.h"

#include <cairo.h>

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

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap) {
    // Cairo writes the file; the picture goes over row by row as RGB24.
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
    std::vector<std::uint8_t> png;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, AppendBytes, &png);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error(std::string("PNG: ") + cairo_status_to_string(status));
    return png;
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
        std::string message;
        data.Environment.show_message = [&](const std::string& m) { message = m; };
        if (!data.LoadSkin()) throw SkinToolError(operands[0] + ": " + message);
        const std::vector<std::uint8_t> png = EncodePng(RenderSkinPreview(data, preview));
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
