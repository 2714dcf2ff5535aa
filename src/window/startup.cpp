#include "window/startup.h"

#include "common/text.h"

namespace vc {

namespace {

// Tool buttons in the order their hints stand in lines 37 to 46.
constexpr ToolButton kHintOrder[] = {
    ToolButton::Home, ToolButton::Back, ToolButton::Forward, ToolButton::Refresh, ToolButton::Stop,
    ToolButton::SelectAll, ToolButton::Copy, ToolButton::Print, ToolButton::Exit, ToolButton::About,
};

void ApplyWindowState(const ConfigurationLines& lines, StartupTarget& window) {
    window.SetMaximized(lines.Line(line::kWindowState) != "0");
}

// A button shown keeps its key; a hidden one may take the key away too.
bool KeyBlocked(ConfigurationLines& lines, StartupTarget& window, ToolButton button, int shownLine, int blockLine) {
    const bool shown = lines.Boolean(shownLine);
    window.SetButtonVisible(button, shown);
    return shown ? false : lines.Boolean(blockLine);
}

}  // namespace

CaptionFont ReadCaptionFont(const std::string& text) {
    CaptionFont font;
    font.name = NthField(1, ",", text);
    font.size = StrToInt(NthField(2, ",", text));
    font.colour = StrToColour(NthField(3, ",", text));
    const std::string style = NthField(4, ",", text);
    font.bold = style.find("Negrito") != std::string::npos;
    font.italic = style.find("Italico") != std::string::npos;
    font.underline = style.find("Sublinhada") != std::string::npos;
    font.strikeOut = style.find("Atravessada") != std::string::npos;
    return font;
}

bool FillsScreen(const std::string& width, const std::string& height, int screenWidth, int screenHeight) {
    if (StrToInt(width) < screenWidth) return false;
    return StrToInt(height) >= screenHeight;
}

void ApplyConfiguration(ConfigurationLines& lines, WindowSettings& settings, StartupTarget& window) {
    window.SetApplicationTitle(lines.ShownText(line::kTitle));
    settings.StartupCommand = lines.Line(line::kStartupCommand);
    settings.MenuFileName = window.MakeMenuFileName();
    lines.Line(line::kReserved48);
    lines.Line(line::kReserved19);
    window.SetCaption(lines.ShownText(line::kTitle));

    window.SetGradientStartColour(lines.ColourValue(line::kGradientStartColour));
    if (const std::string& font = lines.Line(line::kCaptionFont); !font.empty())
        window.SetGradientFont(ReadCaptionFont(font));
    if (lines.Boolean(line::kGradientOn)) {
        window.SetGradientCaption(lines.ShownText(line::kTitle));
        window.SetGradientActive(true);
    } else {
        window.SetGradientActive(false);
    }

    const int width = lines.Integer(line::kWidth);
    const int height = lines.Integer(line::kHeight);
    window.SetSize(width, height);
    window.CentreOnScreen();
    if (FillsScreen(lines.Line(line::kWidth), lines.Line(line::kHeight), window.ScreenWidth(), window.ScreenHeight()))
        lines.SetLine(line::kWindowState, "1");
    // A sizeable border takes its state only after the menu and the skin.
    const bool stateDelayed = lines.Line(line::kBorder) == "2";
    if (!stateDelayed) ApplyWindowState(lines, window);
    const std::string& border = lines.Line(line::kBorder);
    if (border == "0") window.SetBorder(FrameBorder::Fixed);
    if (border == "1") window.SetBorder(FrameBorder::NoCaption);
    if (border == "2") window.SetBorder(FrameBorder::Sizable);

    // Read in this order: system menu, minimise, maximise.
    const bool closeBox = lines.Boolean(line::kSystemMenu);
    const bool minimiseBox = lines.Boolean(line::kMinimiseButton);
    const bool maximiseBox = lines.Boolean(line::kMaximiseButton);
    window.SetTitleBarButtons(closeBox, minimiseBox, maximiseBox);

    settings.StartPage = lines.Line(line::kStartPage);

    window.SetPartVisible(WindowPart::Toolbar, lines.Boolean(line::kToolbarShown));
    const bool about = lines.Boolean(line::kAboutShown);
    window.SetButtonVisible(ToolButton::About, about);
    window.SetPartVisible(WindowPart::AboutSeparator, about);
    const bool home = lines.Boolean(line::kHomeShown);
    window.SetButtonVisible(ToolButton::Home, home);
    window.SetPartVisible(WindowPart::HomeSeparator, home);
    window.SetButtonVisible(ToolButton::Refresh, lines.Boolean(line::kRefreshShown));
    window.SetButtonVisible(ToolButton::Stop, lines.Boolean(line::kStopShown));
    window.SetButtonVisible(ToolButton::Exit, lines.Boolean(line::kExitShown));
    window.SetButtonVisible(ToolButton::Back, lines.Boolean(line::kBackShown));
    window.SetButtonVisible(ToolButton::Forward, lines.Boolean(line::kForwardShown));

    settings.ConnectionRequired = lines.Boolean(line::kConnectionRequired);
    settings.ConnectionMessage = lines.Line(line::kConnectionMessage);

    settings.BlockSelectAllKey =
        KeyBlocked(lines, window, ToolButton::SelectAll, line::kSelectAllShown, line::kBlockSelectAllKey);
    settings.BlockCopyKey = KeyBlocked(lines, window, ToolButton::Copy, line::kCopyShown, line::kBlockCopyKey);
    settings.BlockPrintKey = KeyBlocked(lines, window, ToolButton::Print, line::kPrintShown, line::kBlockPrintKey);

    window.SetPartVisible(WindowPart::StatusBar, lines.Boolean(line::kStatusBarShown));

    const int aboutLines[] = {line::kAboutCaption, line::kAboutAppName, line::kAboutVersion, line::kAboutDescription,
                              line::kAboutLink, line::kAboutEMail, line::kAboutCopyright, line::kAboutAppNameSize};
    for (std::size_t i = 0; i < settings.AboutTexts.size(); ++i) settings.AboutTexts[i] = lines.ShownText(aboutLines[i]);
    settings.AboutTextsRead = true;

    settings.ScrollbarColoursOn = lines.Boolean(line::kScrollbarColoursOn);
    for (std::size_t i = 0; i < settings.ScrollbarColours.size(); ++i)
        settings.ScrollbarColours[i] = lines.Line(line::kScrollbarFace + static_cast<int>(i));

    settings.PrintWithDialog = lines.Boolean(line::kPrintWithDialog);
    settings.BodyBorderOn = lines.Boolean(line::kBodyBorderOn);
    settings.BodyBorderStyle = lines.Line(line::kBodyBorderStyle);
    settings.BodyBorderColour = lines.Line(line::kBodyBorderColour);
    lines.Line(line::kReserved47);
    settings.BlockContextMenu = lines.Boolean(line::kBlockContextMenu);

    for (int i = 0; i < kToolButtonCount; ++i) window.SetButtonHint(kHintOrder[i], lines.ShownText(line::kHintHome + i));

    settings.PageMissingMessage = lines.Line(line::kPageMissingMessage);
    settings.AltHomePage = lines.Line(line::kAltHomePage);
    settings.AltHomeFlag = lines.Line(line::kAltHomeFlag);

    if (lines.Boolean(line::kEffectOn)) {
        const int effect = lines.Integer(line::kEffectNumber);
        if (effect >= 0 && effect <= 13) window.PlayOpeningEffect(effect);
    }
    if (lines.Boolean(line::kMenuOn)) window.BuildMenus(lines.Text());
    if (lines.Boolean(line::kSkinOn)) window.ActivateSkin(lines.Integer(line::kSkinNumber));
    if (stateDelayed) ApplyWindowState(lines, window);
    window.RunStartupCommand(settings.StartupCommand);
}

}  // namespace vc
