#pragma once
// What the configuration does to the presentation window at start-up. The
// order of reads and effects is the e-book's contract: a missing or bad line
// stops the start-up exactly where it is read, with what came before applied.
// The window carries the effects out through StartupTarget.
#include <array>
#include <cstdint>
#include <string>

#include "book/configuration.h"
#include "common/caption_font.h"
#include "common/frame_style.h"
#include "common/values.h"
#include "interpreter/command_host.h"

namespace vc {

constexpr int kToolButtonCount = 10;

// Parts of the window whose visibility the configuration sets, besides the
// tool buttons.
enum class WindowPart { Toolbar, AboutSeparator, HomeSeparator, StatusBar };

// The window fields filled from the configuration and used after start-up.
struct WindowSettings {
    bool ScrollbarColoursOn = false;
    bool PrintWithDialog = false;
    bool BodyBorderOn = false;
    bool BlockContextMenu = false;
    std::array<std::string, 7> ScrollbarColours;
    std::string BodyBorderStyle;
    std::string BodyBorderColour;
    std::string AltHomeFlag;
    std::string PageMissingMessage;
    std::string StartupCommand;
    std::string ConnectionMessage;
    std::string LastUrl;
    std::array<std::string, 8> AboutTexts;
    bool AboutTextsRead = false;  // the book's about texts are in AboutTexts
    std::string MenuFileName;
    bool BlockCopyKey = false;
    bool BlockPrintKey = false;
    bool BlockSelectAllKey = false;
    std::string StartPage;
    std::string AltHomePage;
    bool ConnectionRequired = false;
    // A one-file book's pages are addresses of this host (chosen at start);
    // empty for a classic book, whose pages are files beside the program.
    std::string BookHost;
};

// The window as the start-up sees it.
class StartupTarget {
public:
    virtual ~StartupTarget() = default;

    virtual void SetApplicationTitle(const std::string& title) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string MakeMenuFileName() = 0;
    virtual void SetGradientStartColour(Colour colour) = 0;
    virtual void SetGradientFont(const CaptionFont& font) = 0;
    virtual void SetGradientCaption(const std::string& caption) = 0;
    virtual void SetGradientActive(bool active) = 0;
    virtual void SetSize(int width, int height) = 0;
    virtual void CentreOnScreen() = 0;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    virtual void SetMaximized(bool maximized) = 0;
    // Line 4: 0 Fixed, 1 NoCaption, 2 Sizable.
    virtual void SetBorder(FrameBorder border) = 0;
    // The title-bar buttons, all at once: the close box stands for the
    // system menu too.
    virtual void SetTitleBarButtons(bool closeBox, bool minimiseBox, bool maximiseBox) = 0;
    virtual void SetButtonVisible(ToolButton button, bool visible) = 0;
    virtual void SetPartVisible(WindowPart part, bool visible) = 0;
    virtual void SetButtonHint(ToolButton button, const std::string& hint) = 0;
    virtual void PlayOpeningEffect(int effect) = 0;
    // Shows the author's menu bar: the definition text goes to the menu file
    // and the bar is built from it.
    virtual void BuildMenus(const std::string& definitionText) = 0;
    virtual void ActivateSkin(int number) = 0;
    virtual void RunStartupCommand(const std::string& command) = 0;
};

// The gradient caption's font from line 20: "name,size,colour,style words".
CaptionFont ReadCaptionFont(const std::string& text);

// Width and height texts that reach the primary screen's size; the height is
// read only when the width passes.
bool FillsScreen(const std::string& width, const std::string& height, int screenWidth, int screenHeight);

// Applies the lines to the window in the start-up order; may set line 3.
void ApplyConfiguration(ConfigurationLines& lines, WindowSettings& settings, StartupTarget& window);

}  // namespace vc
