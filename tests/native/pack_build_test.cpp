// vellumcast-pack on real files: building, errors that write nothing, --replace, inspect, extract.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <tuple>
#include <sstream>

#include "book/configuration.h"
#include "book/page_archive.h"
#include "book/payload.h"
#include "book_file.h"
#include "common/input_file.h"
#include "pack.h"
#include "pack_fixture.h"

namespace vc::pack {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMinimalBook = "[book]\ntitle = Minimal\nstart-page = pages/index.htm\n";

constexpr const char* kClassicBook = "[book]\ntitle = Minimal\nstart-page = pages/index.htm\npages = beside\n";

TEST_F(PackFiles, AClassicBookGetsEveryLineAndARebuildReplacesBookAndPages) {
    ASSERT_TRUE(Built(kClassicBook, OutPath()));
    const ConfigurationLines lines(ReadEBookPayload(OutPath()));
    ASSERT_EQ(lines.Count(), 103u);
    EXPECT_EQ(lines.Line(line::kStartPage), "C:\\Books\\book\\pages\\index.htm");

    // Again over the same output, with recorded paths and a home page of its own.
    Write(root_ / "out" / "pages" / "index.htm", "stale");
    fs::create_directories(root_ / "book" / "extra");
    Write(root_ / "book" / "extra" / "cover.htm", "cover");
    ASSERT_TRUE(Built(std::string(kClassicBook) + "start-page-recorded = D:\\Work\\My Book\\PAGES\\Index.htm\n"
                      "[toolbar]\nhome-page = extra\\cover.htm\n", OutPath()));
    EXPECT_EQ(Read(root_ / "out" / "pages" / "index.htm"), "<html><body>Start</body></html>");
    EXPECT_TRUE(fs::is_regular_file(root_ / "out" / "extra" / "cover.htm"));
    const ConfigurationLines again(ReadEBookPayload(OutPath()));
    EXPECT_EQ(again.Line(line::kStartPage), "D:\\Work\\My Book\\PAGES\\Index.htm");
    EXPECT_EQ(again.Line(line::kAltHomePage), "C:\\Books\\book\\extra\\cover.htm");
    EXPECT_EQ(again.Line(line::kAltHomeFlag), "1");
    // The runtime, the archive of the search index, the payload, the trailer.
    const std::string image = Read(OutPath());
    const auto archive = PageArchive::Open(MemorySource(image));
    ASSERT_TRUE(archive && archive->SearchIndex() && !archive->HoldsPages());
    EXPECT_EQ(image.size(), runtime_.size() + archive->Size() + ReadEBookPayload(OutPath()).size() + 24)
        << "nothing stale kept";
}

// The search button's keys ride with the index, and without an index there is
// no button to set.
TEST_F(PackFiles, TheSearchButtonsSettingsTravelWithTheIndexOnly) {
    const auto settingsOf = [&](const std::string& section) -> std::string {
        EXPECT_TRUE(Built(std::string(kClassicBook) + section, OutPath(), "--force"));
        const std::string image = Read(OutPath());
        const auto archive = PageArchive::Open(MemorySource(image));
        const ArchiveEntry* settings = archive ? archive->BookSettings() : nullptr;
        return settings ? archive->Read(MemorySource(image), *settings) : archive ? "no settings" : "no archive";
    };
    EXPECT_EQ(settingsOf(""), "search.button=yes\nsearch.hint=Search this book\n");
    EXPECT_EQ(settingsOf("[search]\nbutton = no\nhint = Find it\n"), "search.button=no\nsearch.hint=Find it\n");
    EXPECT_EQ(settingsOf("[search]\non = no\nhint = Find it\n"), "no archive");
}

// Building stopped at the first unknown section: one mistake fixed per run.
// Messages echoed a hostile description's escape sequences to the terminal.
TEST_F(PackFiles, StructuralAndValueMistakesComeTogetherInFileOrder) {
    EXPECT_EQ(
        BuildError("[book]\ntitle = T\nstart-page = pages/index.htm\n[window]\nwidth = abc\nwi\x1B[2Jpe = 1\n"
                   "x\x1B]0;evil\x07y\n[a\x07\x1B]c]\nfoo = 1\n[toolbar]\nshown = maybe\n"),
        file_ + ":5: [window] width = \"abc\": 'abc' is not a valid integer value (configuration line 5)\n" + file_ +
            ":6: unknown key \"wi\\x1B[2jpe\" in section [window] (see docs/authoring.md)\n" + file_ +
            ":7: expected \"key = value\", found \"x\\x1B]0;evil\\x07y\"\n" + file_ +
            ":8: unknown section [a\\x07\\x1B]c] (sections: [book], [window], [caption], [toolbar], [keys], [about], "
            "[effect], [page], [scrollbars], [messages], [connection], [skin], [reserved], [payload], [search], [menus], and "
            "the menu definition [GERAL], [MENU], [SUBMENUS], [ACOES])\n" +
            file_ + ":11: [toolbar] shown = \"maybe\": 'maybe' is not a valid boolean value (configuration line 11)");
    // Quoted values are taken as written; none may break or end the text.
    const std::string head = "[book]\ntitle = T\nstart-page = pages/index.htm\n";
    EXPECT_EQ(BuildError(head + "[skin]\non = \"yes\"\n[about]\nlink = \"a\\x0Db\"\n[reserved]\nline-52 = \"\\x00\"\n"
                                "[payload]\nlines = 0\n"),
              file_ + ":5: [skin] on = \"yes\": 'yes' is not a valid boolean value (configuration line 101)\n" + file_ +
                  ":7: [about] link = \"a\\x0Db\": a line break inside a value would shift every configuration line "
                  "after it (configuration line 17)\n" +
                  file_ +
                  ":9: [reserved] line-52 = \"\\x00\": a zero byte ends the configuration text; the lines after "
                  "it would be missing (configuration line 52)\n" +
                  file_ + ":11: [payload] lines = \"0\": a number from 1 to 103 is expected");
}

TEST_F(PackFiles, ValuesThatReadButDoNothingAreWarnedAbout) {
    ASSERT_TRUE(Built(std::string(kMinimalBook) + "[skin]\non = yes\nnumber = 16\n[effect]\nnumber = 14\n", OutPath()));
    EXPECT_EQ(err_.str(), file_ + ":6: warning: skin 16 does not exist: no skin is loaded\n" + file_ +
                              ":8: warning: effect 14 does not exist: no opening effect is played\n");
    EXPECT_EQ(ConfigurationLines(ReadEBookPayload(OutPath())).Line(line::kSkinNumber), "16");
    ASSERT_TRUE(Built(std::string(kMinimalBook) + "[caption]\ngradient = yes\n[skin]\non = yes\nnumber = 3\n", OutPath()));
    EXPECT_TRUE(Holds(err_.str(), "warning: the gradient title bar is not shown while the window wears a skin"));
}

TEST_F(PackFiles, PageErrorsAreReportedBeforeAnythingIsWritten) {
    EXPECT_EQ(BuildError("[book]\ntitle = T\n"),
              file_ + ": [book] start-page is missing: every book needs a start page, such as start-page = "
                     "pages/index.htm (configuration line 10)");
    EXPECT_EQ(BuildError("[book]\nstart-page = pages/missing.htm\n"),
              file_ + ":2: [book] start-page = \"pages/missing.htm\": the page file \"" +
                  (BookPath().parent_path() / "pages/missing.htm").generic_string() +
                  "\" does not exist (configuration line 10)");
    Write(root_ / "book" / "loose.htm", "x");
    EXPECT_EQ(BuildError("[book]\nstart-page = loose.htm\n"),
              file_ + ":2: [book] start-page = \"loose.htm\": the page must lie in a pages folder beside the book "
                     "file, such as pages/index.htm (configuration line 10)");
    EXPECT_EQ(BuildError("[book]\nstart-page = pages/index.htm\nstart-page-recorded = C:\\x\\site\\index.htm\n"),
              file_ + ":3: [book] start-page-recorded = \"C:\\x\\site\\index.htm\": the recorded path ends in "
                     "\"site\\index.htm\" but the page is \"pages\\index.htm\" (configuration line 10)");
    EXPECT_EQ(BuildError("[book]\nstart-page-recorded = index.htm\n"),
              file_ + ":2: [book] start-page-recorded = \"index.htm\": a recorded page path needs a folder and a file "
                     "name, such as C:\\Books\\tour\\pages\\index.htm (configuration line 10)");
}

// A program as signed: padded to eight bytes, a certificate table named in the header.
std::string Signed(std::string program) {
    program.resize((program.size() + 7) / 8 * 8, '\0');
    Put(program, 0x58 + 112 + 4 * 8, static_cast<std::uint32_t>(program.size()), 4);
    Put(program, 0x58 + 112 + 4 * 8 + 4, 64, 4);
    return program + std::string(64, 'S');
}

TEST_F(PackFiles, AnOldPayloadNeedsReplaceAndSignaturesAreRemovedAndSaidSo) {
    ASSERT_TRUE(Built(kMinimalBook, OutPath()));
    std::string first = Read(OutPath());
    Write(RuntimePath(), first);  // an e-book used as the runtime
    const fs::path second = root_ / "again" / "Book.exe";
    EXPECT_EQ(Build(kMinimalBook, second), 1);
    const std::size_t payloadSize = ReadEBookPayload(OutPath()).size();
    EXPECT_EQ(Trimmed(err_.str()), RuntimePath().string() + " already carries a payload (" +
                                       std::to_string(payloadSize) + " bytes at offset " +
                                       std::to_string(first.size() - payloadSize - 24) +
                                       "); give --replace to build from it anyway, its payload removed first");
    EXPECT_FALSE(fs::exists(root_ / "again"));
    // A signed book given back with --replace loses signature, pages and payload.
    Write(RuntimePath(), Signed(first));
    ASSERT_TRUE(Built(kMinimalBook, second, "--replace"));
    EXPECT_EQ(Read(second), first);
    EXPECT_TRUE(Holds(err_.str(), "its code signature went with its old payload; sign the new e-book again"));

    Write(RuntimePath(), Signed(runtime_ + std::string(3, 'x')));
    ASSERT_TRUE(Built(kMinimalBook, second));
    EXPECT_TRUE(Holds(err_.str(), RuntimePath().string() + ": its code signature was removed, since it would lie "
                                                     "inside the e-book; sign the e-book after packing"));
    const std::string book = Read(second);
    EXPECT_EQ(book.substr(0, runtime_.size() + 3), runtime_ + "xxx") << "the runtime keeps its own bytes";
    EXPECT_EQ(book.substr(0x58 + 112 + 4 * 8, 8), std::string(8, '\0')) << "the header names no signature";
    const std::size_t aligned = (runtime_.size() + 3 + 7) / 8 * 8;
    EXPECT_EQ(book.size(), aligned + (first.size() - runtime_.size())) << "no certificate table in the book";

    // A trailer pointing outside the file cannot be cut off.
    first[first.size() - 5] = 0x7F;
    Write(RuntimePath(), first);
    fs::remove_all(root_ / "again");
    EXPECT_EQ(Build(kMinimalBook, second, "--replace"), 1);
    EXPECT_TRUE(Holds(err_.str(), "has a damaged payload trailer"));
    EXPECT_FALSE(fs::exists(root_ / "again"));
}

// --out naming the runtime itself was accepted and overwrote it.
TEST_F(PackFiles, AnOutputThatIsTheRuntimeIsRefusedByIdentity) {
    const fs::path alias = root_ / "alias.exe";
    fs::create_symlink(RuntimePath(), alias);
    EXPECT_EQ(Build(kMinimalBook, alias), 1);
    EXPECT_EQ(Trimmed(err_.str()), "vellumcast-pack: refusing to write \"" + alias.string() +
                                       "\": it is the runtime \"" + RuntimePath().string() +
                                       "\" itself, which would be lost; choose another output");
    EXPECT_EQ(Read(RuntimePath()), runtime_);
    // --force does not make an input an output.
    EXPECT_EQ(Build(kMinimalBook, BookPath(), "--force"), 1);
    EXPECT_TRUE(Holds(err_.str(), "it is the book file"));
    EXPECT_EQ(Read(BookPath()), kMinimalBook);
}

// Any file was taken for the runtime, giving an e-book that could never start.
TEST_F(PackFiles, OnlyAWindowsX64ProgramWithTheStoredSkinsIsTakenAsTheRuntime) {
    const struct {
        std::string bytes;
        const char* why;
    } cases[] = {
        {"", "it is empty"},
        {"just a text file\n", "it is not a Windows program"},
        {"\x7F" "ELF\x02\x01\x01" + std::string(200, '\0'), "it is a Linux (ELF) program, not a Windows one"},
        {"MZ" + std::string(100, '\0'), "it is not a Windows program"},
        {RuntimeImage(16, 0x14C), "it is a Windows program, but not for x86-64"},
        {RuntimeImage(15), "it is a Windows x86-64 program without the runtime's stored skins"},
        {RuntimeImage().substr(0, 0x210), "it is a Windows x86-64 program without the runtime's stored skins"},
    };
    for (const auto& c : cases) {
        Write(RuntimePath(), c.bytes);
        EXPECT_EQ(BuildError(kMinimalBook), "refusing \"" + RuntimePath().string() + "\" as the runtime: " + c.why +
                                                "; give the vellumcast.exe of the Windows build");
    }
    fs::remove(RuntimePath());
    fs::create_directories(RuntimePath());
    EXPECT_EQ(BuildError(kMinimalBook), "refusing \"" + RuntimePath().string() +
                                            "\" as the runtime: it is a folder; give the vellumcast.exe of the Windows build");
}

// build wrote OUT.part and renamed it, losing an author's file of that name;
// an existing file that is not an e-book was replaced without a word; extract
// -o onto its own e-book destroyed the e-book.
TEST_F(PackFiles, AuthorsFilesAndTheInputsAreNeverWrittenOverUnasked) {
    fs::create_directories(root_ / "out");
    Write(root_ / "out" / "Book.exe.part", "the author's notes");
    ASSERT_TRUE(Built(kMinimalBook, OutPath()));
    EXPECT_EQ(Read(root_ / "out" / "Book.exe.part"), "the author's notes");
    const std::string ebook = Read(OutPath());

    const fs::path other = root_ / "out" / "notes.exe";
    Write(other, "not an e-book");
    EXPECT_EQ(Build(kMinimalBook, other), 1);
    EXPECT_EQ(Trimmed(err_.str()), "vellumcast-pack: refusing to write over \"" + other.string() +
                                       "\": it exists and is not an e-book; give --force to replace it");
    EXPECT_EQ(Read(other), "not an e-book");
    ASSERT_TRUE(Built(kMinimalBook, other, "--force"));
    EXPECT_EQ(Read(other), ebook);

    const fs::path itself = root_ / "out" / "." / "Book.exe";
    EXPECT_EQ(Run({"extract", OutPath().string(), "-o", itself.string()}), 1);
    EXPECT_EQ(Trimmed(err_.str()), "vellumcast-pack: refusing to write \"" + itself.string() +
                                       "\": it is the e-book \"" + OutPath().string() +
                                       "\" itself, which would be lost; choose another output");
    EXPECT_EQ(Read(OutPath()), ebook);
    // The author's own description is not an earlier extract.
    EXPECT_EQ(Run({"extract", OutPath().string(), "-o", BookPath().string()}), 1);
    EXPECT_EQ(Trimmed(err_.str()),
              "vellumcast-pack: refusing to write over \"" + BookPath().string() +
                  "\": it exists and is not a book description written by extract; give --force to replace it");
    EXPECT_EQ(Read(BookPath()), kMinimalBook);
    ASSERT_EQ(Run({"extract", OutPath().string(), "-o", BookPath().string(), "--force"}), 0) << err_.str();
    ASSERT_EQ(Run({"extract", OutPath().string(), "-o", BookPath().string()}), 0) << "an earlier extract is replaced";
}

// A 50 MB title gave a 100 MB book that died at start without a message.
TEST_F(PackFiles, TextsNoWindowCanShowAndOversizedPayloadsAreRefused) {
    const std::string head = "[book]\nstart-page = pages/index.htm\n";
    const std::string longest(4096, 't');
    ASSERT_TRUE(Built(head + "title = " + longest + "\n", OutPath()));
    fs::remove_all(root_ / "out");
    EXPECT_EQ(BuildError(head + "title = " + longest + "t\n"),
              file_ + ":3: [book] title = \"" + std::string(64, 't') +
                  "...\": 4097 bytes, more than the 4096 a title, hint or caption may have (configuration line 0)");
    EXPECT_EQ(BuildError(head + "[menus]\nFile > " + std::string(4097, 'm') + " = WEBHOME()\n"),
              file_ + ":4: [menus] \"File > " + std::string(57, 'm') +
                  "...\": a caption of 4097 bytes, more than the 4096 a menu caption may have");
    // Texts not shown in a title may be long, up to what an e-book may carry.
    const std::string description(kMaxPayloadSize, 'd');
    const std::string error = BuildError(head + "title = T\n[about]\ndescription = " + description + "\n");
    EXPECT_EQ(error.rfind(file_ + ": the payload would be 1677", 0), 0u) << error.substr(0, 300);
    EXPECT_TRUE(Holds(error, " bytes, more than the 16777216 (16 MiB) an e-book may carry; the largest value is "
                             "[about] description on line 5 (16777216 bytes)"));
}

TEST_F(PackFiles, InspectListsAndMarksEveryLineAndRefusesAFileWithoutPayload) {
    EXPECT_EQ(Run({"inspect", RuntimePath().string()}), 1);
    EXPECT_EQ(Trimmed(err_.str()),
              RuntimePath().string() + " carries no payload: it is a bare runtime or not an e-book");

    ASSERT_TRUE(Built(std::string(kMinimalBook) + "[about]\nversion = \" 2.0\"\n[GERAL]\nMENU_0=File\n", OutPath()));
    ASSERT_EQ(Run({"inspect", OutPath().string()}), 0) << err_.str();
    const std::string listing = out_.str();
    EXPECT_TRUE(Holds(listing, "   0  [book] title = Minimal\n"));
    EXPECT_TRUE(Holds(listing, "  15  [about] version = \" 2.0\"\n"));
    EXPECT_TRUE(Holds(listing, " 104  menu definition  MENU_0=File\n"));

    ASSERT_EQ(Run({"inspect", OutPath().string(), "--raw"}), 0);
    EXPECT_EQ(out_.str(), ReadEBookPayload(OutPath()));

    // Values the runtime would reject, and missing lines, are marked.
    std::string payload;
    for (int i = 0; i < 11; ++i) payload += (i == 5 ? "abc" : "1") + std::string("\r\n");
    Write(OutPath(), AppendPayload(runtime_, payload));
    ASSERT_EQ(Run({"inspect", OutPath().string()}), 0);
    EXPECT_TRUE(Holds(out_.str(), "   5  [window] width = abc    <- error: 'abc' is not a valid integer value\n"));
    EXPECT_TRUE(Holds(out_.str(), "  10  [book] start-page-recorded = 1    <- error: List index out of bounds (-1)\n"));
    EXPECT_TRUE(Holds(out_.str(), "lines 11 to 102 are missing: the runtime reports \"List index out of bounds (11)\""));
}

// Payloads come back byte for byte, those this tool would not write too.
TEST_F(PackFiles, ExtractDescribesEveryPayloadExactly) {
    // Quoted, translated, 8-bit and control-byte values, and a verbatim menu.
    ASSERT_TRUE(
        Built("[book]\ntitle = \"  Spaced title \"\nstart-page = pages/index.htm\n"
              "startup-command = MESSAGE \"Hi\"==\"#1; ok\"\n"
              "[window]\nstate = maximised\nwidth = -1\nmaximise-button = True\n"
              "[about]\ndescription = Caf\xE9 \xA9 <!> line two\nlink = \"\\\"quoted\\\"\"\nversion = \"yes\"\n"
              "[effect]\non = yes\nnumber = AppearTelevision\n[reserved]\nline-60 = \"\\x01 a control byte\"\n"
              "[ACOES]\n  MENUx0_0 = WEBHOME()  \n\n; a comment the runtime's INI reader skips\n[GERAL]\nMENU_0=Go\n",
              OutPath()));
    const std::string built = ReadEBookPayload(OutPath());
    // The extracted book shows the values as the runtime reads them.
    EXPECT_TRUE(Holds(ExtractBook(built, "x.exe"), "state = 1\n"));
    EXPECT_TRUE(Holds(ExtractBook(built, "x.exe"), "line-60 = \"\\x01 a control byte\"\n"));
    const auto lines = [](int count, const std::string& lineBreak, bool finalBreak) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            // A start page and a border style; the font and the home page empty.
            text += i == 10 ? "C:\\Somewhere\\pages\\index.htm" : i == 34 ? "solid" : i == 20 || i == 81 ? "" : "0";
            if (i + 1 < count || finalBreak) text += lineBreak;
        }
        return text;
    };
    const std::string payloads[] = {
        built,
        lines(103, "\n", true),
        lines(103, "\r", false),
        lines(40, "\r\n", true),
        lines(103, "\r\n", true) + "not a section\r\n[GERAL]\r\n\r\n",
        lines(103, "\r\n", true) + "[menu]\r\nx" + std::string(1, '\0') + "y",
    };
    for (const auto& payload : payloads) {
        const std::string book = ExtractBook(payload, "x.exe");
        EXPECT_EQ(ComposeBook(ParseBook(book, "extracted.ini"), BookPath()).payload, payload) << book;
    }
}

TEST_F(PackFiles, AWholePayloadGivenVerbatimIsCheckedLikeAnyOther) {
    std::string payload;
    for (int i = 0; i < 103; ++i) payload += (i == 10 ? "C:\\b\\pages\\index.htm" : i == 6 ? "tall" : "0") +
                                             std::string(i % 2 ? "\n" : "\r\n");
    EXPECT_EQ(BuildError("[payload]\ntext = " + FormatValue(payload, false) + "\n"),
              file_ + ":2: [payload] text, line 6 ([window] height) = \"tall\": 'tall' is not a valid integer value "
                     "(configuration line 6)");
    EXPECT_EQ(BuildError("[book]\ntitle = x\n[payload]\ntext = \"0\"\n"),
              file_ + ":4: [payload] text gives the whole payload; no other key but [book] pages and no menu "
                     "definition may be given");
}

TEST_F(PackFiles, CommandLineUsageMistakesExitWithTwo) {
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({"bulid"}), 2);
    EXPECT_TRUE(Holds(err_.str(), "unknown command \"bulid\" (did you mean \"build\"?)"));
    EXPECT_EQ(Run({"serach"}), 2);
    EXPECT_TRUE(Holds(err_.str(), "(did you mean \"search\"?)"));
    EXPECT_EQ(Run({"keys"}), 0);
    EXPECT_TRUE(Holds(out_.str(), "| book | `title` | 0 | text |"));
}

}  // namespace
}  // namespace vc::pack
