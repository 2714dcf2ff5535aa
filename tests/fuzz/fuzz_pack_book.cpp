// The authoring tool's book reader on any text, and extract on any payload:
// reading may refuse, but never crash, and what extract writes must read
// back as the same lines.
#include <cstdint>
#include <cstdlib>
#include <string>

// A fuzzing build makes no tools, so the tool's reader is compiled in here.
#include "../../tools/pack/book_file.cpp"
#include "../../tools/pack/book_keys.cpp"
#include "../../tools/pack/pack.cpp"
#include "../../tools/pack/runtime_image.cpp"
#include "../../tools/pack/tool_output.cpp"
#include "../../tools/pack/tool_output_posix.cpp"

using namespace vc::pack;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        ParseBook(text, "fuzz.ini");
    } catch (const PackError&) {
    }
    if (text.empty()) return 0;

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
