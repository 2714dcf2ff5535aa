#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>

#include "book/book_paths.h"
#include "book/configuration.h"
#include "book/payload.h"
#include "common/errors.h"
#include "common/text.h"
#include "common/values.h"
#include "error_text.h"
#include "menus/menu_file_name.h"

namespace vc {
namespace {

using testing::ErrorText;

TEST(StrToValue, BooleansReadNumbersThenWordsIntegersAreSigned32Bit) {
    for (const char* yes : {"-1", "1", "2.5", "True", "tRUE"}) EXPECT_TRUE(StrToBool(yes)) << yes;
    for (const char* no : {"0", "0.0", "false", "FALSE"}) EXPECT_FALSE(StrToBool(no)) << no;
    for (const std::string word : {"yes", "", "1x", "e5"})
        EXPECT_EQ(ErrorText([&] { StrToBool(word); }), "'" + word + "' is not a valid boolean value");
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    for (const std::string word : {"abc", "2147483648", "", "1.5", "-"})
        EXPECT_EQ(ErrorText([&] { StrToInt(word); }), "'" + word + "' is not a valid integer value");
}

TEST(StrToColour, ReadsNamesInAnyCaseAndNumbersAndResolvesSystemColours) {
    EXPECT_EQ(StrToColour("CLSKYBLUE"), 0xF0CAA6u);
    EXPECT_EQ(StrToColour("clNone"), 0x1FFFFFFFu);
    EXPECT_EQ(StrToColour("clDefault"), 0x20000000u);
    EXPECT_EQ(StrToColour("-16777201"), 0xFF00000Fu);
    EXPECT_EQ(StrToColour("$00FF8000"), 0x00FF8000u);
    EXPECT_EQ(StrToColour("0xff"), 0xFFu);
    for (const std::string word : {"clPink", "$", "$1FFFFFFFF"})
        EXPECT_EQ(ErrorText([&] { StrToColour(word); }), "'" + word + "' is not a valid integer value");
    // Every name reads back as itself; indexes 8 and 25 have none.
    for (const char* name : {"clBlack", "clMedGray", "clScrollBar", "clHotLight", "clMenuBar", "clNone", "clDefault"})
        EXPECT_EQ(ColourName(*ColourByName(name)), std::string(name));
    EXPECT_FALSE(ColourName(0xFF000008u));
    EXPECT_FALSE(ColourName(0xFF000019u));

    // System colours go through the lookup, others lose their top byte.
    const auto lookup = [](int index) -> Colour { return 0xAB000000u | static_cast<Colour>(index); };
    EXPECT_EQ(ResolveColour(0xFF00000Fu, lookup), 0x00000Fu) << "clBtnFace is looked up";
    EXPECT_EQ(ResolveColour(0x00123456u, lookup), 0x123456u);
    EXPECT_EQ(ResolveColour(clNone, lookup), 0xFFFFFFu) << "clNone is no system colour";
}

// Sixteen hexadecimal digits overflowed the digit loop; it now stops at the value's limit.
TEST(StrToColour, TooManyDigitsAreRefusedWithoutOverflow) {
    for (const std::string& word : {std::string("$A446A4444444e444"), "0x" + std::string(400, 'F')})
        EXPECT_EQ(ErrorText([&] { StrToColour(word); }), "'" + word + "' is not a valid integer value");
    EXPECT_EQ(ErrorText([] { StrToInt(std::string(40, '9')); }),
              "'" + std::string(40, '9') + "' is not a valid integer value");
    EXPECT_EQ(StrToColour("$0000000000000000FFFFFFFF"), 0xFFFFFFFFu) << "the limit is on the value";
    EXPECT_EQ(StrToInt("-00000000000000000002147483648"), INT32_MIN);
}

// A title of many megabytes reached the window caption whole and the runtime died at start.
TEST(ConfigurationLines, TitlesHintsAndCaptionsAreShownCutToWhatAWindowTakes) {
    std::string text;
    for (int i = 0; i <= line::kLastLine; ++i) {
        std::string line = "#" + std::to_string(i);
        line.resize(kMaxShownText + 10, static_cast<char>('A' + i % 26));
        text += line + "\r\n";
    }
    const ConfigurationLines lines(text);
    for (int i = 0; i <= line::kLastLine; ++i) {
        const bool shown = i == line::kTitle || i == line::kAboutCaption || i == line::kAboutAppName ||
                           (i >= line::kHintHome && i <= line::kHintAbout);
        EXPECT_EQ(lines.ShownText(i), lines.Line(i).substr(0, shown ? kMaxShownText : std::string::npos)) << i;
        EXPECT_EQ(lines.Line(i).size(), kMaxShownText + 10) << "the line itself stays whole";
    }
    EXPECT_THROW(ConfigurationLines("").ShownText(line::kTitle), EListError);
}

TEST(ConfigurationLines, AMissingLineRaisesTheListErrorWhenItIsRead) {
    ConfigurationLines lines("a\r\nb\r\n");
    EXPECT_EQ(ErrorText<EListError>([&] { lines.Line(2); }), "List index out of bounds (2)");
    EXPECT_THROW(lines.Line(-1), EListError);
    EXPECT_THROW(lines.SetLine(5, "x"), EListError);

    lines = ConfigurationLines(std::string("t\r\n1\r\nclRed\0\r\n0\r\n", 17));
    EXPECT_EQ(lines.Count(), 3u) << "a zero byte cuts later lines away";
    EXPECT_EQ(lines.ColourValue(2), 0x0000FFu);
}

TEST(TextHelpers, SplitLinesListsAndFields) {
    EXPECT_EQ(SplitLines("a\rb\nc\r\nd"), (StringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\n"), (StringList{"a", ""}));
    EXPECT_EQ(SplitLines("a\n\rb"), (StringList{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
    // The separator rules of SplitList are the menu captions'; an empty one splits nothing.
    EXPECT_EQ(SplitList("abc", ""), (StringList{"abc"}));
    EXPECT_EQ(NthField(2, "ab", "1AB2aB3"), "2");
    EXPECT_EQ(NthField(4, ",", "a,b,c"), "");
    EXPECT_EQ(NthField(0, ",", "a,b"), "");
    EXPECT_EQ(NthField(3, ",", "a,,c"), "c") << "inner empty fields count";
    EXPECT_FALSE(SameText("\xe9", "\xc9")) << "case rules touch ASCII letters only";
    EXPECT_EQ(FindText("abc", ""), std::string::npos);
}

TEST(BookRelativePath, KeepsTheLastFolderAndTheFileNameAndNeedsAFolder) {
    EXPECT_EQ(BookRelativePath("calc\\index.htm"), "calc\\index.htm");
    EXPECT_EQ(BookRelativePath("C:\\a\\\\index.htm"), "\\index.htm");
    EXPECT_EQ(testing::ErrorText<EListError>([] { BookRelativePath("index.htm"); }), "List index out of bounds (-1)");
}

TEST(MakeRandomName, SixCapitalLettersFromTheSeedEveryLetterDrawn) {
    const std::string a = MakeRandomName(12345);
    ASSERT_EQ(a.size(), 6u);
    EXPECT_EQ(a, MakeRandomName(12345));
    std::set<char> letters;
    for (std::uint64_t seed = 0; seed < 500; ++seed)
        for (char c : MakeRandomName(seed * 7919)) letters.insert(c);
    EXPECT_EQ(std::string(letters.begin(), letters.end()), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

// The payload a reader gives, or the error its size query raised before any allocation.
template <class Size, class Read>
std::string Outcome(Size size, Read read) {
    std::string text;
    try {
        text.assign(static_cast<std::size_t>(std::max(size(), 0)), '?');
    } catch (const EInOutError& error) {
        return std::string("refused: ") + error.what();
    }
    read(text.data());
    return text;
}

class PayloadFileTest : public ::testing::Test {
protected:
    std::string path_ = ::testing::TempDir() + "vc_payload_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".exe";
    std::string bytes_;

    void TearDown() override { std::remove(path_.c_str()); }

    void Write(const std::string& bytes) {
        bytes_ = bytes;
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
    }

    static std::string Trailer(std::int32_t offset, std::int32_t size) {
        const auto bytes = PayloadTrailer{offset, size}.Encode();
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    // The payload of a file of `bytes`; read from memory, as the fuzzers do, it is the same.
    std::string Read(const std::string& bytes) {
        Write(bytes);
        const TPayload file(path_);
        const std::string fromFile =
            Outcome([&] { return file.GetPayloadSize(); }, [&](char* to) { file.ReadPayload(to); });
        EXPECT_EQ(
            Outcome([&] { return PayloadSizeInImage(bytes_); }, [&](char* to) { ReadPayloadFromImage(bytes_, to); }),
            fromFile);
        return fromFile;
    }
};

const std::string kBeyondEnd = "refused: Read beyond end of file";

TEST_F(PayloadFileTest, TrailerLayoutIsMarkerThenOffsetThenSizeLittleEndian) {
    const char marker[] = "\x05\xA1\xAB\x9F\xA8\xED\xC3\x45\x89\xF4\x36\x93\x15\xA9\x47\xEB";
    EXPECT_EQ(Trailer(0x01020304, 0x0A0B0C0D), std::string(marker, 16) + "\x04\x03\x02\x01\x0D\x0C\x0B\x0A");
}

TEST_F(PayloadFileTest, ReadsThePayloadBeforeTheTrailerFromAnyOffset) {
    EXPECT_EQ(Read("MZruntime" + std::string("Title\r\n1\r\n") + Trailer(9, 10)), "Title\r\n1\r\n");
    EXPECT_TRUE(TPayload(path_).HasPayload());
    EXPECT_EQ(Read("abc" + Trailer(3, 16)), Trailer(3, 16).substr(0, 16)) << "the payload may overlap the trailer";
    EXPECT_EQ(Read(Trailer(0, 1)), "") << "24 bytes are too short to hold a trailer";
    EXPECT_EQ(Read("X" + Trailer(0, 1)), "X");
}

TEST_F(PayloadFileTest, MarkerMismatchOrSizeZeroMeansNoPayloadAndAnUntouchedBuffer) {
    std::string damaged = "runtime" + Trailer(0, 7);
    damaged[7 + 15] ^= 1;  // last marker byte
    EXPECT_EQ(Read(damaged), "");
    EXPECT_FALSE(TPayload(path_).HasPayload());
    EXPECT_EQ(Read("runtime" + Trailer(-1, 0)), "") << "a size of zero claims nothing, wherever it points";
    EXPECT_EQ(Read("runtime" + Trailer(0, -5)), "");

    char buffer[8] = {'u', 'n', 't', 'o', 'u', 'c', 'h', 'd'};
    for (const std::string& image : {std::string("just a program, no trailer at all"), "runtime" + Trailer(0, 0)}) {
        Write(image);
        TPayload(path_).ReadPayload(buffer);
        EXPECT_EQ(std::string(buffer, 8), "untouchd");
    }
    EXPECT_THROW(TPayload(path_ + ".missing").HasPayload(), EInOutError);
}

TEST_F(PayloadFileTest, AClaimPastTheEndRaisesTheInputOutputErrorBeforeAnyAllocation) {
    EXPECT_EQ(Read("runtime" + Trailer(0, 31)).size(), 31u) << "the file's 31 bytes fit, 32 do not";
    EXPECT_EQ(Read("runtime" + Trailer(0, 32)), kBeyondEnd);
    EXPECT_EQ(Read("runtime" + Trailer(-1, 2)), kBeyondEnd);
    Write("runtime" + Trailer(30, 2));
    char buffer[2] = {'a', 'b'};
    EXPECT_EQ(testing::ErrorText<EInOutError>([&] { TPayload(path_).ReadPayload(buffer); }), "Read beyond end of file");
    EXPECT_EQ(std::string(buffer, 2), "ab") << "a failed read wrote into the buffer";
}

// 256 bytes of program headers, 64- or 32-bit, naming a certificate table of `table` bytes at `at`.
std::string SignedHeaders(std::uint32_t at, std::uint32_t table, bool wide = true) {
    std::string h(256, '\0');
    const auto put = [&](std::size_t pos, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) h[pos + i] = static_cast<char>(v >> (8 * i));
    };
    h.replace(0, 2, "MZ");
    put(0x3C, 0x40, 4);
    h.replace(0x40, 4, std::string("PE\0\0", 4));
    const std::size_t optional = 0x40 + 24, directories = optional + (wide ? 112 : 96);
    put(optional, wide ? 0x20B : 0x10B, 2);
    put(directories - 4, 16, 4);
    put(directories + 4 * 8, at, 4);
    put(directories + 4 * 8 + 4, table, 4);
    return h;
}

TEST_F(PayloadFileTest, ASignedBookFindsItsTrailerBeforeTheCertificateTable) {
    const std::string payload = "Title\r\n";
    const std::string certificate(40, 'C');
    const auto book = [&](int padding, std::uint32_t table_size_claimed, bool wide = true) {
        const std::uint32_t at = 256 + static_cast<std::uint32_t>(payload.size() + 24 + padding);
        return SignedHeaders(at, table_size_claimed, wide) + payload +
               Trailer(256, static_cast<std::int32_t>(payload.size())) +
               std::string(static_cast<std::size_t>(padding), '\0') + certificate;
    };
    for (int padding : {0, 7}) EXPECT_EQ(Read(book(padding, 40)), payload) << "padding " << padding;
    EXPECT_EQ(Read(book(3, 40, false)), payload) << "a 32-bit program";
    // More than the alignment, a table short of the end, or a padding byte not zero: no payload.
    EXPECT_EQ(Read(book(8, 40)), "");
    EXPECT_EQ(Read(book(0, 39)), "");
    std::string dirty = book(2, 40);
    dirty[256 + payload.size() + 24] = 'x';
    EXPECT_EQ(Read(dirty), "");
    std::string claim = book(0, 40);
    claim.replace(256 + payload.size(), 24, Trailer(256, 0x7FFFFFFF));
    EXPECT_EQ(Read(claim), kBeyondEnd) << "the bounds checks hold there too";
}

}  // namespace
}  // namespace vc
