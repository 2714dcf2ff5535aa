#pragma once
// A deterministic corpus of sixteen skins shaped like the stored ones: a
// definition and 24-bit bitmaps (caption gradients, bevelled buttons, frame
// strips, textured backgrounds), 180 to 820 KB decompressed. Skins differ in
// how much texture they carry, which sets their compression ratio.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "../tools/skin/skin_container_writer.h"

namespace vc {
namespace bench {

inline std::uint32_t Mix(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

struct Pixel {
    int r, g, b;
};

inline std::uint8_t Clamp(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// A bottom-up 24-bit Windows bitmap; `pixel(x, y)` gives the colour.
template <class F>
std::vector<std::uint8_t> MakeBmp(int width, int height, F pixel) {
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t image = static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> out;
    auto u16 = [&](std::uint32_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    u16(0x4D42);
    u32(54 + image);
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<std::uint32_t>(width));
    u32(static_cast<std::uint32_t>(height));
    u16(1);
    u16(24);
    u32(0);
    u32(image);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (int y = height - 1; y >= 0; --y) {
        int x = 0;
        for (; x < width; ++x) {
            const Pixel p = pixel(x, y);
            out.push_back(Clamp(p.b));
            out.push_back(Clamp(p.g));
            out.push_back(Clamp(p.r));
        }
        for (int pad = width * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

inline std::string Definition(int skin) {
    std::string ini = "; generated theme " + std::to_string(skin) + "\r\n[TitlebarSkin]\r\nSkinName=Theme " +
                      std::to_string(skin) + "\r\n\r\n[Personality]\r\n";
    for (const char* side : {"Left", "Right", "Top", "Bottom"}) {
        ini += std::string(side) + "=" + side + ".bmp\r\n";
        ini += std::string(side) + "TopHeight=" + std::to_string(4 + skin % 5) + "\r\n";
        ini += std::string(side) + "BotHeight=" + std::to_string(6 + skin % 3) + "\r\n";
        ini += std::string(side) + "Frame=2\r\n" + side + "Stretch=1\r\n" + side + "Trans=1\r\n";
    }
    ini += "menuBar=menubar.bmp\r\nTextShift=" + std::to_string(skin) + "\r\nActiveTextR=255\r\n\r\n[Colours]\r\n";
    for (const char* key : {"WindowText", "ButtonFace", "Scrollbar", "HilightText", "Hilight", "Menu", "MenuText",
                            "ButtonText", "ButtonHilight", "ButtonShadow", "TitleTextActive"})
        ini += std::string(key) + "=" + std::to_string(Mix(skin * 31 + key[0]) % 256) + " " +
               std::to_string(Mix(skin * 7 + key[1]) % 256) + " " + std::to_string(Mix(skin + key[2]) % 256) + "\r\n";
    for (int i = 0; i < 24; ++i)
        ini += "\r\n[Colour" + std::to_string(i) + "]\r\ncolor=" + std::to_string(Mix(i + skin * 100) % 256) + " " +
               std::to_string(Mix(i * 3) % 256) + " 128\r\n";
    for (int i = 0; i < 12; ++i)
        ini += "\r\n[Button" + std::to_string(i) + "]\r\nAction=" + std::to_string(i % 12) +
               "\r\nAlign=1\r\nXcoord=" + std::to_string(20 + 18 * i) + "\r\nYcoord=4\r\nButtonImage=button" +
               std::to_string(i) + ".bmp\r\n";
    for (const char* section : {"Buttons", "ComboButton", "Progress", "Tabs", "ToolBars", "MenuItem", "Scrollbar",
                                "HorzScroll", "VertScroll", "Headerbar", "GroupBox", "SunkEdge"})
        ini += std::string("\r\n[") + section + "]\r\nImage=" + section + ".bmp\r\nLeftWidth=3\r\nRightWidth=3\r\n"
               "TopHeight=3\r\nBottomHeight=3\r\nTrans=1\r\nTile=0\r\nNormalColour=" +
               std::to_string(skin % 24) + "\r\n";
    return ini;
}

// Decompressed skin number `skin` (0 to 15) as container members.
inline std::vector<SkinMember> SkinMembers(int skin) {
    const std::size_t target = 181000 + static_cast<std::size_t>(skin) * 634000 / 15;
    // Share of textured area and texture strength grow with the skin number
    // in a zig-zag, so size and ratio are not simply tied together.
    const int texture = 6 + (skin * 7) % 16;  // percent of the pixels that are noisy
    const int grain = 6 + (skin * 5) % 24;     // noise amplitude
    std::vector<SkinMember> members;
    const std::string ini = Definition(skin);
    members.push_back({"Skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    std::size_t total = ini.size();
    const Pixel base{60 + skin * 9, 90 + skin * 5, 160 - skin * 4};
    auto shade = [&](int x, int y, int w, int h, std::uint32_t seed) {
        Pixel p = base;
        const int t = h > 1 ? y * 100 / (h - 1) : 0;
        p.r += t / 2 - 20;
        p.g += t / 3 - 10;
        p.b -= t / 4;
        if (x == 0 || y == 0) p = {235, 235, 235};
        if (x == w - 1 || y == h - 1) p = {40, 40, 50};
        const std::uint32_t n = Mix(seed ^ static_cast<std::uint32_t>(x * 7919 + y * 104729));
        if (static_cast<int>(n % 100) < texture) {
            const int d = static_cast<int>((n >> 8) % static_cast<std::uint32_t>(2 * grain + 1)) - grain;
            p.r += d;
            p.g += d / 2;
            p.b -= d;
        }
        return p;
    };
    auto add = [&](const std::string& name, int w, int h) {
        const std::uint32_t seed = Mix(static_cast<std::uint32_t>(members.size() * 977 + skin));
        members.push_back({name, MakeBmp(w, h, [&](int x, int y) { return shade(x, y, w, h, seed); })});
        total += members.back().data.size();
    };
    for (const char* side : {"Left", "Right"}) add(std::string(side) + ".bmp", 8, 120);
    for (const char* side : {"Top", "Bottom"}) add(std::string(side) + ".bmp", 240, 30);
    add("menubar.bmp", 200, 22);
    for (int i = 0; i < 12; ++i) add("button" + std::to_string(i) + ".bmp", 18 * 3, 18);
    for (const char* section : {"Buttons", "ComboButton", "Progress", "Tabs", "ToolBars", "MenuItem", "Scrollbar",
                                "HorzScroll", "VertScroll", "Headerbar", "GroupBox", "SunkEdge"})
        add(std::string(section) + ".bmp", 90, 21);
    for (int i = 0;; ++i) {
        // The last background is cut to land on the target size.
        const int w = 160 + (i * 37) % 200;
        const std::size_t stride = static_cast<std::size_t>((w * 3 + 3) & ~3);
        const std::size_t room = target > total + 54 ? (target - total - 54) / stride : 0;
        const int h = static_cast<int>(std::min<std::size_t>(100 + (i * 53) % 120, room));
        if (h < 1) break;
        add("background" + std::to_string(i) + ".bmp", w, h);
    }
    return members;
}

inline std::vector<std::uint8_t> SkinContainer(int skin) { return BuildSkinContainer(SkinMembers(skin)); }

}  // namespace bench
}  // namespace vc
