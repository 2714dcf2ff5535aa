#include "window/toolbar_images_win.h"

#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "skin/format/lzh.h"

namespace vc {

namespace {

// A 32-bit DIB section from the bytes of a bitmap file; null for anything
// else or anything that does not fit its own headers.
HBITMAP DibFromBitmapFile(const std::vector<std::uint8_t>& file) {
    if (file.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return nullptr;
    BITMAPFILEHEADER header;
    std::memcpy(&header, file.data(), sizeof header);
    BITMAPINFOHEADER info;
    std::memcpy(&info, file.data() + sizeof header, sizeof info);
    if (header.bfType != 0x4D42 || info.biBitCount != 32 || info.biCompression != BI_RGB || info.biWidth <= 0 ||
        info.biHeight == 0 || info.biWidth > 4096 || info.biHeight > 4096 || info.biHeight < -4096)
        return nullptr;
    const std::size_t rows = static_cast<std::size_t>(info.biHeight < 0 ? -info.biHeight : info.biHeight);
    const std::size_t bytes = static_cast<std::size_t>(info.biWidth) * 4 * rows;
    if (header.bfOffBits > file.size() || file.size() - header.bfOffBits < bytes) return nullptr;
    BITMAPINFO dibInfo{};
    dibInfo.bmiHeader = info;
    dibInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &dibInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) std::memcpy(bits, file.data() + header.bfOffBits, bytes);
    return dib;
}

HBITMAP LoadCompressedStrip(HMODULE module, const std::string& name) {
    const HRSRC found = ::FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found) return nullptr;
    const auto* data = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, found)));
    if (!data) return nullptr;
    try {
        return DibFromBitmapFile(TLZH::Decompress(data, ::SizeofResource(module, found)));
    } catch (const std::exception&) {
        return nullptr;
    }
}

}  // namespace

HIMAGELIST LoadToolBarImages(HMODULE module, const char* resource, const Scale& scale) noexcept {
    try {
        const int size = NearestSize(kToolBarImageSizes, static_cast<int>(std::size(kToolBarImageSizes)),
                                     kToolBarImageSizes[0], scale);
        HBITMAP strip = LoadCompressedStrip(module, std::string(resource) + "_" + std::to_string(size));
        if (!strip && size != kToolBarImageSizes[0])
            strip = LoadCompressedStrip(module, std::string(resource) + "_" + std::to_string(kToolBarImageSizes[0]));
        if (!strip) return nullptr;
        BITMAP info{};
        ::GetObjectA(strip, sizeof info, &info);
        // Room for every image of the strip, however many it holds.
        const int count = info.bmHeight > 0 ? info.bmWidth / info.bmHeight : 0;
        HIMAGELIST images = ::ImageList_Create(info.bmHeight, info.bmHeight, ILC_COLOR32, count, 0);
        if (images) ::ImageList_Add(images, strip, nullptr);
        ::DeleteObject(strip);
        return images;
    } catch (const std::exception&) {
        return nullptr;
    }
}

}  // namespace vc
