// The pack tool's comforts for authors: new, suggestions, the link check,
// the runtime found without --runtime, and the pages folder of a rebuild.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "book_file.h"
#include "book_keys.h"
#include "common/text.h"
#include "common/input_file.h"
#include "link_check.h"
#include "pack.h"
#include "pack_fixture.h"
#include "runtime_search.h"
#include "suggest.h"

namespace vc::pack {
namespace {

namespace fs = std::filesystem;

class Authoring : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root_ / "book" / "pages");
        Write(root_ / "vellumcast.exe", RuntimeImage());
    }
    static void Write(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunPack(args, out_, err_);
    }
    std::vector<std::string> Findings(const std::string& bookText) {
        const fs::path file = root_ / "book" / "book.ini";
        Write(file, bookText);
        const Book book = ParseBook(bookText, "book.ini");
        return CheckLinks(book, ComposeBook(book, file), file).findings;
    }

    ScratchFolder scratch_{"vc_authoring_"};
    const fs::path root_ = scratch_.Path();
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(Authoring, ANewBookBuildsAndChecksCleanAndIsMadeOnlyOnce) {
    const fs::path folder = root_ / "My Book";
    ASSERT_EQ(Run({"new", folder.string()}), 0) << err_.str();
    const fs::path book = folder / "My Book.ini";
    ASSERT_EQ(Run({"build", book.string(), "--runtime", (root_ / "vellumcast.exe").string()}), 0) << err_.str();
    EXPECT_TRUE(fs::is_regular_file(folder / "My Book.exe")) << "--out defaults to the book file's name";
    EXPECT_TRUE(Holds(out_.str(), "\nlink check: 3 pages, no problems\n"));
    ASSERT_EQ(Run({"check", book.string(), "--strict"}), 0);
    EXPECT_EQ(out_.str(), "link check: 3 pages, no problems\n");

    // Every key of the table is in the description, and uncommenting one
    // (here the whole [window] section) still builds.
    std::string text = ReadWholeFile(book.string()).value_or("");
    EXPECT_TRUE(Holds(text, ";minimise-button = yes\n"));
    EXPECT_TRUE(Holds(text, ";border = sizeable\n"));
    EXPECT_TRUE(Holds(text, ";number = AppearEllipse\n"));
    EXPECT_TRUE(Holds(text, ";copyright = \"\\xA9\"\n"));
    for (const KeyEntry& entry : KeyTable()) {
        if (std::string(entry.section) == "reserved") continue;
        EXPECT_TRUE(Holds(text, std::string(entry.key) + " ="));
    }
    for (const char* key : {"width", "height", "state", "border", "menu-bar"})
        text = ReplaceAll(text, std::string(";") + key + " =", std::string(key) + " =");
    Write(book, text);
    EXPECT_EQ(Run({"build", book.string(), "--runtime", (root_ / "vellumcast.exe").string(), "--replace"}), 0)
        << err_.str();

    EXPECT_EQ(Run({"new", folder.string()}), 1);
    EXPECT_EQ(err_.str(), "\"" + folder.string() + "\" exists already; new makes a folder of its own\n");
}

struct Misspelling {
    const char* lines;     // below [book] with its start page
    const char* expected;  // the suggestion, or "" for none
};

class Suggestions : public Authoring, public ::testing::WithParamInterface<Misspelling> {};

TEST_P(Suggestions, NameTheOneCloseName) {
    Write(root_ / "book" / "pages" / "index.htm", "<p>");
    const fs::path file = root_ / "book" / "book.ini";
    Write(file, std::string("[book]\nstart-page = pages/index.htm\n") + GetParam().lines);
    EXPECT_EQ(Run({"check", file.string()}), 1);
    const std::string expected = GetParam().expected;
    if (expected.empty()) {
        EXPECT_EQ(err_.str().find("did you mean"), std::string::npos) << err_.str();
    } else {
        EXPECT_TRUE(Holds(err_.str(), " (did you mean \"" + expected + "\"?)"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Misspellings, Suggestions,
    ::testing::Values(Misspelling{"[window]\nwidht = 10\n", "width"},          // two letters swapped
                      Misspelling{"[window]\nthgieh = 10\n", "height"},        // the same letters
                      Misspelling{"[windwo]\n", "window"},                     // a section
                      Misspelling{"[window]\nborder = sizeabel\n", "sizeable"},
                      Misspelling{"[window]\nstate = maximsed\n", "maximised"},
                      Misspelling{"[window]\nstatus-bar = yse\n", "yes"},
                      Misspelling{"[effect]\nnumber = AppearElipse\n", "AppearEllipse"},
                      Misspelling{"[caption]\nstart-colour = clNvy\n", "clNavy"},
                      Misspelling{"[window]\ncolour = 1\n", ""},               // nothing close
                      Misspelling{"[window]\nstatus-bar = of\n", ""}));        // on and off alike

TEST(ClosestName, IgnoresLetterCaseAndKnownWords) {
    EXPECT_EQ(ClosestName("WIDHT", {"width", "height"}), "width");
    EXPECT_EQ(ClosestName("width", {"width", "widths"}), std::nullopt) << "a known word needs no suggestion";
    EXPECT_EQ(ClosestName("wxyzth", {"width"}), std::nullopt) << "three edits are too many";
}

TEST_F(Authoring, TheLinkCheckNamesEveryBrokenLinkAndCommandExactly) {
    Write(root_ / "book" / "pages" / "two.htm", "<p>");
    Write(root_ / "book" / "pages" / "img" / "back.png", "png");
    Write(root_ / "book" / "pages" / "style.css",
          "body { background: url(\"img/back.png\") }\n@font-face { src: url(fonts/gone.woff) }\n"
          "p { background: url(data:image/png;base64,AAAA) }\n");
    Write(root_ / "book" / "pages" / "index.htm",
          "<html><head><link rel=\"stylesheet\" href=\"style.css\"><style>b { background: url('img/Back.png') }</style>\n"
          "<body background=\"IMG/BACK.PNG\"><a href=\"two.htm#part\">a</a> <a href=\"TWO.HTM?x=1\">b</a>\n"
          "<a href=\"http://example.com/x.htm\">c</a> <a href=\"mailto:a@b.c\">d</a> <a href=\"javascript:go()\">e</a>\n"
          "<a href=\"missing-chapter.htm\">f</a> <a href=\"#top\">g</a> <a href=my%20page.htm>h</a>\n"
          "<img src=\"img/none.png\"><a href=\"../book.ini\">i</a>\n"
          "<a href=\"ACTION:APLICATIONEXIT()\">j</a> <a href=\"ACTION:WEBHOME()-@-WEBSTOP()\">k</a>\n"
          "<a href=\"ACTION:MESSAGE%20%Only%20one%\">l</a> <a href=\"ACTION:WEBHOME\">m</a>\n"
          "<a href=\"ACTION:LOADHTML%20%C:\\Books\\book\\pages\\Two.htm%\">n</a>\n"
          "<a href=\"ACTION:LOADHTML%20%C:\\Books\\book\\pages\\gone.htm%\">o</a>\n"
          "<a href=\"ACTION:LOADHTML C:\\x\">p</a><!-- <a href=\"commented.htm\"> -->\n"
          "<div style=\"background-image: url(img/gone.png)\"><script>var s = '<a href=\"x.htm\">';</script>\n");
    EXPECT_EQ(Findings("[book]\nstart-page = pages/index.htm\nstartup-command = WEBHOME()-@-SHOWSTATUSBAR ()\n"
                       "[menus]\nBook > Go = LOADHTML \"C:\\Books\\book\\pages\\nothere.htm\"\n"
                       "Book > Run = EXECUTEOROPENFILE \"a\"==\"b\"==\"c\"\nBook > Home = WEBHOME()\n"
                       "Book > Find = SEARCH \"apple\"\nBook > Find all = SEARCH\n"),
              (std::vector<std::string>{
                  "book.ini:3: \"SHOWSTATUSBAR\" is written \"SHOWSTATUSBAR()\"",
                  "book.ini:5: \"C:\\Books\\book\\pages\\nothere.htm\" is not a page of the book",
                  "book.ini:6: \"EXECUTEOROPENFILE\" takes 1 or 2 parameters, 3 given",
                  "book.ini:9: \"SEARCH\" takes 1 parameter, 0 given",
                  "pages/index.htm:4: \"missing-chapter.htm\" is not in the book",
                  "pages/index.htm:4: \"my%20page.htm\" is not in the book",
                  "pages/index.htm:5: \"img/none.png\" is not in the book",
                  "pages/index.htm:5: \"../book.ini\" is not in the book",
                  "pages/index.htm:6: unknown command \"APLICATIONEXIT\" (did you mean \"APPLICATIONEXIT\"?)",
                  "pages/index.htm:6: \"WEBSTOP()\" is written without \"()\"",
                  "pages/index.htm:7: \"MESSAGE\" takes 2 parameters, 1 given",
                  "pages/index.htm:7: \"WEBHOME\" is written \"WEBHOME()\"",
                  "pages/index.htm:9: \"C:\\Books\\book\\pages\\gone.htm\" is not a page of the book",
                  "pages/index.htm:10: parameter 1 of \"LOADHTML\" is not in double quotes",
                  "pages/index.htm:11: \"img/gone.png\" is not in the book",
                  "pages/style.css:2: \"fonts/gone.woff\" is not in the book",
              }));
}

TEST_F(Authoring, LinksFindTheirFilesInAnyLetterCaseWindowsIgnoresAndEscapedForms) {
    Write(root_ / "book" / "pages" / "R\xC3\xA9sum\xC3\xA9.htm", "<p>");       // UTF-8 "Résumé.htm"
    Write(root_ / "book" / "pages" / "a&b.htm", "<p>");
    Write(root_ / "book" / "pages" / "index.htm",
          "<a href=\"R\xC3\x89SUM\xC3\x89.HTM\">a</a> <a href=\"r%C3%A9sum%C3%A9.htm\">b</a>\n"
          "<a href=\"a&amp;b.htm\">c</a> <a href='./a&#38;b.htm#x'>d</a> <a href=\"\">e</a> <a href=\"//host/x\">f</a>\n"
          "<a href=\"r\xC3\xA9sum\xC3\xA8.htm\">g</a>\n");
    // A verbatim menu definition: findings name the line of the item's action.
    EXPECT_EQ(Findings("[book]\nstart-page = pages/index.htm\n[GERAL]\nMENU_0=Book\n[MENU]\nITENS_0=A-@-B\n"
                       "[ACOES]\nMENUx0_0=WEBHOME()\nMENUx0_1=WEBHOEM()\n"),
              (std::vector<std::string>{
                  "book.ini:9: unknown command \"WEBHOEM\" (did you mean \"WEBHOME\"?)",
                  "pages/index.htm:3: \"r\xC3\xA9sum\xC3\xA8.htm\" is not in the book",
              }));
}

TEST_F(Authoring, StrictBuildsNothingWithABrokenLink) {
    Write(root_ / "book" / "pages" / "index.htm", "<a href=\"gone.htm\">");
    const fs::path file = root_ / "book" / "book.ini";
    Write(file, "[book]\nstart-page = pages/index.htm\n");
    const std::vector<std::string> build = {"build", file.string(), "--runtime", (root_ / "vellumcast.exe").string(),
                                            "--out", (root_ / "out" / "B.exe").string()};
    EXPECT_EQ(Run(build), 0) << "a warning by default";
    EXPECT_EQ(err_.str(), "pages/index.htm:1: \"gone.htm\" is not in the book\n");
    EXPECT_TRUE(Holds(out_.str(), "\nlink check: 1 page, 1 problem\n"));
    fs::remove_all(root_ / "out");
    std::vector<std::string> strict = build;
    strict.push_back("--strict");
    EXPECT_EQ(Run(strict), 1);
    EXPECT_EQ(err_.str(), "pages/index.htm:1: \"gone.htm\" is not in the book\n"
                          "1 problem in the links and commands; nothing built (--strict)\n");
    EXPECT_FALSE(fs::exists(root_ / "out"));
}

TEST_F(Authoring, TheRuntimeIsLookedForInOrder) {
    const fs::path tool = root_ / "tool", tree = root_ / "tree" / "vellumcast.exe", variable = root_ / "var.exe";
    RuntimePlaces places{"", variable.string(), tool, tree};
    const auto found = [&] {
        const FoundRuntime runtime = FindRuntime(places);
        return runtime.path.string() + " " + runtime.source;
    };
    EXPECT_THROW(found(), PackError);
    Write(tree, "x");
    EXPECT_EQ(found(), tree.string() + " the Windows build tree");
    Write(tool / "vellumcast.exe", "x");
    EXPECT_EQ(found(), (tool / "vellumcast.exe").string() + " beside vellumcast-pack");
    Write(variable, "x");
    EXPECT_EQ(found(), variable.string() + " VELLUMCAST_RUNTIME");
    places.given = "given.exe";
    EXPECT_EQ(found(), "given.exe --runtime") << "--runtime is taken as given, there or not";

    places = {"", "", root_ / "none", root_ / "none.exe"};
    try {
        FindRuntime(places);
        FAIL() << "no runtime anywhere";
    } catch (const PackError& e) {
        EXPECT_EQ(std::string(e.what()), "no runtime found; looked at:\n  VELLUMCAST_RUNTIME (not set)\n  \"" +
                                             (root_ / "none" / "vellumcast.exe").string() +
                                             "\" (beside vellumcast-pack)\n  \"" + (root_ / "none.exe").string() +
                                             "\" (the Windows build tree)\n"
                                             "give --runtime PATH/vellumcast.exe or set VELLUMCAST_RUNTIME");
    }
}

TEST_F(Authoring, ARebuildReplacesOnlyThePagesAnEarlierBuildOfTheBookWrote) {
    const fs::path file = root_ / "book" / "book.ini", out = root_ / "out";
    Write(file, "[book]\nstart-page = pages/index.htm\npages = beside\n");
    Write(root_ / "book" / "pages" / "index.htm", "<p>");
    Write(root_ / "book" / "pages" / "old.htm", "<p>");
    Write(out / "pages" / "mine.txt", "the author's own");
    const std::vector<std::string> build = {"build", file.string(), "--runtime", (root_ / "vellumcast.exe").string(),
                                            "--out", (out / "B.exe").string()};
    EXPECT_EQ(Run(build), 1);
    EXPECT_EQ(err_.str(), "refusing to copy the pages into \"" + (out / "pages").string() +
                              "\": it holds files no earlier build of this book wrote; give --force to copy into it "
                              "anyway\n");
    EXPECT_FALSE(fs::exists(out / "B.exe"));
    std::vector<std::string> forced = build;
    forced.push_back("--force");
    ASSERT_EQ(Run(forced), 0) << err_.str();

    fs::remove(root_ / "book" / "pages" / "old.htm");
    ASSERT_EQ(Run(build), 0) << err_.str();
    EXPECT_FALSE(fs::exists(out / "pages" / "old.htm")) << "a page the book no longer has";
    EXPECT_TRUE(fs::exists(out / "pages" / "index.htm"));
    EXPECT_TRUE(fs::exists(out / "pages" / "mine.txt")) << "a file no build wrote";
}

}  // namespace
}  // namespace vc::pack
