#pragma once
// The configuration lines of an e-book: the payload text cut into lines and
// read by zero-based index. Every typed read goes through the value readers,
// so the runtime and the authoring tool accept exactly the same values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/text.h"
#include "common/values.h"

namespace vc {

// Indexes of the configuration lines the runtime reads.
namespace line {
enum : int {
    kTitle = 0, kGradientOn = 1, kGradientStartColour = 2, kWindowState = 3,
    kBorder = 4, kWidth = 5, kHeight = 6, kMinimiseButton = 7,
    kMaximiseButton = 8, kSystemMenu = 9, kStartPage = 10, kToolbarShown = 11,
    kAboutShown = 12, kAboutCaption = 13, kAboutAppName = 14, kAboutVersion = 15,
    kAboutDescription = 16, kAboutLink = 17, kAboutEMail = 18, kReserved19 = 19,
    kCaptionFont = 20, kStatusBarShown = 21, kEffectOn = 22, kEffectNumber = 23,
    kScrollbarColoursOn = 24, kScrollbarFace = 25, kScrollbarTrack = 31,
    kPrintWithDialog = 32, kBodyBorderOn = 33, kBodyBorderStyle = 34,
    kBodyBorderColour = 35, kBlockContextMenu = 36, kHintHome = 37, kHintAbout = 46,
    kReserved47 = 47, kReserved48 = 48, kPageMissingMessage = 49, kMenuOn = 50,
    kStartupCommand = 51, kAltHomeFlag = 80, kAltHomePage = 81, kHomeShown = 82,
    kRefreshShown = 83, kStopShown = 84, kSelectAllShown = 85, kCopyShown = 86,
    kPrintShown = 87, kExitShown = 88, kBackShown = 89, kForwardShown = 90,
    kBlockSelectAllKey = 92, kBlockCopyKey = 93, kBlockPrintKey = 94,
    kAboutCopyright = 97, kAboutAppNameSize = 98, kConnectionRequired = 99,
    kConnectionMessage = 100, kSkinOn = 101, kSkinNumber = 102,
};
constexpr int kLastLine = 102;
}  // namespace line

// The longest title, hint or caption shown: what a window caption, a tool
// tip and a menu can take and still be drawn. Longer texts are cut to it;
// the authoring tool refuses them.
constexpr std::size_t kMaxShownText = 4096;
// The largest payload a book is built with; the authoring tool refuses more.
constexpr std::size_t kMaxPayloadSize = 16u * 1024u * 1024u;

// The lines shown as a title, a hint or a caption: the book's title, the
// about box's caption and name, the hints of the ten buttons.
bool IsShownTextLine(int index);

class ConfigurationLines {
public:
    ConfigurationLines() = default;
    explicit ConfigurationLines(std::string_view text) { SetText(text); }

    // Replaces the lines with those of the text (CR, LF or CR LF; a zero byte
    // ends the text; no empty last line for a final line break).
    void SetText(std::string_view text) { lines_ = SplitLines(text); }
    // The lines, each followed by CR LF: the form the menu definition file has.
    std::string Text() const;

    std::size_t Count() const noexcept { return lines_.size(); }
    const std::string& Line(int index) const;
    // A line as the window shows it: a title, hint or caption (see
    // IsShownTextLine) is cut to kMaxShownText bytes, any other line is whole.
    std::string ShownText(int index) const;
    void SetLine(int index, std::string value);

    bool Boolean(int index) const { return StrToBool(Line(index)); }
    std::int32_t Integer(int index) const { return StrToInt(Line(index)); }
    Colour ColourValue(int index) const { return StrToColour(Line(index)); }

private:
    StringList lines_;
};

}  // namespace vc
