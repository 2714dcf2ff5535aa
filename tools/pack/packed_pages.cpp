#include "packed_pages.h"

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <map>
#include <set>
#include <sstream>

#include "book/book_address.h"
#include "book/page_archive_writer.h"
#include "book_file.h"
#include "common/text.h"
#include "tool_output.h"

namespace vc::pack {

namespace fs = std::filesystem;

bool IsInside(const fs::path& inner, const fs::path& outer) {
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end(); ++o, ++i)
        if (i == inner.end() || *i != *o) return false;
    return true;
}

namespace {

std::string Quoted(const fs::path& path) { return tool::Shown(path.generic_string()); }

// Walks a pages folder; links are followed when they stay inside it.
class PageWalker {
public:
    PageWalker(const fs::path& root, std::vector<PageFile>& pages, std::vector<std::string>& refusals)
        : root_(fs::canonical(root)), pages_(pages), refusals_(refusals) {}

    void Walk(const fs::path& folder, const std::string& name) {
        std::vector<fs::directory_entry> entries{fs::directory_iterator(folder), fs::directory_iterator()};
        std::sort(entries.begin(), entries.end());
        for (const auto& entry : entries) Visit(entry, name + "/" + entry.path().filename().u8string());
    }

private:
    void Visit(const fs::directory_entry& entry, const std::string& name) {
        if (entry.is_symlink()) {
            std::error_code error;
            const fs::path target = fs::weakly_canonical(entry.path(), error);
            if (error || !IsInside(target, root_)) {
                refusals_.push_back(Quoted(entry.path()) + ": a link that leads out of the pages folder" +
                                    (error ? std::string() : " (to " + Quoted(target) + ")"));
                return;
            }
            if (fs::is_directory(target) && IsInside(fs::canonical(entry.path().parent_path()), target)) {
                refusals_.push_back(Quoted(entry.path()) + ": a link back to a folder that holds it");
                return;
            }
        }
        if (entry.is_directory()) return Walk(entry.path(), name);
        if (!entry.is_regular_file()) return;
        pages_.push_back({entry.path(), name});
    }

    fs::path root_;
    std::vector<PageFile>& pages_;
    std::vector<std::string>& refusals_;
};

std::string ReadPage(const fs::path& path, std::size_t most = std::string::npos) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw PackError("cannot read the page " + Quoted(path));
    if (most == std::string::npos) {
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    std::string head(most, '\0');
    in.read(head.data(), static_cast<std::streamsize>(most));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

}  // namespace

std::vector<PageFile> GatherPages(const std::vector<fs::path>& folders) {
    std::vector<PageFile> pages;
    std::vector<std::string> refusals;
    for (const auto& folder : folders) PageWalker(folder, pages, refusals).Walk(folder, folder.filename().u8string());

    std::map<std::string, const PageFile*> byKey;
    for (const auto& page : pages) {
        const std::string problem = PageNameProblem(page.name);
        if (!problem.empty()) {
            refusals.push_back(Quoted(page.path) + ": its name \"" + EscapeText(page.name) +
                               "\" cannot be addressed inside the book: " + problem);
            continue;
        }
        const auto [at, added] = byKey.emplace(PageNameKey(page.name), &page);
        if (!added)
            refusals.push_back(Quoted(page.path) + ": its name differs only in letter case from " +
                               Quoted(at->second->path) + ", and the book could not tell them apart");
    }
    if (!refusals.empty()) {
        std::string all;
        for (const auto& refusal : refusals) all += (all.empty() ? "" : "\n") + refusal;
        throw PackError(all);
    }
    std::sort(pages.begin(), pages.end(), [](const PageFile& a, const PageFile& b) { return a.name < b.name; });
    return pages;
}

std::string PackPages(const std::vector<PageFile>& pages, std::string_view searchIndex, std::string_view bookSettings) {
    // Only the start of a page meets the dictionary; the start is all that
    // is read to build it.
    constexpr std::size_t kSample = 32 * 1024;
    std::vector<std::string> heads;
    for (const auto& page : pages)
        if (!IsCompressedFormat(page.name)) heads.push_back(ReadPage(page.path, kSample));
    const std::vector<std::string_view> samples(heads.begin(), heads.end());
    PageArchiveWriter writer(BuildDictionary(samples));
    heads.clear();
    for (const auto& page : pages) writer.AddPage(page.name, ReadPage(page.path));
    if (!searchIndex.empty()) writer.AddSearchIndex(searchIndex);
    if (!bookSettings.empty()) writer.AddBookSettings(bookSettings);
    return writer.Finish();
}

std::string DescribePages(const PageArchive* archive) {
    std::ostringstream out;
    if (archive && archive->HoldsPages()) {
        std::uint64_t size = 0;
        std::uint64_t stored = 0;
        std::size_t count = 0;
        std::set<std::uint64_t> offsets;
        out << "pages inside the book:\n" << std::setw(12) << "size" << std::setw(12) << "stored" << "  name\n";
        for (const auto& entry : archive->Entries()) {
            if (entry.kind != EntryKind::Page) continue;
            out << std::setw(12) << entry.size << std::setw(12) << entry.storedSize << "  " << EscapeText(entry.name)
                << "\n";
            size += entry.size;
            if (offsets.insert(entry.offset).second) stored += entry.storedSize;
            ++count;
        }
        out << std::setw(12) << size << std::setw(12) << stored << "  " << count << (count == 1 ? " page" : " pages")
            << ", " << archive->Size() << " bytes in the book with the directory and dictionary\n";
    } else {
        out << "no pages inside: they lie in their folders beside the e-book\n";
    }
    const ArchiveEntry* index = archive ? archive->SearchIndex() : nullptr;
    if (index) out << "search index: " << index->size << " bytes, " << index->storedSize << " stored\n";
    else out << "search index: none\n";
    return out.str();
}

std::size_t ExtractPages(const ByteSource& book, const PageArchive& archive, const fs::path& folder, bool force) {
    std::vector<std::string> refusals;
    std::vector<const ArchiveEntry*> pages;
    for (const auto& entry : archive.Entries()) {
        if (entry.kind != EntryKind::Page) continue;
        const std::string problem = PageNameProblem(entry.name);
        if (!problem.empty())
            refusals.push_back("the page \"" + EscapeText(entry.name) + "\" cannot be written: " + problem);
        else
            pages.push_back(&entry);
    }
    const auto target = [&](const ArchiveEntry& entry) { return folder / fs::u8path(entry.name); };
    for (const ArchiveEntry* page : pages) {
        std::error_code error;
        const fs::path file = target(*page);
        std::string bytes;
        try {
            bytes = archive.Read(book, *page);
        } catch (const EBookDamaged& damaged) {
            refusals.push_back("the page \"" + EscapeText(page->name) + "\" cannot be read: " + damaged.what());
            continue;
        }
        if (force || !fs::exists(file, error)) continue;
        // A page given back before, unchanged, is no author's work to lose.
        if (fs::is_regular_file(file, error) && ReadPage(file) == bytes) continue;
        refusals.push_back("refusing to write over " + Quoted(file) +
                           ": it exists and does not hold this page; give --force to replace it");
    }
    if (!refusals.empty()) {
        std::string all;
        for (const auto& refusal : refusals) all += (all.empty() ? "" : "\n") + refusal;
        throw PackError(all);
    }
    for (const ArchiveEntry* page : pages) {
        const fs::path file = target(*page);
        fs::create_directories(file.parent_path());
        tool::WriteFileSafely(file, archive.Read(book, *page));
    }
    return pages.size();
}

}  // namespace vc::pack
