#pragma once
// Small hand-made skins, packed and compressed the way the skin tool does it.
#include <string>
#include <utility>
#include <vector>

#include "../../tools/skin/lzh_encoder.h"
#include "../../tools/skin/skin_container_writer.h"
#include "common/bitmap.h"
#include "skin/format/bitmap_file.h"
#include "skin/look/skin_objects.h"

namespace vc {
namespace skintest {

using Image = std::pair<std::string, Bitmap>;  // a member's name and picture

inline std::vector<std::uint8_t> Container(const std::string& ini, const std::vector<Image>& images) {
    std::vector<SkinMember> members;
    for (const auto& [name, bitmap] : images) members.push_back({name, EncodeBitmapFile(bitmap)});
    members.push_back({"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    return BuildSkinContainer(members);
}

inline std::vector<std::uint8_t> Pack(const std::string& ini, const std::vector<Image>& images = {}) {
    return lzh::Compress(Container(ini, images));
}

inline Bitmap Solid(int w, int h, int r, int g, int b) { return Bitmap(w, h, MakePixel(r, g, b)); }

// Columns of state images, each of its own grey level (10, 20, ...).
inline Bitmap States(int state_width, int height, int n) {
    Bitmap out(state_width * n, height);
    for (int k = 0; k < n; ++k)
        out.FillRect(Rect::FromSize(k * state_width, 0, state_width, height), MakePixel(10 * (k + 1), 10 * (k + 1), 10 * (k + 1)));
    return out;
}

// What the loader decided for a section: frames, fill, key colour and margins (left, top, right, bottom).
inline std::string Shape(const TDataSkinObject& o) {
    const char* keys[] = {"painted", "clear", "shapes"};
    return "frame " + std::to_string(o.Frame) + (o.Tiled() ? " repeat" : " stretch") + " key " +
           keys[static_cast<int>(o.Trans)] +
           " margins " + std::to_string(o.LeftWidth) + "," + std::to_string(o.TopHeight) + "," +
           std::to_string(o.RightWidth) + "," + std::to_string(o.BottomHeight);
}

}  // namespace skintest
}  // namespace vc
