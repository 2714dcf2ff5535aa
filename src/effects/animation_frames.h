#pragma once
// The frame lists of the opening effects: the window regions that make a
// window shrink out of sight or grow into it, computed without the platform
// so that the shapes can be checked anywhere. The Windows player turns each
// frame into a region and applies them one after another.
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

}  // namespace vc::effects
