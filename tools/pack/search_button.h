#pragma once
// The reader's search button as the book description gives it
// ([search] button, [search] hint), as the text of the archive's settings
// entry.
#include <string>

#include "book_file.h"

namespace vc::pack {

// PackError naming the line when [search] button is neither yes nor no.
std::string SearchButtonSettingsText(const Book& book);

}  // namespace vc::pack
