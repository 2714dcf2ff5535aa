#include "search_button.h"

#include "book/book_settings.h"
#include "common/text.h"

namespace vc::pack {

std::string SearchButtonSettingsText(const Book& book) {
    SearchButtonSettings settings;
    if (const BookValue* given = book.Find("search", "button")) {
        if (SameText(given->text, "no")) settings.shown = false;
        else if (!SameText(given->text, "yes"))
            throw PackError(book.fileName + ":" + std::to_string(given->lineNumber) + ": [search] button = \"" +
                                given->text.substr(0, 40) + "\": use yes or no",
                            given->lineNumber);
    }
    if (const BookValue* given = book.Find("search", "hint")) settings.hint = given->text;
    return WriteSearchButtonSettings(settings);
}

}  // namespace vc::pack
