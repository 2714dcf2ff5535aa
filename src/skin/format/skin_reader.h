#pragma once
// TSkinReader: the skin container inside a decompressed skin. A container is
// a 16-byte header (version, length of the name text, two reserved words),
// the member names one per line, a size table, then the members' bytes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.h"
#include "common/text.h"

namespace vc {

// A container whose counts and sizes do not fit the bytes it holds.
class ESkinFileError : public Exception {
public:
    using Exception::Exception;
};

class TSkinReader {
public:
    static constexpr std::uint32_t kVersion = 20000;
    static constexpr std::size_t kHeaderSize = 16;
    // The size table has room for this many entries.
    static constexpr std::size_t kMaxMembers = 1001;
    // Shown in one message box: the two parts joined by a carriage return.
    static constexpr const char* kOlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

    struct Header {
        std::uint32_t version = 0;
        std::uint32_t name_length = 0;
        std::uint32_t reserved1 = 0;
        std::uint32_t reserved2 = 0;
    };

    // Called with the message text when a container has the wrong version;
    // the Windows side shows it in a message box.
    std::function<void(const std::string&)> ShowMessage;

    // Decompresses a compressed skin stream and opens the container in it.
    // False (after the message) for a container of another version; raises
    // ESkinFileError for a damaged one and ElzhException for a damaged stream.
    bool Load(const std::uint8_t* data, std::size_t size);
    bool Load(const std::vector<std::uint8_t>& compressed) { return Load(compressed.data(), compressed.size()); }
    // The same for a container already decompressed.
    bool LoadContainer(std::vector<std::uint8_t> container);

    // The member whose name equals `name` in lower case; an empty destination
    // (and false) when there is none.
    bool GetFile(std::string_view name, std::vector<std::uint8_t>& destination) const;
    // The first member whose name contains `fragment` (case-sensitive, against
    // the lower-case names); `name` is left as it was when there is none.
    bool FindFile(std::string_view fragment, std::vector<std::uint8_t>& destination, std::string& name) const;

    const Header& header() const { return header_; }
    const StringList& Names() const { return names_; }
    std::size_t Count() const { return names_.size(); }
    std::uint32_t Size(std::size_t index) const { return sizes_.at(index); }
    // Bytes present after the last member (kept, never read).
    std::size_t TrailingBytes() const { return buffer_.size() - data_start_ - data_size_; }

    // The bytes of member `index` (in name order).
    void Member(std::size_t index, std::vector<std::uint8_t>& destination) const;

private:

    Header header_;
    StringList names_;
    std::vector<std::uint32_t> sizes_;
    std::vector<std::size_t> offsets_;
    std::vector<std::uint8_t> buffer_;  // the whole container; members start at data_start_
    std::size_t data_start_ = 0;
    std::size_t data_size_ = 0;
};

}  // namespace vc
