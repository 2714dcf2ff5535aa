#include "effects/form_animation_win.h"

#include "ui/form_win.h"

namespace vc::effects {

namespace {

// A frame whose edges have crossed is nothing at all. The platform would
// swap the crossed coordinates and draw a thin strip instead.
HRGN MakeRegion(const FrameRegion& frame) {
    const Box& b = frame.box;
    if (b.right <= b.left || b.bottom <= b.top) return ::CreateRectRgn(0, 0, 0, 0);
    switch (frame.kind) {
    case RegionKind::Ellipse: return ::CreateEllipticRgn(b.left, b.top, b.right, b.bottom);
    case RegionKind::RoundRectangle:
        return ::CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, frame.cornerWidth, frame.cornerHeight);
    case RegionKind::Rectangle: break;
    }
    return ::CreateRectRgn(b.left, b.top, b.right, b.bottom);
}

// Hands a region to the window; the platform owns it once it accepts it.
void SetRegion(HWND window, ui::UniqueRegion& region) {
    if (region && ::SetWindowRgn(window, region.Get(), TRUE)) region.Release();
}

// A form keeps the state it is given while hidden and takes it when shown;
// start-up maximises the window before the effect shows it, so the effect
// must show it in that state: the message loop does not show a window that
// is already visible. A window that is no form keeps the state it has.
int ShowCommand(HWND window) {
    if (const ui::TForm* form = ui::TForm::FromHandle(window)) {
        switch (form->State()) {
        case FrameState::Maximised: return SW_SHOWMAXIMIZED;
        case FrameState::Minimised: return SW_SHOWMINIMIZED;
        case FrameState::Normal: break;
        }
    }
    return SW_SHOW;
}

// The high-resolution counter; sleeps are whole milliseconds, never shorter
// than asked, so that a frame is not shown before its time.
class SystemClock final : public FrameClock {
public:
    SystemClock() noexcept {
        LARGE_INTEGER frequency{};
        ::QueryPerformanceFrequency(&frequency);
        frequency_ = frequency.QuadPart > 0 ? frequency.QuadPart : 1;
    }
    Micros Now() override {
        LARGE_INTEGER counter{};
        ::QueryPerformanceCounter(&counter);
        constexpr long long kMicrosPerSecond = 1000000;
        return Micros(counter.QuadPart / frequency_ * kMicrosPerSecond +
                      counter.QuadPart % frequency_ * kMicrosPerSecond / frequency_);
    }
    void Sleep(Micros span) override { ::Sleep(static_cast<DWORD>((span.count() + 999) / 1000)); }

private:
    long long frequency_ = 1;
};

}  // namespace

void TFormAnimation::SetOwner(HWND owner) noexcept {
    form_ = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    if (!form_) form_ = owner;
}

void TFormAnimation::Play(AnimationEffect effect, int cornerWidth, int cornerHeight) {
    if (!form_ || !::IsWindow(form_)) return;
    const EffectPlan plan = PlanOf(effect);
    if (plan.appear) {
        ::ShowWindow(form_, SW_HIDE);
        ui::UniqueRegion nothing(::CreateRectRgn(0, 0, 0, 0));
        SetRegion(form_, nothing);
    }
    ::ShowWindow(form_, ShowCommand(form_));
    // The frames fit the window as it is shown: maximised, it animates at
    // full size.
    BuildRegions(plan.shape, cornerWidth, cornerHeight);
    PlayFrames(plan.appear);
    if (!plan.appear) ::ShowWindow(form_, SW_HIDE);
    ::SetWindowRgn(form_, nullptr, TRUE);
    regions_.clear();
}

bool TFormAnimation::PlayOpening(int number) {
    const std::optional<AnimationEffect> effect = OpeningEffect(number);
    if (!effect) return false;
    Play(*effect);
    return true;
}

void TFormAnimation::BuildRegions(FrameShape shape, int cornerWidth, int cornerHeight) {
    regions_.clear();
    // A minimised window shows nothing to animate.
    if (!::IsIconic(form_)) {
        RECT bounds{};
        ::GetWindowRect(form_, &bounds);
        const std::vector<FrameRegion> frames =
            BuildFrames(shape, bounds.right - bounds.left, bounds.bottom - bounds.top, cornerWidth, cornerHeight);
        regions_.reserve(frames.size());
        for (const FrameRegion& frame : frames) regions_.emplace_back(MakeRegion(frame));
    }
    lastFrameCount_ = static_cast<int>(regions_.size());
}

void TFormAnimation::FrameStep(std::size_t index) {
    SetRegion(form_, regions_[index]);
    ::InvalidateRect(form_, nullptr, TRUE);
    ::UpdateWindow(form_);
}

// Disappearing goes from the largest frame to the smallest, appearing the
// other way; the frames the pace skips are deleted with the list.
void TFormAnimation::PlayFrames(bool smallestFirst) {
    SystemClock system;
    FrameClock& clock = clock_ ? *clock_ : system;
    const std::size_t count = regions_.size();
    lastShownCount_ = static_cast<int>(
        PlayPaced(count, clock, [&](std::size_t i) { FrameStep(smallestFirst ? count - 1 - i : i); }));
}

bool PlayOpeningEffect(HWND window, int number) {
    TFormAnimation animation(window);
    return animation.PlayOpening(number);
}

}  // namespace vc::effects
