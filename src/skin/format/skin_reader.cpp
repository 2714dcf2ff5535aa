#include "skin/format/skin_reader.h"

#include "skin/format/lzh.h"

namespace vc {

namespace {

std::uint32_t LE32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

[[noreturn]] void Damaged(const std::string& what) { throw ESkinFileError("Damaged skin file: " + what); }

}  // namespace

bool TSkinReader::Load(const std::uint8_t* data, std::size_t size) {
    return LoadContainer(TLZH::Decompress(data, size));
}

bool TSkinReader::LoadContainer(std::vector<std::uint8_t> container) {
    // The format trusts every count and size it holds; each is checked
    // against the bytes present before anything is read with it.
    if (container.size() < kHeaderSize)
        Damaged("the header needs " + std::to_string(kHeaderSize) + " bytes, the skin holds " +
                std::to_string(container.size()));
    Header header;
    header.version = LE32(container, 0);
    header.name_length = LE32(container, 4);
    header.reserved1 = LE32(container, 8);
    header.reserved2 = LE32(container, 12);
    if (header.version != kVersion) {
        if (ShowMessage) ShowMessage(kOlderSkinMessage);
        return false;
    }
    const std::size_t available = container.size() - kHeaderSize;
    if (header.name_length > available)
        Damaged("the member names take " + std::to_string(header.name_length) + " bytes, only " +
                std::to_string(available) + " follow the header");
    const std::string text(reinterpret_cast<const char*>(container.data()) + kHeaderSize, header.name_length);
    StringList names = SplitLines(LowerCase(text));
    if (names.size() > kMaxMembers)
        Damaged(std::to_string(names.size()) + " members, more than the " + std::to_string(kMaxMembers) +
                " a skin may hold");
    const std::size_t table = kHeaderSize + header.name_length;
    const std::size_t table_size = 4 * names.size();
    if (table_size > container.size() - table)
        Damaged("the size table of " + std::to_string(names.size()) + " members does not fit");
    const std::size_t data_start = table + table_size;
    const std::size_t data_available = container.size() - data_start;
    std::vector<std::uint32_t> sizes(names.size());
    std::vector<std::size_t> offsets(names.size());
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        sizes[i] = LE32(container, table + 4 * i);
        offsets[i] = static_cast<std::size_t>(total);
        total += sizes[i];
        if (total > data_available)
            Damaged("member '" + names[i] + "' ends at byte " + std::to_string(total) + " of the data, only " +
                    std::to_string(data_available) + " are present");
    }
    header_ = header;
    names_ = std::move(names);
    sizes_ = std::move(sizes);
    offsets_ = std::move(offsets);
    buffer_ = std::move(container);
    data_start_ = data_start;
    data_size_ = static_cast<std::size_t>(total);
    return true;
}

void TSkinReader::Member(std::size_t index, std::vector<std::uint8_t>& destination) const {
    const auto first = buffer_.begin() + static_cast<std::ptrdiff_t>(data_start_ + offsets_[index]);
    destination.assign(first, first + static_cast<std::ptrdiff_t>(sizes_[index]));
}

bool TSkinReader::GetFile(std::string_view name, std::vector<std::uint8_t>& destination) const {
    destination.clear();
    const std::string wanted = LowerCase(name);
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == wanted) {
            Member(i, destination);
            return true;
        }
    }
    return false;
}

bool TSkinReader::FindFile(std::string_view fragment, std::vector<std::uint8_t>& destination,
                           std::string& name) const {
    destination.clear();
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i].find(fragment) != std::string::npos) {
            Member(i, destination);
            name = names_[i];
            return true;
        }
    }
    return false;
}

}  // namespace vc
