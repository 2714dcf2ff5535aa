#include "skin_builder.h"

#include <algorithm>
#include <stdexcept>

#include "common/text.h"
#include "skin/format/bitmap_file.h"

namespace vc::theme {

void SkinBuilder::Set(const std::string& section, const std::string& key, const std::string& value) {
    auto s = std::find_if(sections_.begin(), sections_.end(), [&](const Section& x) { return x.name == section; });
    if (s == sections_.end()) s = sections_.insert(sections_.end(), Section{section, {}});
    for (auto& [k, v] : s->keys) {
        if (k == key) {
            v = value;
            return;
        }
    }
    s->keys.emplace_back(key, value);
}

void SkinBuilder::Set(const std::string& section, const std::string& key, int value) {
    Set(section, key, std::to_string(value));
}

std::string SkinBuilder::AddImage(const std::string& file_name, const Bitmap& image) {
    const std::string name = LowerCase(file_name);
    if (name.size() < 5 || name.compare(name.size() - 4, 4, ".bmp") != 0)
        throw std::logic_error("skin image '" + file_name + "' must be a .bmp");
    if (image.Empty()) throw std::logic_error("skin image '" + file_name + "' is empty");
    for (const SkinMember& m : images_) {
        if (m.name == name) throw std::logic_error("skin image '" + name + "' is drawn twice");
    }
    images_.push_back(SkinMember{name, EncodeBitmapFile(image)});
    return name;
}

bool SkinBuilder::HasSection(const std::string& section) const {
    return std::any_of(sections_.begin(), sections_.end(), [&](const Section& s) { return s.name == section; });
}

std::string SkinBuilder::Definition(const std::vector<std::string>& comment) const {
    std::string text;
    for (const std::string& line : comment) text += "; " + line + "\r\n";
    for (const Section& s : sections_) {
        text += "\r\n[" + s.name + "]\r\n";
        for (const auto& [key, value] : s.keys) text += key + "=" + value + "\r\n";
    }
    return text;
}

std::vector<SkinMember> SkinBuilder::Members(const std::vector<std::string>& comment) const {
    const std::string definition = Definition(comment);
    std::vector<SkinMember> members;
    members.push_back(SkinMember{"skin.ini", std::vector<std::uint8_t>(definition.begin(), definition.end())});
    members.insert(members.end(), images_.begin(), images_.end());
    return members;
}

Bitmap KeyedImage(const art::Raster& raster, int min_alpha) {
    Bitmap out(raster.Width(), raster.Height());
    const Pixel key = MakePixel(255, 0, 255);
    for (int y = 0; y < raster.Height(); ++y) {
        for (int x = 0; x < raster.Width(); ++x) {
            const art::Pixel& p = raster.At(x, y);
            if (p.a < min_alpha) {
                out.Set(x, y, key);
                continue;
            }
            // (255, 0..1, 255) would be cut out by the region builder.
            const bool reads_as_key = p.r == 255 && p.b == 255 && p.g <= 1;
            out.Set(x, y, reads_as_key ? MakePixel(250, 0, 250) : MakePixel(p.r, p.g, p.b));
        }
    }
    return out;
}

Bitmap OpaqueImage(const art::Raster& raster, art::Pixel background) {
    Bitmap out(raster.Width(), raster.Height());
    for (int y = 0; y < raster.Height(); ++y) {
        for (int x = 0; x < raster.Width(); ++x) {
            const art::Pixel& p = raster.At(x, y);
            const auto over = [&](int front, int back) { return (front * p.a + back * (255 - p.a) + 127) / 255; };
            out.Set(x, y, MakePixel(over(p.r, background.r), over(p.g, background.g), over(p.b, background.b)));
        }
    }
    return out;
}

Bitmap KeyedComposite(const art::Raster& picture, const art::Raster& coverage, art::Pixel backdrop, int min_alpha) {
    const Bitmap solid = OpaqueImage(picture, backdrop);
    art::Raster keyed(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const Pixel p = solid.At(x, y);
            keyed.At(x, y) = art::Pixel{static_cast<std::uint8_t>(PixelBlue(p)), static_cast<std::uint8_t>(PixelGreen(p)),
                                        static_cast<std::uint8_t>(PixelRed(p)), coverage.At(x, y).a};
        }
    }
    return KeyedImage(keyed, min_alpha);
}

bool HasKeyColour(const Bitmap& image) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (SameRgb(image.At(x, y), MakePixel(255, 0, 255))) return true;
    return false;
}

art::Raster SideBySide(const std::vector<art::Raster>& states) {
    if (states.empty()) return {};
    const int w = states.front().Width();
    const int h = states.front().Height();
    art::Raster out(w * static_cast<int>(states.size()), h);
    for (std::size_t i = 0; i < states.size(); ++i) {
        if (states[i].Width() != w || states[i].Height() != h)
            throw std::logic_error("state images of one object differ in size");
        out.Place(states[i], w * static_cast<int>(i), 0);
    }
    return out;
}

art::Raster Stacked(const std::vector<art::Raster>& states) {
    if (states.empty()) return {};
    const int w = states.front().Width();
    const int h = states.front().Height();
    art::Raster out(w, h * static_cast<int>(states.size()));
    for (std::size_t i = 0; i < states.size(); ++i) {
        if (states[i].Width() != w || states[i].Height() != h)
            throw std::logic_error("state images of one object differ in size");
        out.Place(states[i], 0, h * static_cast<int>(i));
    }
    return out;
}

}  // namespace vc::theme
