#pragma once
// Collects what a generated skin is made of: the definition's sections and
// keys in the order the painters write them, and the bitmaps they name.
#include <string>
#include <utility>
#include <vector>

#include "art_raster.h"
#include "common/bitmap.h"
#include "skin_container_writer.h"

namespace vc::theme {

class SkinBuilder {
public:
    // Adds `key=value` to the section, which is created at its first key.
    // A key set twice keeps its first place and takes the new value.
    void Set(const std::string& section, const std::string& key, const std::string& value);
    void Set(const std::string& section, const std::string& key, int value);

    // Adds a bitmap member; returns its name for an image key. Names are
    // lower case and unique; a second image of one name is a mistake of the
    // painter and raises std::logic_error.
    std::string AddImage(const std::string& file_name, const Bitmap& image);

    // The definition text, CR LF line ends, headed by `comment` lines.
    std::string Definition(const std::vector<std::string>& comment) const;
    // The definition as "skin.ini" first, then the images in the order added.
    std::vector<SkinMember> Members(const std::vector<std::string>& comment) const;

    bool HasSection(const std::string& section) const;
    std::size_t ImageCount() const { return images_.size(); }

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    std::vector<Section> sections_;
    std::vector<SkinMember> images_;
};

// A raster as a skin bitmap whose transparent parts are magenta, the key
// colour of the skin engine: pixels at least `min_alpha` opaque keep their
// colour, the others become magenta. Opaque pixels that would read as the
// key colour are nudged off it.
Bitmap KeyedImage(const art::Raster& raster, int min_alpha = 128);
// A raster composed over a solid background: no key colour anywhere.
Bitmap OpaqueImage(const art::Raster& raster, art::Pixel background);
// `picture` composed over `backdrop` where `coverage` is at least
// `min_alpha` opaque, the key colour elsewhere: curved edges blend into what
// the object stands on instead of fringing with magenta. The coverage is
// the picture itself, or a drawing of only the part that is to stay.
Bitmap KeyedComposite(const art::Raster& picture, const art::Raster& coverage, art::Pixel backdrop, int min_alpha);
inline Bitmap KeyedComposite(const art::Raster& picture, art::Pixel backdrop, int min_alpha) {
    return KeyedComposite(picture, picture, backdrop, min_alpha);
}
// Whether any pixel is the key colour, so that the object needs Trans.
bool HasKeyColour(const Bitmap& image);

// State images laid out the two ways the engine slices them: side by side
// (every object but the horizontal frame sides) or stacked (top, bottom).
art::Raster SideBySide(const std::vector<art::Raster>& states);
art::Raster Stacked(const std::vector<art::Raster>& states);

}  // namespace vc::theme
