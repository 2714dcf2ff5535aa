#pragma once
// A complete, valid configuration of 103 lines, of which tests change single lines.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "book/payload.h"

namespace vc::testing_lines {

inline std::vector<std::string> BookLines() {
    std::vector<std::string> l(103);
    l[0] = "Tour";
    l[1] = "0";
    l[2] = "clNavy";
    l[3] = "0";
    l[4] = "2";
    l[5] = "800";
    l[6] = "600";
    l[7] = l[8] = l[9] = "1";
    l[10] = "C:\\Books\\tour\\pages\\index.htm";
    l[11] = l[12] = l[21] = "1";
    l[22] = l[24] = l[32] = l[33] = l[36] = "0";
    for (int i = 37; i <= 46; ++i) l[static_cast<std::size_t>(i)] = "hint" + std::to_string(i);
    l[50] = l[80] = "0";
    for (int i = 82; i <= 90; ++i) l[static_cast<std::size_t>(i)] = "1";
    l[97] = "\xA9";
    l[98] = "16";
    l[99] = l[101] = "0";
    l[102] = "3";
    return l;
}

// The lines as a payload carries them, each ended by CR LF.
inline std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// An e-book at `path`: a few stand-in runtime bytes, the payload, the trailer.
inline void WriteStandInBook(const std::string& path, const std::string& payload) {
    const std::string runtime = "MZ stand-in runtime";
    PayloadTrailer trailer;
    trailer.offset = static_cast<std::int32_t>(runtime.size());
    trailer.size = static_cast<std::int32_t>(payload.size());
    const auto bytes = trailer.Encode();
    std::ofstream(path, std::ios::binary) << runtime << payload
                                          << std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace vc::testing_lines
