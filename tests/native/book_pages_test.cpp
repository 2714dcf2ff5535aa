#include <gtest/gtest.h>

#include <string>

#include "book/book_pages.h"

namespace vc {
namespace {

struct Mime {
    const char* name;
    const char* type;
};

class MimeTypeOfEntry : public ::testing::TestWithParam<Mime> {};

TEST_P(MimeTypeOfEntry, FollowsTheExtensionInAnyCase) { EXPECT_EQ(MimeTypeOf(GetParam().name), GetParam().type); }

INSTANTIATE_TEST_SUITE_P(Names, MimeTypeOfEntry,
                         ::testing::Values(Mime{"t/INDEX.HTML", "text/html"}, Mime{"t/s.css", "text/css"},
                                           Mime{"t/Script.JS", "text/javascript"}, Mime{"t/f.woff2", "font/woff2"},
                                           Mime{"t/a.tar.gz", "application/octet-stream"},
                                           Mime{"t/v1.0/README", "application/octet-stream"}));

TEST(ClassicFileAddress, IsTheFileThePageWouldBeBesideTheProgram) {
    EXPECT_EQ(ClassicFileAddress("C:\\My Books", "t/100%#1?.htm"), "file:///C:/My%20Books/t/100%25%231%3F.htm");
    EXPECT_EQ(ClassicFileAddress("\\\\server\\share\\", "t/a.htm"), "file://server/share/t/a.htm")
        << "a share keeps the zone of a share";
}

}  // namespace
}  // namespace vc
