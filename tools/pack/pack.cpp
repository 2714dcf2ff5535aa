#include "pack.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "book/book_paths.h"
#include "book/page_archive.h"
#include "book/configuration.h"
#include "book/payload.h"
#include "book_keys.h"
#include "book_search.h"
#include "link_check.h"
#include "new_book.h"
#include "packed_pages.h"
#include "page_output.h"
#include "common/errors.h"
#include "common/text.h"
#include "common/values.h"
#include "runtime_image.h"
#include "runtime_search.h"
#include "search_button.h"
#include "suggest.h"
#include "tool_output.h"

namespace vc::pack {

namespace fs = std::filesystem;

namespace {

constexpr int kConfigurationLines = line::kLastLine + 1;

// The first words of every description extract writes: how a later extract
// knows it may replace the file.
constexpr const char* kExtractedHeader = "; Book description extracted from";

std::string ReadWholeFile(const fs::path& path, const std::string& what) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw PackError("cannot read " + what + " \"" + path.string() + "\"");
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string KeyName(const KeyEntry& entry) { return std::string("[") + entry.section + "] " + entry.key; }

std::string LinePart(const KeyEntry& entry) { return " (configuration line " + std::to_string(entry.line) + ")"; }

// The place of a value in the book: "tour.ini:12: " or "tour.ini: ".
std::string Place(const Book& book, const BookValue* value) {
    return book.fileName + ":" + (value ? std::to_string(value->lineNumber) + ":" : std::string()) + " ";
}

[[noreturn]] void FailValue(const Book& book, const BookValue* given, const std::string& keyName,
                            const std::string& shown, const std::string& reason, const KeyEntry& entry) {
    throw PackError(Place(book, given) + keyName + " = \"" + Excerpt(shown) + "\": " + reason +
                        LinePart(entry),
                    given ? given->lineNumber : 0);
}

std::string ForwardSlashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

// A page of the book (start page, separate home page): where it lies and the
// path written into its configuration line.
struct Page {
    std::string recorded;
    fs::path folder;
};

Page LocatePage(const Book& book, const fs::path& bookPath, const KeyEntry& entry, const BookValue* relative,
                const BookValue* recorded) {
    const std::string relName = KeyName(entry);
    const std::string recName = std::string("[") + entry.section + "] " + RecordedKey(entry);
    std::string recordedRelative;
    if (recorded) {
        try {
            recordedRelative = BookRelativePath(recorded->text);
        } catch (const EListError&) {
            FailValue(book, recorded, recName, recorded->text,
                      "a recorded page path needs a folder and a file name, such as C:\\Books\\tour\\pages\\index.htm",
                      entry);
        }
    }
    const fs::path bookDir = bookPath.has_parent_path() ? bookPath.parent_path() : fs::path(".");
    const BookValue* shownValue = relative ? relative : recorded;
    const std::string shownName = relative ? relName : recName;
    const fs::path file = bookDir / ForwardSlashes(relative ? relative->text : recordedRelative);
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        FailValue(book, shownValue, shownName, shownValue->text,
                  "the page file \"" + file.generic_string() + "\" does not exist", entry);

    const fs::path canonical = fs::canonical(file);
    const fs::path folder = canonical.parent_path();
    const fs::path canonicalBookDir = fs::canonical(bookDir);
    if (folder == canonicalBookDir)
        FailValue(book, shownValue, shownName, shownValue->text,
                  "the page must lie in a pages folder beside the book file, such as pages/index.htm", entry);

    const std::string expected = folder.filename().string() + "\\" + canonical.filename().string();
    Page page;
    page.folder = folder;
    if (recorded) {
        // Only the last folder and the file name travel with the e-book.
        if (!SameText(recordedRelative, expected))
            FailValue(book, recorded, recName, recorded->text,
                      "the recorded path ends in \"" + recordedRelative + "\" but the page is \"" + expected + "\"",
                      entry);
        page.recorded = recorded->text;
    } else {
        std::string bookFolder = canonicalBookDir.filename().string();
        if (bookFolder.empty()) bookFolder = "book";
        page.recorded = "C:\\Books\\" + bookFolder + "\\" + expected;
    }
    return page;
}

void AddFolder(ComposedBook& composed, const fs::path& folder) {
    if (std::find(composed.pageFolders.begin(), composed.pageFolders.end(), folder) != composed.pageFolders.end())
        return;
    for (const auto& other : composed.pageFolders)
        if (other.filename() == folder.filename())
            throw PackError("two page folders share the name \"" + folder.filename().string() + "\": \"" +
                            other.generic_string() + "\" and \"" + folder.generic_string() + "\"");
    composed.pageFolders.push_back(folder);
}

void Warn(ComposedBook& composed, const Book& book, const BookValue* given, const std::string& warning) {
    if (!warning.empty())
        composed.warnings.emplace_back(given ? given->lineNumber : 0, Place(book, given) + "warning: " + warning);
}

// A whole payload given verbatim: its lines are checked as the runtime reads
// them, and its pages located from the recorded paths.
ComposedBook ComposeVerbatim(const Book& book, const fs::path& bookPath, const BookValue& text) {
    if (book.values.size() != 1 + (book.Find("book", kPagesKey) ? 1u : 0u) || book.hasMenuDefinition)
        throw PackError(Place(book, &text) +
                        "[payload] text gives the whole payload; no other key but [book] pages and no menu "
                        "definition may be given");
    ComposedBook composed;
    composed.payload = text.text;
    for (const RawLine& raw : SplitRawLines(text.text)) composed.lines.push_back(raw.text);
    const int count = static_cast<int>(std::min<std::size_t>(composed.lines.size(), kConfigurationLines));
    for (int i = 0; i < count; ++i) {
        const KeyEntry& entry = EntryForLine(i);
        const std::string& value = composed.lines[static_cast<std::size_t>(i)];
        const std::string where = "[payload] text, line " + std::to_string(i) + " (" + KeyName(entry) + ")";
        if (entry.form == Form::kPage) {
            if (value.empty() && i != line::kStartPage) continue;
            BookValue recorded{value, true, text.lineNumber};
            AddFolder(composed, LocatePage(book, bookPath, entry, nullptr, &recorded).folder);
            continue;
        }
        try {
            Warn(composed, book, &text, CheckValue(entry, value));
        } catch (const EConvertError& e) {
            FailValue(book, &text, where, value, e.what(), entry);
        }
    }
    if (composed.payload.empty()) throw PackError(Place(book, &text) + "[payload] text is empty");
    return composed;
}

std::string PayloadLineBreak(const Book& book) {
    const BookValue* given = book.Find("payload", "line-break");
    if (!given) return "\r\n";
    if (SameText(given->text, "crlf")) return "\r\n";
    if (SameText(given->text, "lf")) return "\n";
    if (SameText(given->text, "cr")) return "\r";
    throw PackError(Place(book, given) + "[payload] line-break = \"" + Excerpt(given->text) + "\": use crlf, lf or cr",
                    given->lineNumber);
}

bool PayloadFinalBreak(const Book& book) {
    const BookValue* given = book.Find("payload", "final-line-break");
    if (!given) return true;
    try {
        static const KeyEntry kFinalBreak{-1, "payload", "final-line-break", Form::kBoolean, DefaultRule::kLiteral,
                                          "1", ""};
        return StrToBool(given->quoted ? given->text : TranslatePlain(kFinalBreak, given->text));
    } catch (const EConvertError& e) {
        throw PackError(Place(book, given) + "[payload] final-line-break = \"" + Excerpt(given->text) + "\": " + e.what(),
                        given->lineNumber);
    }
}

bool PagesInside(const Book& book) {
    const BookValue* given = book.Find("book", kPagesKey);
    if (!given || SameText(given->text, "inside")) return true;
    if (SameText(given->text, "beside")) return false;
    throw PackError(Place(book, given) + "[book] pages = \"" + Excerpt(given->text) +
                        "\": use inside (the pages travel in the e-book) or beside (in their folders next to it)",
                    given->lineNumber);
}

}  // namespace

SearchSettings ReadSearchSettings(const Book& book) {
    SearchSettings settings;
    if (const BookValue* given = book.Find("search", "on")) {
        try {
            static const KeyEntry kSearchOn{-1, "search", "on", Form::kBoolean, DefaultRule::kLiteral, "1", ""};
            settings.on = StrToBool(given->quoted ? given->text : TranslatePlain(kSearchOn, given->text));
        } catch (const EConvertError& e) {
            throw PackError(Place(book, given) + "[search] on = \"" + Excerpt(given->text) + "\": " + e.what(),
                            given->lineNumber);
        }
    }
    if (const BookValue* given = book.Find("search", "encoding")) {
        if (SameText(given->text, "utf-8")) {
            settings.encoding = search::TextEncoding::kUtf8;
        } else if (!SameText(given->text, "windows-1252")) {
            throw PackError(Place(book, given) + "[search] encoding = \"" + Excerpt(given->text) +
                                "\": use windows-1252 or utf-8",
                            given->lineNumber);
        }
    }
    return settings;
}

namespace {

int PayloadLineCount(const Book& book) {
    const BookValue* given = book.Find("payload", "lines");
    if (!given) return kConfigurationLines;
    const auto count = TryStrToInt(given->text);
    if (!count || *count < 1 || *count > kConfigurationLines)
        throw PackError(Place(book, given) + "[payload] lines = \"" + Excerpt(given->text) + "\": a number from 1 to " +
                            std::to_string(kConfigurationLines) + " is expected",
                        given->lineNumber);
    if (*count < kConfigurationLines && book.hasMenuDefinition)
        throw PackError(Place(book, given) + "[payload] lines = \"" + Excerpt(given->text) +
                        "\": a menu definition needs all " + std::to_string(kConfigurationLines) +
                        " configuration lines before it",
                        given->lineNumber);
    return *count;
}

// One configuration line from its key, or from its default; lines whose
// default depends on others are left to the caller.
void ComposeLine(const Book& book, const fs::path& bookPath, const KeyEntry& entry, std::string& value,
                 ComposedBook& composed, std::vector<const KeyEntry*>& derived) {
    if (entry.form == Form::kPage) {
        const BookValue* relative = book.Find(entry.section, entry.key);
        const BookValue* recorded = book.Find(entry.section, RecordedKey(entry));
        if (relative && relative->text.empty()) relative = nullptr;
        if (recorded && recorded->text.empty()) recorded = nullptr;
        if (!relative && !recorded) {
            if (entry.line == line::kStartPage)
                throw PackError(book.fileName + ": " + KeyName(entry) +
                                " is missing: every book needs a start page, such as start-page = pages/index.htm" +
                                LinePart(entry));
            return;
        }
        const Page page = LocatePage(book, bookPath, entry, relative, recorded);
        value = page.recorded;
        try {
            CheckValue(entry, value);
        } catch (const EConvertError& e) {
            const BookValue* shown = recorded ? recorded : relative;
            FailValue(book, shown, KeyName(entry) + (recorded ? "-recorded" : ""), shown->text, e.what(), entry);
        }
        AddFolder(composed, page.folder);
        return;
    }
    const BookValue* given = book.Find(entry.section, entry.key);
    if (!given) {
        if (entry.rule != DefaultRule::kLiteral) derived.push_back(&entry);
        else value = entry.defaultValue;
        return;
    }
    try {
        value = given->quoted ? given->text : TranslatePlain(entry, given->text);
        Warn(composed, book, given, CheckValue(entry, value));
    } catch (const EConvertError& e) {
        FailValue(book, given, KeyName(entry), given->text, e.what() + DidYouMean(given->text, WordsOf(entry.form)),
                  entry);
    }
}

// A payload no reader could use: the message names the largest value, the
// likely cause, by its key and line.
void RefuseOversizedPayload(const Book& book, const std::string& payload) {
    if (payload.size() <= kMaxPayloadSize) return;
    std::string message = book.fileName + ": the payload would be " + std::to_string(payload.size()) +
                          " bytes, more than the " + std::to_string(kMaxPayloadSize) + " (16 MiB) an e-book may carry";
    const auto largest = std::max_element(book.values.begin(), book.values.end(), [](const auto& a, const auto& b) {
        return a.second.text.size() < b.second.text.size();
    });
    if (largest != book.values.end()) {
        const auto slash = largest->first.find('/');
        message += "; the largest value is [" + largest->first.substr(0, slash) + "] " +
                   largest->first.substr(slash + 1) + " on line " + std::to_string(largest->second.lineNumber) +
                   " (" + std::to_string(largest->second.text.size()) + " bytes)";
    }
    throw PackError(message, largest != book.values.end() ? largest->second.lineNumber : 0);
}

// Every mistake in one message, in the order of the book's lines.
void ThrowAll(std::vector<PackError> errors) {
    if (errors.empty()) return;
    std::stable_sort(errors.begin(), errors.end(),
                     [](const PackError& a, const PackError& b) { return a.LineNumber() < b.LineNumber(); });
    std::string all;
    for (const auto& e : errors) all += (all.empty() ? "" : "\n") + std::string(e.what());
    throw PackError(all, errors.front().LineNumber());
}

}  // namespace

ComposedBook ComposeBook(const Book& book, const fs::path& bookPath) {
    std::vector<PackError> errors = book.errors;
    if (const BookValue* text = book.Find("payload", "text")) {
        ComposedBook composed;
        try {
            composed = ComposeVerbatim(book, bookPath, *text);
            composed.pagesInside = PagesInside(book);
        } catch (const PackError& e) {
            errors.push_back(e);
        }
        ThrowAll(std::move(errors));
        RefuseOversizedPayload(book, composed.payload);
        return composed;
    }

    ComposedBook composed;
    for (const auto& warning : book.warnings) composed.warnings.emplace_back(0, warning);
    std::vector<std::string> lines(kConfigurationLines);
    std::vector<const KeyEntry*> derived;
    for (const auto& entry : KeyTable()) {
        try {
            ComposeLine(book, bookPath, entry, lines[static_cast<std::size_t>(entry.line)], composed, derived);
        } catch (const PackError& e) {
            errors.push_back(e);
        }
    }
    for (const KeyEntry* entry : derived) {
        auto& value = lines[static_cast<std::size_t>(entry->line)];
        switch (entry->rule) {
            case DefaultRule::kTitle: value = lines[line::kTitle]; break;
            case DefaultRule::kMenuPresent: value = book.hasMenuDefinition ? "1" : "0"; break;
            case DefaultRule::kHomePageGiven: value = lines[line::kAltHomePage].empty() ? "0" : "1"; break;
            case DefaultRule::kLiteral: break;
        }
    }

    // A skinned window's title bar is the skin's: the gradient would never show.
    try {
        if (StrToBool(lines[line::kGradientOn]) && StrToBool(lines[line::kSkinOn])) {
            const BookValue* gradient = book.Find("caption", "gradient");
            composed.warnings.emplace_back(gradient ? gradient->lineNumber : 0,
                                           Place(book, gradient) +
                                               "warning: the gradient title bar is not shown while the window wears "
                                               "a skin, which owns the title bar");
        }
    } catch (const Exception&) {
        // Values that are no booleans were reported with the other mistakes.
    }
    for (const auto& menuLine : book.menuLines)
        if (menuLine.find('\0') != std::string::npos) {
            composed.warnings.emplace_back(INT32_MAX, book.fileName +
                                                          ": warning: a zero byte in the menu definition ends the text "
                                                          "the runtime reads; the menu lines after it are lost");
            break;
        }
    std::string lineBreak;
    bool finalBreak = true;
    int lineCount = kConfigurationLines;
    try {
        lineBreak = PayloadLineBreak(book);
        finalBreak = PayloadFinalBreak(book);
        lineCount = PayloadLineCount(book);
        composed.pagesInside = PagesInside(book);
    } catch (const PackError& e) {
        errors.push_back(e);
    }
    ThrowAll(std::move(errors));
    std::stable_sort(composed.warnings.begin(), composed.warnings.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    lines.resize(static_cast<std::size_t>(lineCount));
    lines.insert(lines.end(), book.menuLines.begin(), book.menuLines.end());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        composed.payload += lines[i];
        if (i + 1 < lines.size() || finalBreak) composed.payload += lineBreak;
    }
    if (composed.payload.empty()) throw PackError(book.fileName + ": the payload would be empty");
    RefuseOversizedPayload(book, composed.payload);
    composed.lines = std::move(lines);
    return composed;
}

void RefuseOversizedEBook(std::uint64_t runtime, std::uint64_t archive, std::uint64_t payload) {
    // The trailer's offset and size are signed 32-bit numbers.
    const std::uint64_t size = runtime + archive + payload + PayloadTrailer::kSize;
    if (size <= static_cast<std::uint64_t>(INT32_MAX)) return;
    throw PackError("the e-book would be " + std::to_string(size) + " bytes (runtime " + std::to_string(runtime) +
                    ", pages " + std::to_string(archive) + ", payload " + std::to_string(payload) +
                    "), more than the 2147483647 (2 GiB) the payload trailer can address");
}

std::string AppendPayload(const std::string& runtime, const std::string& payload, const std::string& archive) {
    RefuseOversizedEBook(runtime.size(), archive.size(), payload.size());
    PayloadTrailer trailer;
    trailer.offset = static_cast<std::int32_t>(runtime.size() + archive.size());
    trailer.size = static_cast<std::int32_t>(payload.size());
    const auto bytes = trailer.Encode();
    std::string ebook;
    ebook.reserve(runtime.size() + archive.size() + payload.size() + bytes.size());
    ebook += runtime;
    ebook += archive;
    ebook += payload;
    ebook.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return ebook;
}

namespace {

// A code signature sits at the end of a signed program, where it would end
// up inside the e-book: the header's certificate entry is cleared and the
// table cut off. True when there was one.
bool RemoveSignature(std::string& program) {
    const auto table = FindCertificateTable(
        static_cast<std::int64_t>(program.size()), [&](std::int64_t at, unsigned char* to, std::int64_t n) {
            if (at < 0 || n > static_cast<std::int64_t>(program.size()) - at) return false;
            std::memcpy(to, program.data() + at, static_cast<std::size_t>(n));
            return true;
        });
    if (!table) return false;
    program.replace(static_cast<std::size_t>(table->entry), 8, 8, '\0');
    program.resize(static_cast<std::size_t>(table->offset));
    // A signed e-book's trailer lies before the zero bytes that aligned the
    // table; a signed runtime keeps every byte of its own.
    for (std::size_t padding = 0; padding < kCertificateAlignment && padding + PayloadTrailer::kSize < program.size();
         ++padding) {
        const std::size_t end = program.size() - padding;
        if (PayloadTrailer::Decode(reinterpret_cast<const unsigned char*>(program.data() + end - PayloadTrailer::kSize))) {
            program.resize(end);
            break;
        }
        if (program[end - 1] != '\0') break;
    }
    return true;
}

// The runtime without a signature or a payload it may already carry.
std::string BareRuntime(std::string runtime, const fs::path& path, bool replace, std::vector<std::string>& warnings) {
    const bool wasSigned = RemoveSignature(runtime);
    if (runtime.size() <= PayloadTrailer::kSize) return runtime;
    const auto trailer = PayloadTrailer::Decode(
        reinterpret_cast<const unsigned char*>(runtime.data() + runtime.size() - PayloadTrailer::kSize));
    if (!trailer) {
        if (wasSigned)
            warnings.push_back(path.string() +
                               ": its code signature was removed, since it would lie inside the e-book; sign the "
                               "e-book after packing");
        return runtime;
    }
    const std::string name = path.string();
    if (!replace)
        throw PackError(name + " already carries a payload (" + std::to_string(trailer->size) + " bytes at offset " +
                        std::to_string(trailer->offset) +
                        "); give --replace to build from it anyway, its payload removed first");
    // The payload lies from the trailer's offset to the end of the file, the
    // pages of a one-file book just before it.
    if (trailer->offset < 0 || static_cast<std::size_t>(trailer->offset) > runtime.size() - PayloadTrailer::kSize)
        throw PackError(name + " has a damaged payload trailer (offset " + std::to_string(trailer->offset) +
                        " lies outside the file); it cannot be cut off");
    std::size_t end = static_cast<std::size_t>(trailer->offset);
    try {
        if (const auto archive = PageArchive::Open(MemorySource(runtime))) end = static_cast<std::size_t>(archive->Start());
    } catch (const EBookDamaged& damaged) {
        throw PackError(name + " carries damaged pages (" + damaged.what() + "); they cannot be cut off");
    }
    runtime.resize(end);
    if (wasSigned)
        warnings.push_back(name + ": its code signature went with its old payload; sign the new e-book again");
    return runtime;
}

// The findings of the link check as one error: --strict builds nothing.
std::string FindingsRefused(const LinkReport& links) {
    std::string all;
    for (const auto& finding : links.findings) all += finding + "\n";
    return all + std::to_string(links.findings.size()) + (links.findings.size() == 1 ? " problem" : " problems") +
           " in the links and commands; nothing built (--strict)";
}

bool IsEBook(const fs::path& file) {
    try {
        return TPayload(file.string()).HasPayload();
    } catch (const Exception&) {
        return false;
    }
}

// The pages inside an e-book, if it carries them.
std::optional<PageArchive> OpenPages(const std::string& file, const std::string& image) {
    try {
        return PageArchive::Open(MemorySource(image));
    } catch (const EBookDamaged& damaged) {
        throw PackError(file + ": its pages are damaged: " + damaged.what());
    }
}

// The index of the book's HTML pages, empty when [search] on = no or when no
// page holds text to find.
std::string SearchIndexOf(const Book& book, const ComposedBook& composed) {
    const SearchSettings settings = ReadSearchSettings(book);
    if (!settings.on) return std::string();
    std::string index = BuildBookIndex(composed.pageFolders, settings.encoding);
    if (search::SearchIndex::Open(index).PageCount() == 0) return std::string();
    return index;
}

bool IsExtractedBook(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string first;
    std::getline(in, first);
    return first.rfind(kExtractedHeader, 0) == 0;
}

}  // namespace

BuildResult BuildEBook(const BuildOptions& options) {
    tool::RefuseInputAsOutput(options.out, {{"runtime", options.runtime}, {"book file", options.book}});
    const Book book = ParseBook(ReadWholeFile(options.book, "the book file"), options.book.string());
    ComposedBook composed = ComposeBook(book, options.book);
    LinkReport links = CheckLinks(book, composed, options.book);
    if (options.strict && !links.findings.empty()) throw PackError(FindingsRefused(links));
    std::error_code error;
    const bool folder = fs::is_directory(options.runtime, error);
    const std::string given = folder ? std::string() : ReadWholeFile(options.runtime, "the runtime");
    const std::string why = folder ? "it is a folder" : WhyNotTheRuntime(given);
    if (!why.empty())
        throw PackError("refusing " + tool::Shown(options.runtime) + " as the runtime: " + why +
                        "; give the vellumcast.exe of the Windows build");
    std::vector<std::string> signatureWarnings;
    const std::string runtime = BareRuntime(given, options.runtime, options.replace, signatureWarnings);
    std::vector<PageFile> pages;
    if (composed.pagesInside) pages = GatherPages(composed.pageFolders);
    const std::string index = SearchIndexOf(book, composed);
    // The search button's settings travel only with the index they serve,
    // but a wrong value is refused either way.
    const std::string buttonSettings = SearchButtonSettingsText(book);
    // A classic book carries an archive of its index alone.
    const std::string archive = pages.empty() && index.empty()
                                    ? std::string()
                                    : PackPages(pages, index, index.empty() ? std::string() : buttonSettings);
    const std::string ebook = AppendPayload(runtime, composed.payload, archive);

    const fs::path outDir = options.out.has_parent_path() ? options.out.parent_path() : fs::path(".");
    const fs::path outDirFull = fs::weakly_canonical(fs::absolute(outDir));
    if (options.out.filename().empty()) throw PackError("--out names a folder; give the e-book's file name");
    for (const auto& folder : composed.pageFolders)
        if (!composed.pagesInside && IsInside(outDirFull, folder))
            throw PackError("the output folder \"" + outDir.generic_string() + "\" lies inside the pages folder \"" +
                            folder.generic_string() + "\"");

    tool::RefuseOverwrite(options.out, options.force, "an e-book", IsEBook);
    for (const auto& folder : composed.pagesInside ? std::vector<fs::path>() : composed.pageFolders) {
        std::error_code same;
        const fs::path target = outDir / folder.filename();
        if (!fs::equivalent(target, folder, same)) RefusePagesOutput(folder, target, options.force);
    }

    BuildResult result;
    try {
        fs::create_directories(outDir);
        for (const auto& folder : composed.pagesInside ? std::vector<fs::path>() : composed.pageFolders) {
            const fs::path target = outDir / folder.filename();
            std::error_code same;
            if (fs::exists(target) && fs::equivalent(target, folder, same)) continue;
            CopyPages(folder, target);
            result.copiedFolders.push_back(target);
        }
        tool::WriteFileSafely(options.out, ebook);
    } catch (const fs::filesystem_error& e) {
        throw PackError(e.what());
    }
    result.runtimeSize = runtime.size();
    result.payloadSize = composed.payload.size();
    result.lineCount = composed.lines.size();
    result.pageCount = pages.size();
    result.archiveSize = archive.size();
    result.searchIndexSize = index.size();
    for (auto& warning : composed.warnings) result.warnings.push_back(std::move(warning.second));
    for (auto& warning : signatureWarnings) result.warnings.push_back(std::move(warning));
    result.linkFindings = std::move(links.findings);
    result.pagesChecked = links.pagesChecked;
    return result;
}

std::string ReadEBookPayload(const fs::path& ebook) {
    try {
        const TPayload reader(ebook.string());
        if (!reader.HasPayload())
            throw PackError(ebook.string() + " carries no payload: it is a bare runtime or not an e-book");
        std::string payload(static_cast<std::size_t>(reader.GetPayloadSize()), '\0');
        reader.ReadPayload(payload.data());
        return payload;
    } catch (const EInOutError& e) {
        throw PackError(ebook.string() + ": " + e.what());
    }
}

std::string DescribePayload(const std::string& payload) {
    const auto raw = SplitRawLines(payload);
    std::ostringstream out;
    out << "payload: " << payload.size() << " bytes, " << raw.size() << " lines\n";
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const std::string& value = raw[i].text;
        out.width(4);
        out << i << "  ";
        if (i >= static_cast<std::size_t>(kConfigurationLines)) {
            out << "menu definition  " << value << "\n";
            continue;
        }
        const KeyEntry& entry = EntryForLine(static_cast<int>(i));
        const std::string key = entry.form == Form::kPage ? std::string("[") + entry.section + "] " + RecordedKey(entry)
                                                          : KeyName(entry);
        const std::string shown = FormatValue(value);
        out << key << (shown.empty() ? " =" : " = ") << shown;
        try {
            if (entry.form == Form::kPage && (!value.empty() || entry.line == line::kStartPage))
                BookRelativePath(value);
            const std::string warning = CheckValue(entry, value);
            if (!warning.empty()) out << "    <- warning: " << warning;
        } catch (const Exception& e) {
            out << "    <- error: " << e.what();
        }
        out << "\n";
    }
    if (raw.size() < static_cast<std::size_t>(kConfigurationLines))
        out << "lines " << raw.size() << " to " << line::kLastLine
            << " are missing: the runtime reports \"List index out of bounds (" << raw.size()
            << ")\" when it reads them\n";
    if (const auto zero = payload.find('\0'); zero != std::string::npos)
        out << "a zero byte at payload offset " << zero << " ends the text the runtime reads\n";
    return out.str();
}

std::string ExtractBook(const std::string& payload, const std::string& sourceName, bool pagesBeside) {
    const auto raw = SplitRawLines(payload);
    if (raw.empty()) throw PackError(sourceName + ": the payload is empty");
    std::ostringstream out;
    out << kExtractedHeader << " " << sourceName << " by vellumcast-pack.\n"
        << "; Building it gives the same payload byte for byte; the pages folder named\n"
        << "; in start-page must lie beside this file.\n";

    // One line break throughout (the last line may lack it) can be described;
    // anything else is kept as the whole text.
    const std::string lineBreak = raw.size() > 1 ? raw.front().lineBreak
                                                 : (raw.front().lineBreak.empty() ? "\r\n" : raw.front().lineBreak);
    const bool uniform = std::all_of(raw.begin(), raw.end() - 1, [&](const RawLine& l) { return l.lineBreak == lineBreak; }) &&
                         (raw.back().lineBreak == lineBreak || raw.back().lineBreak.empty());
    if (!uniform) {
        out << "; The payload mixes line breaks, so it is kept whole.\n";
        if (pagesBeside) out << "\n[book]\n" << kPagesKey << " = beside\n";
        out << "\n[payload]\ntext = "
            << FormatValue(payload, false) << "\n";
        return out.str();
    }

    for (const auto& section : BookSections()) {
        bool headed = false;
        for (const auto& entry : KeyTable()) {
            if (section != entry.section || entry.line >= static_cast<int>(raw.size())) continue;
            if (!headed) out << "\n[" << section << "]\n";
            headed = true;
            const std::string& value = raw[static_cast<std::size_t>(entry.line)].text;
            const auto put = [&out](const std::string& key, const std::string& formatted) {
                out << key << (formatted.empty() ? " =" : " = ") << formatted << "\n";
            };
            if (entry.form == Form::kPage) {
                std::string relative;
                try {
                    if (!value.empty()) relative = ForwardSlashes(BookRelativePath(value));
                } catch (const EListError&) {
                }
                put(entry.key, FormatValue(relative));
                put(RecordedKey(entry), FormatValue(value));
                continue;
            }
            bool plainReadsBack = false;
            try {
                plainReadsBack = TranslatePlain(entry, value) == value;
            } catch (const EConvertError&) {
            }
            put(entry.key, FormatValue(value, plainReadsBack));
        }
        if (section == "book" && pagesBeside) out << kPagesKey << " = beside\n";
    }

    const std::string breakName = lineBreak == "\n" ? "lf" : lineBreak == "\r" ? "cr" : "crlf";
    const bool finalBreak = !raw.back().lineBreak.empty();
    if (breakName != "crlf" || !finalBreak || raw.size() < static_cast<std::size_t>(kConfigurationLines)) {
        out << "\n[payload]\n";
        if (breakName != "crlf") out << "line-break = " << breakName << "\n";
        if (!finalBreak) out << "final-line-break = no\n";
        if (raw.size() < static_cast<std::size_t>(kConfigurationLines)) out << "lines = " << raw.size() << "\n";
    }
    if (raw.size() > static_cast<std::size_t>(kConfigurationLines)) {
        out << "\n";
        if (!IsMenuDefinitionHeader(Trim(raw[kConfigurationLines].text))) out << kMenuDefinitionMarker << "\n";
        for (std::size_t i = kConfigurationLines; i < raw.size(); ++i) out << raw[i].text << "\n";
    }
    return out.str();
}

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  vellumcast-pack new \"My Book\"\n"
    "  vellumcast-pack build BOOK.ini [--runtime vellumcast.exe] [--out DIR/Name.exe] [--replace] [--force] [--strict]\n"
    "  vellumcast-pack check BOOK.ini [--strict]\n"
    "  vellumcast-pack inspect Name.exe [--raw]\n"
    "  vellumcast-pack extract Name.exe -o book.ini [--pages DIR] [--force]\n"
    "  vellumcast-pack search BOOK.ini|Name.exe QUERY [--typing]\n"
    "  vellumcast-pack keys\n"
    "The book description format is described in docs/authoring.md.\n";

// A message of several lines with every control byte inside a line shown
// escaped: texts from a hostile file must not reach the terminal raw.
std::string EscapeLines(const std::string& message) {
    std::string shown;
    for (const std::string& line : SplitList(message, "\n")) shown += (shown.empty() ? "" : "\n") + EscapeText(line);
    return shown;
}

// Beside the book file, named after it: "books/tour.ini" builds "books/tour.exe".
fs::path DefaultEBookPath(const fs::path& book) {
    fs::path ebook = book;
    return ebook.replace_extension(".exe");
}

std::string LinkSummary(std::size_t findings, std::size_t pages) {
    return "link check: " + std::to_string(pages) + (pages == 1 ? " page, " : " pages, ") +
           (findings == 0 ? std::string("no problems") : std::to_string(findings) + (findings == 1 ? " problem" : " problems")) +
           "\n";
}

int Usage(std::ostream& err, const std::string& problem) {
    err << "vellumcast-pack: " << EscapeText(problem) << "\n" << kUsage;
    return 2;
}

int RunBuild(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    BuildOptions options;
    bool haveBook = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--runtime" || a == "--out" || a == "-o") && i + 1 < args.size()) {
            (a == "--runtime" ? options.runtime : options.out) = args[++i];
        } else if (a == "--replace") {
            options.replace = true;
        } else if (a == "--force") {
            options.force = true;
        } else if (a == "--strict") {
            options.strict = true;
        } else if (!a.empty() && a[0] != '-' && !haveBook) {
            options.book = a;
            haveBook = true;
        } else {
            return Usage(err, "build: unexpected argument \"" + a + "\"");
        }
    }
    if (!haveBook) return Usage(err, "build: no book file given");
    const FoundRuntime runtime = FindRuntime(RuntimePlacesOfThisTool(options.runtime));
    options.runtime = runtime.path;
    out << "runtime: " << tool::Shown(runtime.path) << " (" << runtime.source << ")\n";
    if (options.out.empty()) options.out = DefaultEBookPath(options.book);
    const BuildResult result = BuildEBook(options);
    for (const auto& warning : result.warnings) err << EscapeLines(warning) << "\n";
    for (const auto& finding : result.linkFindings) err << EscapeLines(finding) << "\n";
    out << options.out.string() << ": runtime " << result.runtimeSize << " bytes, payload " << result.payloadSize
        << " bytes in " << result.lineCount << " lines";
    if (result.pageCount > 0)
        out << ", " << result.pageCount << (result.pageCount == 1 ? " page" : " pages") << " inside in "
            << result.archiveSize << " bytes";
    if (result.searchIndexSize > 0) out << ", search index " << result.searchIndexSize << " bytes";
    out << "\n";
    for (const auto& folder : result.copiedFolders) out << "pages copied to " << folder.generic_string() << "\n";
    out << LinkSummary(result.linkFindings.size(), result.pagesChecked);
    return 0;
}

// The arguments of a command that takes one file and one switch, such as
// "check BOOK.ini [--strict]"; a mistake is told through `err`, and
// `usageStatus` is then the exit status.
struct FileAndSwitch {
    std::string file;
    bool switched = false;
    int usageStatus = 0;
};

FileAndSwitch ReadFileAndSwitch(const std::vector<std::string>& args, const std::string& theSwitch,
                                const std::string& noFile, std::ostream& err) {
    FileAndSwitch read;
    const std::string& command = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == theSwitch) read.switched = true;
        else if (read.file.empty() && !args[i].empty() && args[i][0] != '-') read.file = args[i];
        else return {{}, false, Usage(err, command + ": unexpected argument \"" + args[i] + "\"")};
    }
    if (read.file.empty()) read.usageStatus = Usage(err, command + ": " + noFile);
    return read;
}

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const FileAndSwitch read = ReadFileAndSwitch(args, "--strict", "no book file given", err);
    if (read.usageStatus) return read.usageStatus;
    const std::string& file = read.file;
    const bool strict = read.switched;
    const Book book = ParseBook(ReadWholeFile(file, "the book file"), file);
    const ComposedBook composed = ComposeBook(book, file);
    for (const auto& warning : composed.warnings) err << EscapeLines(warning.second) << "\n";
    const LinkReport links = CheckLinks(book, composed, file);
    for (const auto& finding : links.findings) out << EscapeLines(finding) << "\n";
    out << LinkSummary(links.findings.size(), links.pagesChecked);
    return strict && !links.findings.empty() ? 1 : 0;
}

int RunNew(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[1].empty() || args[1][0] == '-')
        return Usage(err, "new: give the book's name, such as vellumcast-pack new \"My Book\"");
    const fs::path book = MakeNewBook(args[1]);
    out << "made " << tool::Shown(fs::path(args[1])) << "; build it with\n  vellumcast-pack build "
        << tool::Shown(book) << "\n";
    return 0;
}

int RunInspect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const FileAndSwitch read = ReadFileAndSwitch(args, "--raw", "no e-book given", err);
    if (read.usageStatus) return read.usageStatus;
    const std::string& file = read.file;
    const bool raw = read.switched;
    const std::string payload = ReadEBookPayload(file);
    if (raw) {
        out.write(payload.data(), static_cast<std::streamsize>(payload.size()));
        return 0;
    }
    out << file << ": " << DescribePayload(payload);
    const std::string image = ReadWholeFile(file, "the e-book");
    const auto archive = OpenPages(file, image);
    out << DescribePages(archive ? &*archive : nullptr);
    return 0;
}

int RunExtract(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file;
    std::string target;
    std::string pagesFolder;
    bool force = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if ((args[i] == "-o" || args[i] == "--out") && i + 1 < args.size()) target = args[++i];
        else if (args[i] == "--pages" && i + 1 < args.size()) pagesFolder = args[++i];
        else if (args[i] == "--force") force = true;
        else if (file.empty() && !args[i].empty() && args[i][0] != '-') file = args[i];
        else return Usage(err, "extract: unexpected argument \"" + args[i] + "\"");
    }
    if (file.empty()) return Usage(err, "extract: no e-book given");
    if (target.empty()) return Usage(err, "extract: -o BOOK.ini is missing");
    if (target == "-" && pagesFolder == "-") return Usage(err, "extract: --pages needs a folder");
    if (target != "-") {
        tool::RefuseInputAsOutput(target, {{"e-book", file}});
        tool::RefuseOverwrite(target, force, "a book description written by extract", IsExtractedBook);
    }
    const std::string image = ReadWholeFile(file, "the e-book");
    const auto archive = OpenPages(file, image);
    const bool pagesInside = archive && archive->HoldsPages();
    if (!pagesFolder.empty() && !pagesInside)
        throw PackError(file + " carries no pages: they lie in their folders beside the e-book");
    const std::string book = ExtractBook(ReadEBookPayload(file), fs::path(file).filename().string(), !pagesInside);
    std::size_t extracted = 0;
    try {
        if (!pagesFolder.empty()) extracted = ExtractPages(MemorySource(image), *archive, pagesFolder, force);
    } catch (const PackError& e) {
        throw PackError(file + ": " + e.what());
    }
    if (target == "-") {
        out << book;
    } else {
        tool::WriteFileSafely(target, book);
        out << target << " written\n";
    }
    if (!pagesFolder.empty())
        out << extracted << (extracted == 1 ? " page" : " pages") << " written under " << pagesFolder << "\n";
    return 0;
}

// The index an e-book carries, or the one a book description would give.
std::string SearchIndexFor(const std::string& file) {
    if (!IsEBook(file)) {
        const Book book = ParseBook(ReadWholeFile(file, "the book file"), file);
        const ComposedBook composed = ComposeBook(book, file);
        if (!ReadSearchSettings(book).on) throw PackError(file + ": [search] on = no: the book has no search index");
        const std::string index = SearchIndexOf(book, composed);
        if (index.empty()) throw PackError(file + ": no HTML page of the book holds words to find");
        return index;
    }
    const std::string image = ReadWholeFile(file, "the e-book");
    const auto archive = OpenPages(file, image);
    const ArchiveEntry* entry = archive ? archive->SearchIndex() : nullptr;
    if (!entry) throw PackError(file + " carries no search index");
    try {
        return archive->Read(MemorySource(image), *entry);
    } catch (const EBookDamaged& damaged) {
        throw PackError(file + ": " + search::ESearchIndexDamaged().what() + " " + damaged.what());
    }
}

// The book's pages searched as its readers will search them; --typing reads
// the last word as a prefix, as the search box does while it is typed.
int RunSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file, query;
    bool haveQuery = false, typing = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--typing") typing = true;
        else if (file.empty() && !args[i].empty() && args[i][0] != '-') file = args[i];
        else if (!file.empty() && !haveQuery) query = args[i], haveQuery = true;
        else return Usage(err, "search: unexpected argument \"" + args[i] + "\"");
    }
    if (file.empty()) return Usage(err, "search: no book file or e-book given");
    if (!haveQuery) return Usage(err, "search: no query given");
    const std::string index = SearchIndexFor(file);
    try {
        out << FormatSearchResults(search::SearchIndex::Open(index).Query(query, typing));
    } catch (const search::ESearchIndexDamaged& damaged) {
        throw PackError(file + ": " + damaged.what());
    }
    return 0;
}

}  // namespace

int RunPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage(err, "no command given");
    const std::string& command = args[0];
    try {
        if (command == "build") return RunBuild(args, out, err);
        if (command == "inspect") return RunInspect(args, out, err);
        if (command == "check") return RunCheck(args, out, err);
        if (command == "new") return RunNew(args, out, err);
        if (command == "extract") return RunExtract(args, out, err);
        if (command == "search") return RunSearch(args, out, err);
        if (command == "keys") {
            out << KeyTableMarkdown();
            return 0;
        }
        if (command == "--help" || command == "-h" || command == "help") {
            out << kUsage;
            return 0;
        }
    } catch (const PackError& e) {
        err << EscapeLines(e.what()) << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "vellumcast-pack: " << EscapeLines(e.what()) << "\n";
        return 1;
    }
    return Usage(err, "unknown command \"" + command + "\"" +
                          DidYouMean(command, {"new", "build", "check", "inspect", "extract", "search", "keys"}));
}

}  // namespace vc::pack
