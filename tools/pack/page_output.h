#pragma once
// The pages folder a classic-layout build copies beside the e-book.
#include <filesystem>
#include <vector>

#include "packed_pages.h"

namespace vc::pack {

// A book is known by its pages folder: books that share one (several book
// files over the same pages) write the same copy.
//
// Refuses (PackError) an existing, non-empty `target` that no earlier build
// copied from `from`, unless `force`: the pages folder beside an e-book is
// replaced only as the e-book itself is.
void RefusePagesOutput(const std::filesystem::path& from, const std::filesystem::path& target, bool force);

// The files of a pages folder a copy takes along, named as inside the book
// (the folder's name, "/", the path inside it); links to files are followed.
std::vector<PageFile> FilesToCopy(const std::filesystem::path& folder);

// Copies the pages of `from` into `target`. The files an earlier build
// copied there from `from` go first, so that pages the book no longer has do
// not linger; files put there by other hands stay. The folder keeps a record
// of what this build wrote, for the next one.
void CopyPages(const std::filesystem::path& from, const std::filesystem::path& target);

}  // namespace vc::pack
