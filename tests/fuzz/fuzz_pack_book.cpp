// The authoring tool's book reader on any text: reading may refuse, but
// never crash. Extract's round trip has a target of its own, so that each
// input here costs one reading.
#include <cstdint>
#include <cstdlib>
#include <string>

// A fuzzing build makes no tools, so the tool's reader is compiled in here.
#include "../../tools/pack/book_file.cpp"
#include "../../tools/pack/book_keys.cpp"
#include "../../tools/pack/book_search.cpp"
#include "../../tools/pack/link_check.cpp"
#include "../../tools/pack/new_book.cpp"
#include "../../tools/pack/packed_pages.cpp"
#include "../../tools/pack/pack.cpp"
#include "../../tools/pack/page_output.cpp"
#include "../../tools/pack/runtime_image.cpp"
#include "../../tools/pack/runtime_search.cpp"
#include "../../tools/pack/search_button.cpp"
#include "../../tools/pack/suggest.cpp"
#include "../../tools/pack/this_program_posix.cpp"
#include "../../tools/pack/tool_output.cpp"
#include "../../tools/pack/tool_output_posix.cpp"

using namespace vc::pack;

// Reading costs per line, each key looked up in the tool's table, and one
// kilobyte holds every kind of line (the sample book is kept in the seeds in
// two halves): longer inputs only slow the search down.
constexpr std::size_t kMaxInput = 1024;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput) return 0;
    try {
        ParseBook(std::string(reinterpret_cast<const char*>(data), size), "fuzz.ini");
    } catch (const PackError&) {
    }
    return 0;
}
