#include "effects/form_animation_win.h"

namespace vc::effects {

namespace {

constexpr DWORD kFramePauseMs = 10;

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

}  // namespace

void TFormAnimation::SetOwner(HWND owner) noexcept {
    form_ = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    if (!form_) form_ = owner;
}

void TFormAnimation::Play(AnimationEffect effect, int cornerWidth, int cornerHeight) {
    if (!form_ || !::IsWindow(form_)) return;
    const EffectPlan plan = PlanOf(effect);
    RECT bounds{};
    ::GetWindowRect(form_, &bounds);
    const std::vector<FrameRegion> frames =
        BuildFrames(plan.shape, bounds.right - bounds.left, bounds.bottom - bounds.top, cornerWidth, cornerHeight);
    regions_.clear();
    regions_.reserve(frames.size());
    for (const FrameRegion& frame : frames) regions_.emplace_back(MakeRegion(frame));
    lastFrameCount_ = static_cast<int>(regions_.size());
    if (plan.appear) PlayAppear();
    else PlayDisappear();
}

bool TFormAnimation::PlayOpening(int number) {
    const std::optional<AnimationEffect> effect = OpeningEffect(number);
    if (!effect) return false;
    Play(*effect);
    return true;
}

void TFormAnimation::FrameStep(std::size_t index) {
    SetRegion(form_, regions_[index]);
    ::InvalidateRect(form_, nullptr, TRUE);
    ::UpdateWindow(form_);
    ::Sleep(kFramePauseMs);
}

void TFormAnimation::PlayDisappear() {
    ::ShowWindow(form_, SW_SHOW);
    for (std::size_t i = 0; i < regions_.size(); ++i) FrameStep(i);
    ::ShowWindow(form_, SW_HIDE);
    ::SetWindowRgn(form_, nullptr, TRUE);
    regions_.clear();
}

void TFormAnimation::PlayAppear() {
    ::ShowWindow(form_, SW_HIDE);
    ui::UniqueRegion nothing(::CreateRectRgn(0, 0, 0, 0));
    SetRegion(form_, nothing);
    ::ShowWindow(form_, SW_SHOW);
    for (std::size_t i = regions_.size(); i-- > 0;) FrameStep(i);
    ::SetWindowRgn(form_, nullptr, TRUE);
    regions_.clear();
}

bool PlayOpeningEffect(HWND window, int number) {
    TFormAnimation animation(window);
    return animation.PlayOpening(number);
}

}  // namespace vc::effects
