#pragma once
// TFormAnimation: a window appears or disappears behind a moving outline.
// The frame list (effects/animation_frames.h) is turned into regions before
// the first frame, so that each frame costs only a region switch and a
// repaint; then the regions are applied one by one, paced by the clock so
// that an effect lasts 400 ms whatever the window's size.
#include <windows.h>

#include <vector>

#include "effects/animation_frames.h"
#include "ui/handles_win.h"

namespace vc::effects {

class TFormAnimation {
public:
    TFormAnimation() noexcept = default;
    // The animated window is the topmost ancestor of the owner.
    explicit TFormAnimation(HWND owner) noexcept { SetOwner(owner); }
    TFormAnimation(const TFormAnimation&) = delete;
    TFormAnimation& operator=(const TFormAnimation&) = delete;

    void SetOwner(HWND owner) noexcept;
    HWND Form() const noexcept { return form_; }
    // The clock that paces the frames; none means the system's.
    void SetClock(FrameClock* clock) noexcept { clock_ = clock; }

    // Each returns when its animation has finished. Without a window they do
    // nothing.
    void DisappearEllipse() { Play(AnimationEffect::DisappearEllipse); }
    void DisappearRectangle() { Play(AnimationEffect::DisappearRectangle); }
    void DisappearRoundedRectangle(int cornerWidth, int cornerHeight) {
        Play(AnimationEffect::DisappearRoundedRectangle, cornerWidth, cornerHeight);
    }
    void DisappearHorizontally() { Play(AnimationEffect::DisappearHorizontally); }
    void DisappearVertically() { Play(AnimationEffect::DisappearVertically); }
    void DisappearTelevision() { Play(AnimationEffect::DisappearTelevision); }
    void DisappearToBottom() { Play(AnimationEffect::DisappearToBottom); }
    void DisappearToTop() { Play(AnimationEffect::DisappearToTop); }
    void AppearEllipse() { Play(AnimationEffect::AppearEllipse); }
    void AppearRectangle() { Play(AnimationEffect::AppearRectangle); }
    void AppearRoundedRectangle(int cornerWidth, int cornerHeight) {
        Play(AnimationEffect::AppearRoundedRectangle, cornerWidth, cornerHeight);
    }
    void AppearHorizontally() { Play(AnimationEffect::AppearHorizontally); }
    void AppearVertically() { Play(AnimationEffect::AppearVertically); }
    void AppearTelevision() { Play(AnimationEffect::AppearTelevision); }
    void AppearToTop() { Play(AnimationEffect::AppearToTop); }
    void AppearToBottom() { Play(AnimationEffect::AppearToBottom); }

    void Play(AnimationEffect effect, int cornerWidth = 0, int cornerHeight = 0);

    // The opening effect of configuration number 0 to 13; any other number
    // plays nothing and gives false.
    bool PlayOpening(int number);

    // The frames the last effect was made of, and how many of them the
    // pace left time to show; the Windows tests read them.
    int LastFrameCount() const noexcept { return lastFrameCount_; }
    int LastShownCount() const noexcept { return lastShownCount_; }

private:
    void BuildRegions(FrameShape shape, int cornerWidth, int cornerHeight);
    void FrameStep(std::size_t index);
    void PlayFrames(bool smallestFirst);

    HWND form_ = nullptr;
    // The running effect's regions; an empty owner holds no region (the
    // platform took it, or it could not be made).
    std::vector<ui::UniqueRegion> regions_;
    FrameClock* clock_ = nullptr;
    int lastFrameCount_ = 0;
    int lastShownCount_ = 0;
};

// Start-up's opening effect on a window: number 0 to 13 of the effect table;
// other numbers play nothing and give false.
bool PlayOpeningEffect(HWND window, int number);

}  // namespace vc::effects
