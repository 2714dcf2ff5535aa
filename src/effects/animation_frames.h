#pragma once
// The frame lists of the opening effects: the window regions that make a
// window shrink out of sight or grow into it, computed without the platform
// so that the shapes can be checked anywhere. The Windows player turns each
// frame into a region and applies them one after another, paced by a clock.
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "common/geometry.h"

namespace vc::effects {

// Window coordinates: origin at the window's top-left corner, frame included.
using Box = Rect;

enum class RegionKind { Ellipse, Rectangle, RoundRectangle };

// One frame: the part of the window that stays drawn.
struct FrameRegion {
    RegionKind kind = RegionKind::Rectangle;
    Box box;
    // The ellipse that rounds the corners of a round rectangle.
    int cornerWidth = 0;
    int cornerHeight = 0;
};

enum class FrameShape { Ellipse, Rectangle, RoundedRectangle, Horizontally, Vertically, Television, ToBottom, ToTop };

// The sixteen effect operations, in the order the component declares them.
enum class AnimationEffect {
    DisappearEllipse,
    DisappearRectangle,
    DisappearRoundedRectangle,
    DisappearHorizontally,
    DisappearVertically,
    DisappearTelevision,
    DisappearToBottom,
    DisappearToTop,
    AppearEllipse,
    AppearRectangle,
    AppearRoundedRectangle,
    AppearHorizontally,
    AppearVertically,
    AppearTelevision,
    AppearToTop,
    AppearToBottom,
};

struct EffectPlan {
    FrameShape shape;
    bool appear;
};

// The shape an effect builds and which player it uses.
EffectPlan PlanOf(AnimationEffect effect) noexcept;

// The opening effect of a configuration number, 0 to 13; none for any other
// number, negative ones included.
std::optional<AnimationEffect> OpeningEffect(int number) noexcept;

// The frames of a shape for a window of width x height pixels, largest first.
// The list has room for max(width, height) frames; should a tiny window fill
// it before the shape is done, the list comes back empty and no frame is
// played. The corner sizes matter to the rounded rectangle only.
std::vector<FrameRegion> BuildFrames(FrameShape shape, int width, int height, int cornerWidth = 0,
                                     int cornerHeight = 0);

// Pacing. A window of any size makes hundreds of frames, more than the screen
// can show in the time a reader will wait; so an effect is given a fixed time
// and shows as many of its frames as the platform draws in it, chosen evenly.
using Micros = std::chrono::microseconds;

// The time as the player sees it: the system's clock in the program, a
// scripted one in tests.
class FrameClock {
public:
    virtual ~FrameClock() = default;
    // Any fixed origin; only differences count.
    virtual Micros Now() = 0;
    virtual void Sleep(Micros span) = 0;
};

struct FramePacing {
    // From the start of the first frame to the end of the last.
    Micros duration = std::chrono::milliseconds(400);
    // No two frames closer than about one screen refresh: a frame drawn
    // sooner would never be seen.
    Micros interval = std::chrono::milliseconds(16);
};

// Shows frames 0 to count - 1 in order within the pacing's duration, always
// the first and the last. The frames are drawn on a grid of the slower of the
// interval and the longest a frame has taken so far; at each step the latest
// frame that is due is shown, so that a slow platform drops frames evenly and
// a fast one shows each at its time. A frame that alone takes longer than
// the duration leaves only the first and the last. Returns the number of
// frames shown.
std::size_t PlayPaced(std::size_t count, FrameClock& clock, const std::function<void(std::size_t)>& show,
                      const FramePacing& pacing = {});

}  // namespace vc::effects
