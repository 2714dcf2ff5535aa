#pragma once
// The presentation window: the e-book's one window.
#include <windows.h>

#include <string>

#include "ui/form_win.h"
#include "window/startup.h"

namespace vc {

class Tform_apresentacao : public ui::TForm, private StartupTarget {
public:
    static constexpr const char* kBuiltInCaption = "T\xEDtulo";

    // Creates the window and runs FormCreate on the payload of `exePath`.
    explicit Tform_apresentacao(std::string exePath);

    const WindowSettings& Settings() const noexcept { return settings_; }

protected:
    void OnCreate() override;

private:
    void FormCreate();
    void ShowRuntimeMessage(const std::string& text);
    std::string StartPageFile() const;

    // StartupTarget
    void SetApplicationTitle(const std::string& title) override;
    void SetCaption(const std::string& caption) override;
    std::string MakeMenuFileName() override;
    void SetGradientStartColour(Colour colour) override;
    void SetGradientFont(const CaptionFont& font) override;
    void SetGradientCaption(const std::string& caption) override;
    void SetGradientActive(bool active) override;
    void SetSize(int width, int height) override;
    void CentreOnScreen() override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    void SetMaximized(bool maximized) override;
    void SetBorder(WindowBorder border) override;
    void SetTitleBarButtons(const TitleBarButtons& buttons) override;
    void SetButtonVisible(ToolButton button, bool visible) override;
    void SetPartVisible(WindowPart part, bool visible) override;
    void SetButtonHint(ToolButton button, const std::string& hint) override;
    void PlayOpeningEffect(int effect) override;
    void BuildMenus(const std::string& definitionText) override;
    void ActivateSkin(int number) override;
    void RunStartupCommand(const std::string& command) override;

    std::string exePath_;
    WindowSettings settings_;
};

}  // namespace vc
