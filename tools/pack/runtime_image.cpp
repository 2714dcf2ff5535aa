#include "runtime_image.h"

#include <cstdint>
#include <set>

namespace vc::pack {

namespace {

// Little-endian reads that stay inside the file; a read past its end marks
// the whole image as damaged instead of reading anything.
class Bytes {
public:
    explicit Bytes(std::string_view data) : data_(data) {}
    std::uint32_t U16(std::size_t at) { return Get(at, 2); }
    std::uint32_t U32(std::size_t at) { return Get(at, 4); }
    bool Ok() const { return ok_; }

private:
    std::uint32_t Get(std::size_t at, int size) {
        if (at > data_.size() || data_.size() - at < static_cast<std::size_t>(size)) {
            ok_ = false;
            return 0;
        }
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(data_[at + static_cast<std::size_t>(i)]);
        return value;
    }

    std::string_view data_;
    bool ok_ = true;
};

constexpr std::uint32_t kMachineX64 = 0x8664;
constexpr std::uint32_t kPe32Plus = 0x20B;
constexpr std::uint32_t kResourceDirectory = 2;
constexpr std::uint32_t kRcData = 10;
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr int kStoredSkins = 16;

}  // namespace

std::string WhyNotTheRuntime(std::string_view data) {
    if (data.empty()) return "it is empty";
    if (data.substr(0, 4) == "\x7F" "ELF") return "it is a Linux (ELF) program, not a Windows one";
    if (data.substr(0, 2) != "MZ") return "it is not a Windows program";
    Bytes bytes(data);
    const std::size_t pe = bytes.U32(0x3C);
    if (!bytes.Ok() || data.size() < pe + 4 || data.substr(pe, 4) != std::string_view("PE\0\0", 4))
        return "it is not a Windows program";
    if (bytes.U16(pe + 4) != kMachineX64 || bytes.U16(pe + 24) != kPe32Plus)
        return "it is a Windows program, but not for x86-64";

    const std::size_t sectionCount = bytes.U16(pe + 6);
    const std::size_t optional = pe + 24;
    const std::size_t sections = optional + bytes.U16(pe + 20);
    const std::string noSkins = "it is a Windows x86-64 program without the runtime's stored skins";
    if (bytes.U32(optional + 108) <= kResourceDirectory) return noSkins;
    const std::uint32_t resourceRva = bytes.U32(optional + 112 + 8 * kResourceDirectory);
    if (!bytes.Ok() || resourceRva == 0) return noSkins;

    // The file offset of the resource directory, through the section that holds it.
    std::size_t base = 0;
    bool found = false;
    for (std::size_t i = 0; i < sectionCount && bytes.Ok() && !found; ++i) {
        const std::size_t header = sections + 40 * i;
        const std::uint32_t virtualSize = bytes.U32(header + 8), address = bytes.U32(header + 12);
        const std::uint32_t rawSize = bytes.U32(header + 16), raw = bytes.U32(header + 20);
        const std::uint32_t extent = virtualSize > rawSize ? virtualSize : rawSize;
        if (resourceRva >= address && resourceRva - address < extent) {
            base = static_cast<std::size_t>(raw) + (resourceRva - address);
            found = true;
        }
    }
    if (!found) return noSkins;

    // Type level: the RCDATA entry, then the names under it.
    const auto entries = [&bytes](std::size_t directory) {
        return static_cast<std::size_t>(bytes.U16(directory + 12)) + bytes.U16(directory + 14);
    };
    std::size_t rcdata = 0;
    for (std::size_t i = 0, n = entries(base); i < n && bytes.Ok(); ++i) {
        const std::size_t entry = base + 16 + 8 * i;
        const std::uint32_t offset = bytes.U32(entry + 4);
        if (bytes.U32(entry) == kRcData && (offset & kHighBit)) rcdata = base + (offset & ~kHighBit);
    }
    if (rcdata == 0 || !bytes.Ok()) return noSkins;
    std::set<std::string> names;
    for (std::size_t i = 0, n = entries(rcdata); i < n && i < 4096 && bytes.Ok(); ++i) {
        const std::uint32_t name = bytes.U32(rcdata + 16 + 8 * i);
        if (!(name & kHighBit)) continue;
        const std::size_t text = base + (name & ~kHighBit);
        std::string upper;
        for (std::size_t c = 0, length = bytes.U16(text); c < length && bytes.Ok(); ++c) {
            const std::uint32_t unit = bytes.U16(text + 2 + 2 * c);
            upper.push_back(unit >= 'a' && unit <= 'z' ? static_cast<char>(unit - 32)
                                                       : unit < 128 ? static_cast<char>(unit) : '?');
        }
        names.insert(upper);
    }
    for (int i = 0; i < kStoredSkins; ++i)
        if (!names.count("SKINITEM" + std::to_string(i))) return noSkins;
    return {};
}

}  // namespace vc::pack
