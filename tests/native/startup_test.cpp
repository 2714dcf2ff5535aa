#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "book_lines.h"
#include "common/errors.h"
#include "window/startup.h"

namespace vc {
namespace {

// Records every effect on the window, in order, as short texts.
class RecordingWindow : public StartupTarget {
public:
    std::vector<std::string> log;
    int screenWidth = 1024;
    int screenHeight = 768;

    void SetApplicationTitle(const std::string& t) override { log.push_back("title " + t); }
    void SetCaption(const std::string& c) override { log.push_back("caption " + c); }
    std::string MakeMenuFileName() override { return "QWERTY"; }
    void SetGradientStartColour(Colour c) override { log.push_back("gradient colour " + std::to_string(c)); }
    void SetGradientFont(const CaptionFont& f) override { log.push_back("gradient font " + f.name); }
    void SetGradientCaption(const std::string& c) override { log.push_back("gradient caption " + c); }
    void SetGradientActive(bool a) override { log.push_back(std::string("gradient ") + (a ? "on" : "off")); }
    void SetSize(int w, int h) override { log.push_back("size " + std::to_string(w) + "x" + std::to_string(h)); }
    void CentreOnScreen() override { log.push_back("centre"); }
    int ScreenWidth() override { return screenWidth; }
    int ScreenHeight() override { return screenHeight; }
    void SetMaximized(bool m) override { log.push_back(m ? "maximized" : "normal"); }
    // Logged by the line 4 value that asks for the border.
    void SetBorder(FrameBorder b) override {
        log.push_back(std::string("border ") + (b == FrameBorder::Fixed       ? "0"
                                                : b == FrameBorder::NoCaption ? "1"
                                                : b == FrameBorder::Sizable   ? "2"
                                                                              : "?"));
    }
    void SetTitleBarButtons(bool closeBox, bool minimiseBox, bool maximiseBox) override {
        log.push_back(std::string("buttons ") + (closeBox ? "S" : "-") + (minimiseBox ? "N" : "-") +
                      (maximiseBox ? "X" : "-"));
    }
    void SetButtonVisible(ToolButton b, bool v) override {
        log.push_back("button " + std::to_string(static_cast<int>(b)) + (v ? " shown" : " hidden"));
    }
    void SetPartVisible(WindowPart p, bool v) override {
        log.push_back("part " + std::to_string(static_cast<int>(p)) + (v ? " shown" : " hidden"));
    }
    void SetButtonHint(ToolButton b, const std::string& h) override {
        log.push_back("hint " + std::to_string(static_cast<int>(b)) + " " + h);
    }
    void PlayOpeningEffect(int e) override { log.push_back("effect " + std::to_string(e)); }
    void BuildMenus(const std::string& text) override { menuText = text, log.push_back("menus"); }
    void ActivateSkin(int n) override { log.push_back("skin " + std::to_string(n)); }
    void RunStartupCommand(const std::string& c) override { log.push_back("command [" + c + "]"); }

    std::string menuText;

    int Position(const std::string& entry) const {
        for (std::size_t i = 0; i < log.size(); ++i)
            if (log[i] == entry) return static_cast<int>(i);
        return -1;
    }
    int CountOf(const std::string& prefix) const {
        int n = 0;
        for (const auto& entry : log) n += entry.rfind(prefix, 0) == 0;
        return n;
    }
};

using testing_lines::BookLines;
using testing_lines::JoinLines;

struct StartUp {
    RecordingWindow window;
    WindowSettings settings;
    ConfigurationLines lines;
    std::string error;

    explicit StartUp(const std::vector<std::string>& l) : lines(JoinLines(l)) {
        try {
            ApplyConfiguration(lines, settings, window);
        } catch (const std::exception& e) {
            error = e.what();
        }
    }
};

TEST(ApplyConfiguration, AppliesEveryLineInTheStartUpOrder) {
    auto lines = BookLines();
    lines[51] = "MESSAGE \"a\"==\"b\"";
    StartUp run(lines);
    ASSERT_EQ(run.error, "");
    const auto& log = run.window.log;
    ASSERT_GE(log.size(), 6u);
    EXPECT_EQ(log[0], "title Tour");
    EXPECT_EQ(log[1], "caption Tour");
    EXPECT_EQ(log[2], "gradient colour " + std::to_string(0x800000));
    EXPECT_EQ(log[3], "gradient off");
    EXPECT_EQ(log[4], "size 800x600");
    EXPECT_EQ(log[5], "centre");
    EXPECT_LT(run.window.Position("border 2"), run.window.Position("buttons SNX"));
    EXPECT_LT(run.window.Position("part 0 shown"), run.window.Position("part 3 shown"));
    EXPECT_EQ(log.back(), "command [MESSAGE \"a\"==\"b\"]");
    EXPECT_EQ(run.window.CountOf("command"), 1);
    // Every hint comes from the configuration: none of the built-in ones survives.
    EXPECT_EQ(run.window.CountOf("hint"), 10);
    EXPECT_NE(run.window.Position("hint 0 hint37"), -1);
    EXPECT_NE(run.window.Position("hint 9 hint46"), -1);
    EXPECT_EQ(run.settings.StartPage, "C:\\Books\\tour\\pages\\index.htm");
    EXPECT_EQ(run.settings.MenuFileName, "QWERTY");
    EXPECT_EQ(run.window.CountOf("menus"), 0) << "line 50 false writes no menu file";
    EXPECT_EQ(run.window.CountOf("skin"), 0);
}

TEST(ApplyConfiguration, ABadLineStopsWhereItIsReadWithEarlierEffectsKept) {
    auto lines = BookLines();
    lines[5] = "abc";
    lines[51] = "WEBHOME()";
    StartUp run(lines);
    EXPECT_EQ(run.error, "'abc' is not a valid integer value");
    EXPECT_EQ(run.window.log.back(), "gradient off");
    EXPECT_EQ(run.window.CountOf("size"), 0);
    EXPECT_EQ(run.window.CountOf("command"), 0) << "the start-up command must not run";

    lines = BookLines();
    lines[85] = "maybe";
    EXPECT_EQ(StartUp(lines).error, "'maybe' is not a valid boolean value");
}

TEST(ApplyConfiguration, AMissingLineGivesTheListErrorWithItsIndex) {
    auto lines = BookLines();
    lines.resize(102);  // line 102 gone: fine while the skin is off
    EXPECT_EQ(StartUp(lines).error, "");
    lines[101] = "1";
    StartUp run(lines);
    EXPECT_EQ(run.error, "List index out of bounds (102)");

    lines.resize(52);
    EXPECT_EQ(StartUp(lines).error, "List index out of bounds (82)");
}

TEST(ApplyConfiguration, ASizeFillingTheScreenForcesTheMaximisedStateIntoTheMenuFile) {
    auto lines = BookLines();
    lines[4] = "0";
    lines[5] = "1024";
    lines[6] = "768";
    lines[50] = "1";
    StartUp run(lines);
    ASSERT_EQ(run.error, "");
    EXPECT_NE(run.window.Position("maximized"), -1);
    EXPECT_EQ(run.lines.Line(3), "1");
    EXPECT_EQ(run.window.menuText.substr(0, 29), "Tour\r\n0\r\nclNavy\r\n1\r\n0\r\n1024\r\n")
        << "the menu file got a stale line 3";

    lines[6] = "767";  // the height falls short: the state stays as configured
    StartUp shortRun(lines);
    EXPECT_EQ(shortRun.window.Position("maximized"), -1);
    EXPECT_EQ(shortRun.lines.Line(3), "0");
}

TEST(ApplyConfiguration, ASizeableBorderDelaysTheStateUntilAfterMenuAndSkin) {
    auto lines = BookLines();
    lines[3] = "1";
    lines[50] = "1";
    lines[101] = "1";
    StartUp delayed(lines);
    ASSERT_EQ(delayed.error, "");
    EXPECT_GT(delayed.window.Position("maximized"), delayed.window.Position("skin 3"));
    EXPECT_GT(delayed.window.Position("skin 3"), delayed.window.Position("menus"));

    lines[4] = "0";
    StartUp early(lines);
    EXPECT_LT(early.window.Position("maximized"), early.window.Position("border 0"));
    EXPECT_LT(early.window.Position("maximized"), early.window.Position("menus"));

    // Any other border value keeps the built-in frame and applies the state early.
    lines[4] = "3";
    StartUp other(lines);
    EXPECT_EQ(other.window.CountOf("border"), 0);
    EXPECT_LT(other.window.Position("maximized"), other.window.Position("menus"));
}

TEST(ApplyConfiguration, KeyBlockingLinesAreReadOnlyForHiddenButtons) {
    auto lines = BookLines();
    lines[92] = lines[93] = lines[94] = "not read";
    StartUp shown(lines);
    EXPECT_EQ(shown.error, "");
    EXPECT_FALSE(shown.settings.BlockSelectAllKey);

    lines[85] = "0";
    lines[92] = "0";
    lines[86] = "false";
    lines[93] = "True";
    lines[87] = "0";
    lines[94] = "-1";
    StartUp hidden(lines);
    ASSERT_EQ(hidden.error, "");
    EXPECT_FALSE(hidden.settings.BlockSelectAllKey);
    EXPECT_TRUE(hidden.settings.BlockCopyKey);
    EXPECT_TRUE(hidden.settings.BlockPrintKey);
    EXPECT_NE(hidden.window.Position("button 5 hidden"), -1);
}

TEST(ApplyConfiguration, OnlyEffectsZeroToThirteenPlay) {
    auto lines = BookLines();
    lines[22] = "1";
    for (const char* number : {"14", "-1"}) {
        lines[23] = number;
        StartUp run(lines);
        EXPECT_EQ(run.error, "");
        EXPECT_EQ(run.window.CountOf("effect"), 0) << number;
    }
    lines[23] = "13";
    EXPECT_NE(StartUp(lines).window.Position("effect 13"), -1);
    lines[22] = "0";
    lines[23] = "junk";  // not read while the effect is off
    EXPECT_EQ(StartUp(lines).error, "");
}

TEST(ApplyConfiguration, GradientCaptionTakesTheTitleAndTheFontOfLine20) {
    auto lines = BookLines();
    lines[1] = "True";
    lines[20] = "Georgia,14,clWhite,Negrito Italico";
    StartUp run(lines);
    ASSERT_EQ(run.error, "");
    EXPECT_LT(run.window.Position("gradient font Georgia"), run.window.Position("gradient caption Tour"));
    EXPECT_LT(run.window.Position("gradient caption Tour"), run.window.Position("gradient on"));
}

TEST(ReadCaptionFont, FourFieldsWithCaseSensitiveStyleWords) {
    const CaptionFont font = ReadCaptionFont("Arial,12,clRed,Negrito Sublinhada Atravessada");
    EXPECT_EQ(font.name, "Arial");
    EXPECT_EQ(font.size, 12);
    EXPECT_EQ(font.colour, 0x0000FFu);
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(font.italic);
    EXPECT_TRUE(font.underline);
    EXPECT_TRUE(font.strikeOut);
    EXPECT_FALSE(ReadCaptionFont("Arial,12,0,negrito").bold);
    EXPECT_THROW(ReadCaptionFont("Arial,big,0,"), EConvertError);
    EXPECT_THROW(ReadCaptionFont("Arial,12"), EConvertError) << "a missing colour is an empty integer";
}

TEST(FillsScreen, ComparesWidthFirstAndReadsTheHeightOnlyThen) {
    EXPECT_TRUE(FillsScreen("1024", "768", 1024, 768));
    EXPECT_FALSE(FillsScreen("1023", "5000", 1024, 768));
    EXPECT_FALSE(FillsScreen("1023", "not a number", 1024, 768));
    EXPECT_THROW(FillsScreen("1024", "not a number", 1024, 768), EConvertError);
}

}  // namespace
}  // namespace vc
