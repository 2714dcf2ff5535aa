// The skin container reader on any decompressed bytes, and on any stream.
#include <cstdint>
#include <string>
#include <vector>

#include "skin/format/lzh.h"
#include "skin/format/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vc::TSkinReader reader;
    try {
        if (size > 0 && data[0] == 'Z') {
            // As a compressed stream, its declared size kept below 2 KiB:
            // decoding costs per byte declared, whatever the input holds, and
            // the decoder has a target of its own.
            // Missing size bytes read as zero, so padding them changes nothing.
            std::vector<std::uint8_t> stream(data + 1, data + size);
            if (stream.size() < 4) stream.resize(4, 0);
            stream[1] &= 0x07;
            stream[2] = stream[3] = 0;
            if (!reader.Load(stream)) return 0;
        } else if (!reader.LoadContainer(std::vector<std::uint8_t>(data, data + size))) {
            return 0;
        }
    } catch (const vc::Exception&) {
        return 0;
    }
    std::vector<std::uint8_t> member;
    // Every member once (the bytes the input holds), but a search by name
    // only for the first few: it is linear, and a thousand members would make
    // each input a million comparisons.
    for (std::size_t i = 0; i < reader.Count(); ++i) {
        reader.Member(i, member);
        if (member.size() != reader.Size(i)) __builtin_trap();
        if (i < 8) reader.GetFile(reader.Names()[i], member);
    }
    std::string name;
    reader.FindFile(".ini", member, name);
    reader.FindFile("", member, name);
    return 0;
}
