#pragma once
// vellumcast-pack new: a book to start from, ready to build.
#include <filesystem>
#include <string>
#include <vector>

namespace vc::pack {

// A book description with every key at its default, commented out and
// explained, for a book titled `title`.
std::string NewBookDescription(const std::string& title);

// Makes `folder` (which must not exist) with the book description
// "<folder name>.ini" and pages/index.htm, pages/second.htm and
// pages/style.css; the book's title is the folder's name. Returns the book
// description's path.
std::filesystem::path MakeNewBook(const std::filesystem::path& folder);

}  // namespace vc::pack
