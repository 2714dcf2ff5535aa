#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "window/startup.h"

namespace vc::testing {

// A start-up target that records every effect on the window, in order, as
// short texts.
class RecordingWindow : public StartupTarget {
public:
    std::vector<std::string> log;
    std::string menuText;

    void SetApplicationTitle(const std::string& t) override { log.push_back("title " + t); }
    void SetCaption(const std::string& c) override { log.push_back("caption " + c); }
    std::string MakeMenuFileName() override { return "QWERTY"; }
    void SetGradientStartColour(Colour c) override { log.push_back("gradient colour " + std::to_string(c)); }
    void SetGradientFont(const CaptionFont& f) override { log.push_back("gradient font " + f.name); }
    void SetGradientCaption(const std::string& c) override { log.push_back("gradient caption " + c); }
    void SetGradientActive(bool a) override { log.push_back(std::string("gradient ") + (a ? "on" : "off")); }
    void SetSize(int w, int h) override { log.push_back("size " + std::to_string(w) + "x" + std::to_string(h)); }
    void CentreOnScreen() override { log.push_back("centre"); }
    int ScreenWidth() override { return 1024; }
    int ScreenHeight() override { return 768; }
    void SetMaximized(bool m) override { log.push_back(m ? "maximized" : "normal"); }
    void SetBorder(FrameBorder b) override {
        log.push_back(b == FrameBorder::Sizable ? "border sizable"
                      : b == FrameBorder::Fixed ? "border fixed" : "border");
    }
    void SetTitleBarButtons(bool close, bool minimise, bool maximise) override {
        log.push_back(std::string("buttons ") + (close ? "S" : "-") + (minimise ? "N" : "-") + (maximise ? "X" : "-"));
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

    int Position(const std::string& entry) const {
        const auto found = std::find(log.begin(), log.end(), entry);
        return found == log.end() ? -1 : static_cast<int>(found - log.begin());
    }
    int CountOf(const std::string& prefix) const {
        const auto starts = [&](const std::string& e) { return e.rfind(prefix, 0) == 0; };
        return static_cast<int>(std::count_if(log.begin(), log.end(), starts));
    }
};

}  // namespace vc::testing
