// The skin container reader on any decompressed bytes, and on any stream.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/lzh.h"
#include "skin/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vc::TSkinReader reader;
    try {
        if (size > 0 && data[0] == 'Z') {
            // As a compressed stream, its declared size kept small.
            std::vector<std::uint8_t> stream(data + 1, data + size);
            if (stream.size() >= 4) stream[2] = stream[3] = 0;
            if (!reader.Load(stream)) return 0;
        } else if (!reader.LoadContainer(std::vector<std::uint8_t>(data, data + size))) {
            return 0;
        }
    } catch (const vc::Exception&) {
        return 0;
    }
    std::vector<std::uint8_t> member;
    for (std::size_t i = 0; i < reader.Count(); ++i) {
        reader.GetFile(reader.Names()[i], member);
        reader.Member(i, member);
    }
    std::string name;
    reader.FindFile(".ini", member, name);
    reader.FindFile("", member, name);
    return 0;
}
