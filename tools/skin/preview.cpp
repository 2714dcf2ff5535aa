#include "preview.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "art_canvas.h"
#include "skin/look/skin_data.h"
#include "skin/look/skin_preview.h"
#include "skin_tool.h"

namespace vc {

namespace {

art::Raster RasterOf(const Bitmap& bitmap) {
    art::Raster raster(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Pixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            raster.At(x, y) = art::Pixel{static_cast<std::uint8_t>(PixelBlue(row[x])),
                                         static_cast<std::uint8_t>(PixelGreen(row[x])),
                                         static_cast<std::uint8_t>(PixelRed(row[x])), 255};
    }
    return raster;
}

art::Colour ArtColour(Colour c) { return art::Colour{(c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0, 1}; }

art::TextAlign ArtAlign(PreviewLabel::Align align) {
    switch (align) {
        case PreviewLabel::Align::Right: return art::TextAlign::Right;
        case PreviewLabel::Align::Centre: return art::TextAlign::Centre;
        case PreviewLabel::Align::Left: break;
    }
    return art::TextAlign::Left;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap) { return art::EncodePng(RasterOf(bitmap)); }

std::vector<std::uint8_t> EncodePng(const SkinPreview& preview) {
    art::Canvas canvas(preview.image.Width(), preview.image.Height());
    canvas.Image(RasterOf(preview.image), 0, 0, 1);
    for (const PreviewLabel& label : preview.labels) {
        const Rect& r = label.bounds;
        // A Windows font height counts the character cell; the canvas's
        // size is the em, a little smaller.
        canvas.Text(label.text, r.left, r.top, r.Width(), r.Height(), ArtColour(label.colour), label.font_height * 0.86,
                    label.bold, ArtAlign(label.align));
    }
    return canvas.ToPng();
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
