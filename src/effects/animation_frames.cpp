#include "effects/animation_frames.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace vc::effects {

namespace {

// Collects frames up to the list's room; refuses the frame after that.
class FrameList {
public:
    FrameList(RegionKind kind, std::size_t room, int cornerWidth, int cornerHeight)
        : kind_(kind), room_(room), cornerWidth_(cornerWidth), cornerHeight_(cornerHeight) {
        frames_.reserve(room);
    }

    bool Place(int left, int top, int right, int bottom) {
        if (frames_.size() >= room_) {
            full_ = true;
            return false;
        }
        frames_.push_back(FrameRegion{kind_, Box{left, top, right, bottom}, cornerWidth_, cornerHeight_});
        return true;
    }

    std::vector<FrameRegion> Take() {
        if (full_) frames_.clear();
        return std::move(frames_);
    }

private:
    RegionKind kind_;
    std::size_t room_;
    int cornerWidth_;
    int cornerHeight_;
    bool full_ = false;
    std::vector<FrameRegion> frames_;
};

// Integer division that truncates toward zero, as the frame rules count.
constexpr int Half(int v) noexcept { return v / 2; }

}  // namespace

EffectPlan PlanOf(AnimationEffect effect) noexcept {
    switch (effect) {
    case AnimationEffect::DisappearEllipse: return {FrameShape::Ellipse, false};
    case AnimationEffect::DisappearRectangle: return {FrameShape::Rectangle, false};
    case AnimationEffect::DisappearRoundedRectangle: return {FrameShape::RoundedRectangle, false};
    case AnimationEffect::DisappearHorizontally: return {FrameShape::Horizontally, false};
    case AnimationEffect::DisappearVertically: return {FrameShape::Vertically, false};
    case AnimationEffect::DisappearTelevision: return {FrameShape::Television, false};
    case AnimationEffect::DisappearToBottom: return {FrameShape::ToBottom, false};
    case AnimationEffect::DisappearToTop: return {FrameShape::ToTop, false};
    case AnimationEffect::AppearEllipse: return {FrameShape::Ellipse, true};
    case AnimationEffect::AppearRectangle: return {FrameShape::Rectangle, true};
    case AnimationEffect::AppearRoundedRectangle: return {FrameShape::RoundedRectangle, true};
    case AnimationEffect::AppearHorizontally: return {FrameShape::Horizontally, true};
    case AnimationEffect::AppearVertically: return {FrameShape::Vertically, true};
    case AnimationEffect::AppearTelevision: return {FrameShape::Television, true};
    case AnimationEffect::AppearToTop: return {FrameShape::ToTop, true};
    case AnimationEffect::AppearToBottom: return {FrameShape::ToBottom, true};
    }
    return {FrameShape::Rectangle, true};
}

std::optional<AnimationEffect> OpeningEffect(int number) noexcept {
    // The configuration numbers pair each shape's Disappear with its Appear.
    static constexpr AnimationEffect kByNumber[] = {
        AnimationEffect::DisappearEllipse,      AnimationEffect::AppearEllipse,
        AnimationEffect::DisappearRectangle,    AnimationEffect::AppearRectangle,
        AnimationEffect::DisappearHorizontally, AnimationEffect::AppearHorizontally,
        AnimationEffect::DisappearVertically,   AnimationEffect::AppearVertically,
        AnimationEffect::DisappearTelevision,   AnimationEffect::AppearTelevision,
        AnimationEffect::DisappearToTop,        AnimationEffect::AppearToTop,
        AnimationEffect::DisappearToBottom,     AnimationEffect::AppearToBottom,
    };
    if (number < 0 || number >= static_cast<int>(std::size(kByNumber))) return std::nullopt;
    return kByNumber[number];
}

std::vector<FrameRegion> BuildFrames(FrameShape shape, int width, int height, int cornerWidth, int cornerHeight) {
    const int W = std::max(width, 0);
    const int H = std::max(height, 0);
    const RegionKind kind = shape == FrameShape::Ellipse            ? RegionKind::Ellipse
                            : shape == FrameShape::RoundedRectangle ? RegionKind::RoundRectangle
                                                                    : RegionKind::Rectangle;
    FrameList list(kind, static_cast<std::size_t>(std::max(W, H)), cornerWidth, cornerHeight);
    int x = 0;
    int y = 0;
    switch (shape) {
    case FrameShape::Ellipse:
    case FrameShape::Rectangle:
    case FrameShape::RoundedRectangle:
        while (x < Half(W)) {
            y += 2;
            // Once the height is used up the frame collapses to nothing.
            if (y > Half(H)) x = W;
            if (!list.Place(x, y, W - x, H - y)) break;
            x += 2;
        }
        break;
    case FrameShape::Horizontally:
        while (x < Half(W)) {
            if (!list.Place(x, 0, W - x, H)) break;
            x += 2;
        }
        break;
    case FrameShape::Vertically:
        while (y < Half(H)) {
            y += 2;
            if (y > Half(H)) x = W;
            if (!list.Place(x, y, W - x, H - y)) break;
        }
        break;
    case FrameShape::Television:
        // First close to a thin line across the middle, then shorten it.
        for (;;) {
            if (Half(H) > y + 2) {
                y += 2;
            } else if (x + 6 >= Half(W)) {
                break;
            } else {
                x += 8;
            }
            if (!list.Place(x, y, W - x, H - y)) break;
        }
        break;
    case FrameShape::ToBottom:
        while (y < H) {
            y += 2;
            if (!list.Place(0, y, W, H)) break;
        }
        break;
    case FrameShape::ToTop:
        while (y < H) {
            y += 2;
            if (!list.Place(0, 0, W, H - y)) break;
        }
        break;
    }
    return list.Take();
}

std::size_t PlayPaced(std::size_t count, FrameClock& clock, const std::function<void(std::size_t)>& show,
                      const FramePacing& pacing) {
    if (count == 0) return 0;
    const std::size_t last = count - 1;
    const Micros origin = clock.Now();
    const auto elapsed = [&] { return clock.Now() - origin; };
    Micros cost{0};
    std::size_t shown = 0;
    std::size_t next = 0;
    for (;;) {
        const Micros frameStart = elapsed();
        show(next);
        ++shown;
        cost = std::max(cost, elapsed() - frameStart);
        if (next == last) return shown;
        const std::size_t previous = next;

        // The grid: the last frame starts in the last slot that still ends
        // within the duration; frame i is due at i / last of the way there.
        const Micros period = std::max({cost, pacing.interval, Micros(1)});
        const auto slots = pacing.duration > cost ? (pacing.duration - cost) / period : 0;
        const Micros lastStart = period * slots;
        const Micros nextDue = lastStart * static_cast<Micros::rep>(previous + 1) / static_cast<Micros::rep>(last);

        const Micros wake = std::max(frameStart + period, nextDue);
        if (const Micros now = elapsed(); wake > now) clock.Sleep(wake - now);
        const Micros now = elapsed();
        if (now >= lastStart) {
            next = last;
        } else {
            const auto reached = static_cast<std::size_t>(now.count() * static_cast<Micros::rep>(last) /
                                                          lastStart.count());
            next = std::min(last, std::max(previous + 1, reached));
        }
    }
}

}  // namespace vc::effects
