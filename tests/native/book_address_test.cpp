#include <gtest/gtest.h>

#include <string>

#include "book/book_address.h"
#include "common/unicode.h"

namespace vc {
namespace {

TEST(BookAddress, ReadsHostAndNameAndGivesBackWhatItMade) {
    for (const std::string name : {"index.htm", "guide/ch 1/Crème brûlée.htm", "a%b#c.htm", "x~y_z-1.css"}) {
        const auto address = ReadBookAddress(MakeBookAddress("Ab12", name));
        ASSERT_TRUE(address) << name;
        EXPECT_EQ(address->host, "ab12");
        EXPECT_EQ(address->name, name);
    }
    EXPECT_EQ(MakeBookAddress("h", "a b/é.htm"), "vcbook://h/a%20b/%C3%A9.htm");
    const auto cut = ReadBookAddress("VCBOOK://h/guide/p.htm?x=1#top");
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->name, "guide/p.htm");
}

TEST(BookAddress, RefusesWhatNamesNoPageOfTheBook) {
    for (const char* url : {"http://h/index.htm", "vcbook:/h/index.htm", "vcbook://h", "vcbook:///index.htm",
                            "vcbook://h.example/index.htm", "vcbook://h:80/index.htm", "vcbook://h/",
                            "vcbook://h/a/../../x.htm", "vcbook://h/%2e%2e/x.htm", "vcbook://h/a%5Cb.htm",
                            "vcbook://h/a%00.htm", "vcbook://h/a%2", "vcbook://h/a%zz.htm", "vcbook://h//x.htm",
                            "vcbook://h/c:/x.htm", "vcbook://h/aux.htm"})
        EXPECT_FALSE(ReadBookAddress(url)) << url;
}

TEST(PageNameProblem, SaysWhyANameCannotBeAddressed) {
    EXPECT_EQ(PageNameProblem("guide/index.htm"), "");
    EXPECT_EQ(PageNameProblem(""), "a name cannot be empty");
    EXPECT_EQ(PageNameProblem("/index.htm"), "a name cannot start at the root");
    EXPECT_EQ(PageNameProblem("a//b.htm"), "a name cannot have an empty folder step");
    EXPECT_EQ(PageNameProblem("a/../b.htm"), "a name cannot step to \".\" or \"..\"");
    EXPECT_EQ(PageNameProblem("tab\there.htm"), "a name cannot hold control characters");
    EXPECT_EQ(PageNameProblem("C:/x.htm"), "a name cannot hold \":\"");
    EXPECT_EQ(PageNameProblem("dir\\x.htm"), "a name cannot hold \"\\\"");
    EXPECT_EQ(PageNameProblem("notes./x.htm"), "a name cannot end a step with a dot or a blank");
    EXPECT_EQ(PageNameProblem("x.htm "), "a name cannot end a step with a dot or a blank");
    EXPECT_EQ(PageNameProblem("Com7.txt"), "\"Com7.txt\" is a device name");
    EXPECT_EQ(PageNameProblem("nul"), "\"nul\" is a device name");
    EXPECT_EQ(PageNameProblem("com0.txt"), "");
    EXPECT_EQ(PageNameProblem("console.htm"), "");
}

TEST(SamePageName, FoldsLettersAsTheFileSystemDoes) {
    EXPECT_TRUE(SamePageName("Guide/Index.HTM", "guide/index.htm"));
    EXPECT_TRUE(SamePageName("Crème.htm", "CRÈME.htm"));
    EXPECT_TRUE(SamePageName("Ωmega.htm", "ωMEGA.htm"));
    EXPECT_TRUE(SamePageName("Ÿ.htm", "ÿ.htm"));
    EXPECT_FALSE(SamePageName("creme.htm", "crème.htm"));
    EXPECT_FALSE(SamePageName("a.htm", "a.htm "));
    EXPECT_FALSE(DecodeUtf8("\xC0\xAF"));      // an overlong "/"
    EXPECT_FALSE(DecodeUtf8("\xED\xA0\x80"));  // a surrogate
    EXPECT_FALSE(DecodeUtf8("\xE2\x82"));      // cut short
    EXPECT_EQ(EncodeUtf8(*DecodeUtf8("a\xC3\xA9\xF0\x9F\x98\x80")), "a\xC3\xA9\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace vc
