// The payload reader on arbitrary files: it may refuse a file, but never
// reads outside it, never allocates what the file does not hold, and never
// writes past the size it reports.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/errors.h"
#include "runtime/payload.h"

// The first byte chooses: odd puts the marker in front of the last eight
// bytes, so that most inputs reach the offset and size checks.
std::string FileBytes(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return std::string();
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if ((data[0] & 1) && bytes.size() >= 8) {
        const auto& marker = vc::PayloadTrailer::kMarker;
        bytes.insert(bytes.size() - 8, reinterpret_cast<const char*>(marker.data()), marker.size());
    }
    return bytes;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/vc_fuzz_payload_" + std::to_string(::getpid()) + ".exe";
    const std::string bytes = FileBytes(data, size);
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    try {
        const vc::TPayload payload(path);
        const std::int32_t length = payload.GetPayloadSize();
        if (length > 0) {
            if (static_cast<std::size_t>(length) > bytes.size()) __builtin_trap();
            std::vector<char> buffer(static_cast<std::size_t>(length));
            payload.ReadPayload(buffer.data());
        }
    } catch (const vc::EInOutError&) {
    }
    return 0;
}
