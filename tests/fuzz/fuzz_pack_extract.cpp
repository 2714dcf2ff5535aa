// The authoring tool's extract on any payload: what it writes must read
// back, line by line, as the payload it came from.
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

// A payload is 103 configuration lines and a menu definition, and the cost
// grows per line; one kilobyte holds a small book's whole payload.
constexpr std::size_t kMaxInput = 1024;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput || size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const Book book = ParseBook(ExtractBook(text, "fuzz.exe"), "extracted.ini");
    const auto raw = SplitRawLines(text);
    if (const BookValue* whole = book.Find("payload", "text")) {
        if (whole->text != text) std::abort();
        return 0;
    }
    for (std::size_t i = 0; i < raw.size() && i <= 102; ++i) {
        const KeyEntry& entry = EntryForLine(static_cast<int>(i));
        const std::string key = entry.form == Form::kPage ? RecordedKey(entry) : std::string(entry.key);
        const BookValue* value = book.Find(entry.section, key);
        if (!value) std::abort();
        const std::string stored = value->quoted ? value->text : TranslatePlain(entry, value->text);
        if (stored != raw[i].text) std::abort();
    }
    for (std::size_t i = 103; i < raw.size(); ++i)
        if (book.menuLines.at(i - 103) != raw[i].text) std::abort();
    return 0;
}
