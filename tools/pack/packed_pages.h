#pragma once
// The pages a one-file book carries: gathered from its pages folders and
// checked before anything is written, packed into the book's archive, listed
// and given back.
#include <filesystem>
#include <string>
#include <vector>

#include "book/page_archive.h"

namespace vc::pack {

// Whether `inner` is `outer` or lies inside it, step by step (both
// canonical).
bool IsInside(const std::filesystem::path& inner, const std::filesystem::path& outer);

// A file of a pages folder and the name it has inside the book: the folder's
// name, "/", and its path inside the folder.
struct PageFile {
    std::filesystem::path path;
    std::string name;
};

// Every file of the folders, in the order of their names. Names that cannot
// be addressed, two names that differ only in letter case, and links that
// lead out of their folder are refused together, each with its file and the
// reason (PackError).
std::vector<PageFile> GatherPages(const std::vector<std::filesystem::path>& folders);

// The archive of those pages, with a dictionary drawn from the pages
// themselves, and the search index and the book's settings when given.
std::string PackPages(const std::vector<PageFile>& pages, std::string_view searchIndex,
                      std::string_view bookSettings = {});

// Every page with its size and stored size, then the totals (a file stored
// once for several names counts once), or that the pages lie beside the
// book; then the size of the search index.
std::string DescribePages(const PageArchive* archive);

// Writes every page of the archive under `folder`, by its name; refuses,
// before writing any, a name that would lead outside the folder and an
// existing file that does not hold the page's bytes already, unless `force`.
// Returns the number of pages written.
std::size_t ExtractPages(const ByteSource& book, const PageArchive& archive, const std::filesystem::path& folder,
                         bool force);

}  // namespace vc::pack
