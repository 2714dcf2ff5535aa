#include <gtest/gtest.h>

#include <string>

#include "book/book_pages.h"
#include "one_file_book.h"

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

TEST(BookPages, ServeTheBooksOwnAddressesTellingDamageFromAbsence) {
    std::string book = testing::OneFileBook({{"tour/Pic.PNG", "\x89PNG"}, {"tour/bad.htm", std::string(900, 'b')}});
    testing::DamageEntry(book, "tour/bad.htm");
    auto source = std::make_unique<MemorySource>(book);
    auto archive = PageArchive::Open(*source);
    const BookPages pages(std::move(source), std::move(*archive), "Qwerty", "C:\\My Books\\");

    EXPECT_EQ(pages.AddressOf("C:\\authoring\\tour\\Pic.PNG"), "vcbook://qwerty/tour/Pic.PNG");
    const PageAnswer picture = pages.Serve("vcbook://QWERTY/TOUR/pic.png?x#y");
    EXPECT_EQ(picture.status, PageAnswer::Status::Found);
    EXPECT_EQ(picture.bytes, "\x89PNG");
    EXPECT_EQ(picture.mimeType, "image/png");
    const PageAnswer bad = pages.Serve("vcbook://qwerty/tour/bad.htm");
    EXPECT_EQ(bad.status, PageAnswer::Status::Damaged);
    EXPECT_EQ(BookDamagedMessage(bad.page), "This book is damaged: tour/bad.htm cannot be read.");
    for (const char* absent : {"vcbook://qwerty/tour/none.htm", "vcbook://other/tour/Pic.PNG",
                               "file:///C:/My%20Books/tour/Pic.PNG", "vcbook://qwerty/x/../tour/Pic.PNG"})
        EXPECT_EQ(pages.Serve(absent).status, PageAnswer::Status::NotFound) << absent;
}

TEST(ClassicFileAddress, IsTheFileThePageWouldBeBesideTheProgram) {
    EXPECT_EQ(ClassicFileAddress("C:\\My Books", "t/100%#1?.htm"), "file:///C:/My%20Books/t/100%25%231%3F.htm");
    EXPECT_EQ(ClassicFileAddress("\\\\server\\share\\", "t/a.htm"), "file://server/share/t/a.htm")
        << "a share keeps the zone of a share";
}

}  // namespace
}  // namespace vc
