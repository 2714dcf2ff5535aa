// Configuration text and the value readers on arbitrary bytes: every read
// either gives a value or raises one of the runtime's own errors.
#include <cstdint>
#include <string>

#include "common/errors.h"
#include "runtime/configuration.h"
#include "window/startup.h"

namespace {

class NullWindow : public vc::StartupTarget {
public:
    void SetApplicationTitle(const std::string&) override {}
    void SetCaption(const std::string&) override {}
    std::string MakeMenuFileName() override { return "ABCDEF"; }
    void SetGradientStartColour(vc::Colour) override {}
    void SetGradientFont(const vc::CaptionFont&) override {}
    void SetGradientCaption(const std::string&) override {}
    void SetGradientActive(bool) override {}
    void SetSize(int, int) override {}
    void CentreOnScreen() override {}
    int ScreenWidth() override { return 1024; }
    int ScreenHeight() override { return 768; }
    void SetMaximized(bool) override {}
    void SetBorder(vc::FrameBorder) override {}
    void SetTitleBarButtons(bool, bool, bool) override {}
    void SetButtonVisible(vc::ToolButton, bool) override {}
    void SetPartVisible(vc::WindowPart, bool) override {}
    void SetButtonHint(vc::ToolButton, const std::string&) override {}
    void PlayOpeningEffect(int) override {}
    void BuildMenus(const std::string&) override {}
    void ActivateSkin(int) override {}
    void RunStartupCommand(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    vc::ConfigurationLines lines(text);
    for (std::size_t i = 0; i < lines.Count() && i < 8; ++i) {
        const int index = static_cast<int>(i);
        try { lines.Boolean(index); } catch (const vc::EConvertError&) {}
        try { lines.Integer(index); } catch (const vc::EConvertError&) {}
        try { lines.ColourValue(index); } catch (const vc::EConvertError&) {}
        try { vc::ReadCaptionFont(lines.Line(index)); } catch (const vc::EConvertError&) {}
    }
    vc::WindowSettings settings;
    NullWindow window;
    try {
        vc::ApplyConfiguration(lines, settings, window);
    } catch (const vc::Exception&) {
    }
    return 0;
}
