#include "book/book_settings.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

TEST(SearchButtonSettings, ReadBackWhatWasWritten) {
    SearchButtonSettings hidden;
    hidden.shown = false;
    hidden.hint = "Chercher dans le livre \xC3\xA9=";
    const SearchButtonSettings read = ReadSearchButtonSettings(WriteSearchButtonSettings(hidden));
    EXPECT_FALSE(read.shown);
    EXPECT_EQ(read.hint, hidden.hint) << "an equals sign in the value stays";

    hidden.hint = "two\r\nlines";
    EXPECT_EQ(ReadSearchButtonSettings(WriteSearchButtonSettings(hidden)).hint, "two  lines");
}

TEST(SearchButtonSettings, MissingOrUnknownLinesKeepTheDefaults) {
    for (const char* text : {"", "garbage", "search.button\n", "other.key=no\n", "search.button=maybe\r\n"}) {
        const SearchButtonSettings read = ReadSearchButtonSettings(text);
        EXPECT_TRUE(read.shown) << text;
        EXPECT_EQ(read.hint, "Search this book") << text;
    }
    const SearchButtonSettings crlf = ReadSearchButtonSettings("x=1\r\nsearch.hint=Find it\r\nsearch.button=no");
    EXPECT_FALSE(crlf.shown);
    EXPECT_EQ(crlf.hint, "Find it");
}

}  // namespace
}  // namespace vc
