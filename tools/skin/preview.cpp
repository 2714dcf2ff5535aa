#include "preview.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "skin/skin_data.h"
#include "skin/skin_preview.h"
#include "skin_tool.h"

namespace vc {

namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    static const auto table = [] {
        std::vector<std::uint32_t> t(256);
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void Chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    PutBE32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBE32(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap) {
    // Filter byte 0 and RGB triples, row by row.
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(bitmap.Height()) * (1 + 3 * static_cast<std::size_t>(bitmap.Width())));
    for (int y = 0; y < bitmap.Height(); ++y) {
        raw.push_back(0);
        const Pixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            raw.push_back(static_cast<std::uint8_t>(PixelRed(row[x])));
            raw.push_back(static_cast<std::uint8_t>(PixelGreen(row[x])));
            raw.push_back(static_cast<std::uint8_t>(PixelBlue(row[x])));
        }
    }
    // A zlib stream of stored blocks; previews are small enough.
    std::vector<std::uint8_t> z = {0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        const bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos), raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < raw.size());
    PutBE32(z, (b << 16) | a);

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBE32(header, static_cast<std::uint32_t>(bitmap.Width()));
    PutBE32(header, static_cast<std::uint32_t>(bitmap.Height()));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    Chunk(out, "IHDR", header);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", {});
    return out;
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
