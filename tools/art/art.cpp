#include "art.h"

#include <cstdio>
#include <fstream>
#include <ostream>

#include "art_canvas.h"
#include "art_formats.h"
#include "art_palette.h"
#include "art_program_icon.h"
#include "lzh_encoder.h"

namespace vc::art {
namespace {

constexpr const char* kUsage =
    "usage: vellumcast-art toolbar OUT.bmp [--disabled] [--size 24|30|36|48] [--compressed]\n"
    "       vellumcast-art icon OUT.ico\n"
    "       vellumcast-art preview OUT.png\n";

// The look of the preview.
constexpr int kZoom = 4;
constexpr int kMargin = 24;
constexpr int kGap = 16;
constexpr int kButtonWidth = 36;  // the window's tool buttons
constexpr int kButtonHeight = 30;
constexpr int kStripWidth = kToolbarImageSize * kToolbarImageCount;
constexpr int kPanelHeight =
    kMargin + 2 * (kToolbarImageSize * kZoom) + kGap * 2 + kButtonHeight + kMargin + 256 + kMargin;

struct Backdrop {
    Colour page;
    Colour cell;     // every other cell of the enlarged strips
    Colour toolbar;  // behind the images at their own size
};

// One half of the preview, starting at `top`.
void PreviewPanel(Canvas& c, int top, const Backdrop& backdrop, const Raster& strip, const Raster& disabled) {
    c.Rect(0, top, kMargin * 2 + kStripWidth * kZoom, kPanelHeight);
    c.Fill(backdrop.page);
    int y = top + kMargin;
    for (const Raster* image : {&strip, &disabled}) {
        for (int i = 1; i < kToolbarImageCount; i += 2) {
            c.Rect(kMargin + i * kToolbarImageSize * kZoom, y, kToolbarImageSize * kZoom, kToolbarImageSize * kZoom);
        }
        c.Fill(backdrop.cell);
        c.Image(*image, kMargin, y, kZoom);
        y += kToolbarImageSize * kZoom + kGap;
    }
    // At their own size on tool buttons, as the window shows them: enabled
    // ones, then the same buttons disabled.
    const int toolbar_width = kButtonWidth * kToolbarImageCount;
    c.Rect(kMargin, y, toolbar_width * 2 + kGap, kButtonHeight);
    c.Fill(backdrop.toolbar);
    for (int i = 0; i < kToolbarImageCount; ++i) {
        const int cell_x = i * kToolbarImageSize;
        const int inset_x = (kButtonWidth - kToolbarImageSize) / 2;
        const int inset_y = (kButtonHeight - kToolbarImageSize) / 2;
        c.Image(strip.Crop(cell_x, 0, kToolbarImageSize, kToolbarImageSize), kMargin + i * kButtonWidth + inset_x,
                y + inset_y, 1);
        c.Image(disabled.Crop(cell_x, 0, kToolbarImageSize, kToolbarImageSize),
                kMargin + toolbar_width + kGap + i * kButtonWidth + inset_x, y + inset_y, 1);
    }
    y += kButtonHeight + kMargin;
    // The icon sizes side by side on a common base line, then the small ones
    // enlarged.
    const int base = y + 256;
    int x = kMargin;
    for (int size : kProgramIconSizes) {
        c.Image(RenderProgramIcon(size), x, base - size, 1);
        x += size + kMargin;
    }
    for (int size : {16, 24, 32}) {
        c.Image(RenderProgramIcon(size), x, base - size * kZoom, kZoom);
        x += size * kZoom + kMargin;
    }
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out.fail()) return true;
    // A cut-off image must not pass for a finished one in the next build.
    std::remove(path.c_str());
    return false;
}

struct ToolbarChoice {
    bool disabled = false;
    bool compressed = false;
    int size = kToolbarImageSize;
};

// What follows "toolbar OUT.bmp": each option at most once, a size only of
// those the runtime carries.
bool ToolbarOptions(const std::vector<std::string>& args, ToolbarChoice& choice) {
    bool sized = false;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--disabled" && !choice.disabled) {
            choice.disabled = true;
        } else if (args[i] == "--compressed" && !choice.compressed) {
            choice.compressed = true;
        } else if (args[i] == "--size" && !sized && i + 1 < args.size()) {
            const std::string& value = args[++i];
            sized = true;
            choice.size = 0;
            for (int size : kToolbarImageSizes)
                if (value == std::to_string(size)) choice.size = size;
            if (choice.size == 0) return false;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

Raster RenderToolbarImage(ToolbarImage image, int size) {
    Canvas canvas(size, size, static_cast<double>(size) / kToolbarImageSize);
    ToolbarIcons()[static_cast<std::size_t>(image)].draw(canvas);
    return canvas.ToRaster();
}

Raster RenderToolbarStrip(bool disabled, int size) {
    Raster strip(size * kToolbarImageCount, size);
    for (const ToolbarIcon& icon : ToolbarIcons()) {
        // Each image is drawn on its own canvas, so nothing can reach into
        // a neighbour's cell.
        const Raster image = RenderToolbarImage(icon.image, size);
        strip.Place(disabled ? DisabledLook(image) : image, static_cast<int>(icon.image) * size, 0);
    }
    return strip;
}

Raster RenderProgramIcon(int size) {
    Canvas canvas(size, size, size / 32.0);
    DrawProgramIcon(canvas, size);
    return canvas.ToRaster();
}

std::vector<std::uint8_t> ToolbarBmp(bool disabled, int size) {
    return EncodeBmp32(RenderToolbarStrip(disabled, size));
}

std::vector<std::uint8_t> ProgramIco() {
    std::vector<Raster> images;
    for (int size : kProgramIconSizes) images.push_back(RenderProgramIcon(size));
    return EncodeIco(images);
}

std::vector<std::uint8_t> PreviewPng() {
    const Raster strip = RenderToolbarStrip(false);
    const Raster disabled = RenderToolbarStrip(true);
    Canvas canvas(kMargin * 2 + kStripWidth * kZoom, kPanelHeight * 2);
    PreviewPanel(canvas, 0, {Hex(0xF4F5F7), Hex(0xEAECF0), Hex(0xF0F0F0)}, strip, disabled);
    PreviewPanel(canvas, kPanelHeight, {Hex(0x1E2227), Hex(0x272C33), Hex(0x2D3239)}, strip, disabled);
    return canvas.ToPng();
}

int RunArt(const std::vector<std::string>& args, std::ostream& err) {
    if (args.size() < 2) {
        err << kUsage;
        return 2;
    }
    const std::string& command = args[0];
    const std::string& path = args[1];
    std::vector<std::uint8_t> bytes;
    ToolbarChoice options;
    if (command == "toolbar" && ToolbarOptions(args, options)) {
        bytes = ToolbarBmp(options.disabled, options.size);
        if (options.compressed) bytes = lzh::Compress(bytes);
    } else if (command == "icon" && args.size() == 2) {
        bytes = ProgramIco();
    } else if (command == "preview" && args.size() == 2) {
        bytes = PreviewPng();
    } else {
        err << kUsage;
        return 2;
    }
    if (!WriteFile(path, bytes)) {
        err << "vellumcast-art: cannot write " << path << "\n";
        return 1;
    }
    return 0;
}

}  // namespace vc::art
