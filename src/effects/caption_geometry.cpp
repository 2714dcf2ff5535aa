#include "effects/caption_geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vc::effects {

int MulDiv(int a, int b, int c) noexcept {
    if (c == 0) return -1;
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t result = (product >= 0 ? product + half : product - half) / divisor;
    if (result > std::numeric_limits<int>::max() || result < -std::numeric_limits<int>::max()) return -1;
    return static_cast<int>(result);
}

std::vector<ColourBand> GradientBands(Colour start, Colour end, int steps, int width) {
    std::vector<ColourBand> bands;
    if (width < 1) return bands;
    if (steps < 2 || start == end) {
        bands.push_back(ColourBand{0, width, start});
        return bands;
    }
    const int count = std::max(2, std::min(steps, width));
    const int bandWidth = width / count;
    auto channel = [](Colour c, int shift) { return static_cast<int>((c >> shift) & 0xFFu); };
    bands.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Colour colour = 0;
        for (int shift : {0, 8, 16}) {
            const int from = channel(start, shift);
            const int value = from + MulDiv(i, channel(end, shift) - from, count - 1);
            colour |= static_cast<Colour>(value & 0xFF) << shift;
        }
        const int left = i * bandWidth;
        bands.push_back(ColourBand{left, i == count - 1 ? width : left + bandWidth, colour});
    }
    return bands;
}

FrameStyle EffectiveButtons(const FrameStyle& frame) noexcept {
    FrameStyle e = frame;
    switch (frame.border) {
    case FrameBorder::DialogFrame:
        e.minimiseBox = e.maximiseBox = false;
        break;
    case FrameBorder::ToolWindow:
    case FrameBorder::SizableToolWindow:
        e.minimiseBox = e.maximiseBox = e.helpBox = false;
        break;
    default:
        if (!e.closeBox) e.minimiseBox = e.maximiseBox = false;
        if (e.minimiseBox || e.maximiseBox) e.helpBox = false;
        break;
    }
    return e;
}

int CaptionButtonCount(const FrameStyle& frame) noexcept {
    const FrameStyle e = EffectiveButtons(frame);
    return int(e.closeBox) + int(e.minimiseBox) + int(e.maximiseBox) + int(e.helpBox) +
           int(e.minimiseBox != e.maximiseBox);
}

bool CaptionShowsIcon(const FrameStyle& frame) noexcept {
    return EffectiveButtons(frame).closeBox &&
           (frame.border == FrameBorder::Fixed || frame.border == FrameBorder::Sizable);
}

Rect CaptionRect(int windowWidth, int windowHeight, const FrameStyle& frame, const CaptionMetrics& metrics) noexcept {
    Rect r{0, 0, windowWidth, windowHeight};
    const bool sizing = IsSizable(frame.border);
    const int insetX = sizing ? metrics.frameX : metrics.dialogFrameX;
    const int insetY = sizing ? metrics.frameY : metrics.dialogFrameY;
    r.left += insetX;
    r.top += insetY;
    r.right -= insetX;
    r.bottom -= insetY;
    const bool tool = IsToolWindow(frame.border);
    r.bottom = r.top + (tool ? metrics.smallCaptionHeight : metrics.captionHeight) - 1;
    r.right -= CaptionButtonCount(frame) * (tool ? metrics.smallButtonWidth : metrics.buttonWidth);
    return r;
}

namespace {

constexpr std::string_view kEllipsis = "...";

std::string_view TrimRightSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

std::string FitWithEllipsis(std::string_view text, int width, const MeasureText& measure) {
    if (measure(text) <= width) return std::string(text);
    auto candidate = [&](std::size_t n) { return std::string(TrimRightSpaces(text.substr(0, n))) + std::string(kEllipsis); };
    if (measure(kEllipsis) > width) {
        std::size_t n = kEllipsis.size();
        while (n > 0 && measure(kEllipsis.substr(0, n)) > width) --n;
        return std::string(kEllipsis.substr(0, n));
    }
    // The widths grow with the length: the longest beginning that fits is
    // found by halving.
    std::size_t fits = 0;
    std::size_t tooLong = text.size();
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (measure(candidate(middle)) <= width) fits = middle;
        else tooLong = middle;
    }
    return candidate(fits);
}

std::vector<PlacedPiece> LayoutCaptionPieces(const std::vector<CaptionPieceInput>& pieces, int width,
                                             THideDirection direction, bool rightToLeft,
                                             const MeasureText& measure) {
    auto measureOf = [&](const CaptionPieceInput& piece) -> const MeasureText& {
        return piece.measure ? *piece.measure : measure;
    };
    // Visible pieces in groups that stand or fall together.
    struct Group {
        std::vector<std::size_t> members;
        int width = 0;
    };
    std::vector<Group> groups;
    bool glued = false;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].visible) continue;
        if (!glued || groups.empty()) groups.emplace_back();
        groups.back().members.push_back(i);
        groups.back().width += measureOf(pieces[i])(pieces[i].text);
        glued = pieces[i].glueNext;
    }
    int total = 0;
    for (const Group& g : groups) total += g.width;
    std::size_t first = 0;
    std::size_t last = groups.size();
    while (total > width && last - first > 1) {
        if (direction == THideDirection::hdLeftToRight) total -= groups[first++].width;
        else total -= groups[--last].width;
    }

    std::vector<PlacedPiece> placed;
    int used = 0;
    for (std::size_t g = first; g < last; ++g) {
        for (std::size_t index : groups[g].members) {
            const int room = width - used;
            if (room <= 0) return placed;
            const MeasureText& pieceMeasure = measureOf(pieces[index]);
            std::string text = FitWithEllipsis(pieces[index].text, room, pieceMeasure);
            const int w = pieceMeasure(text);
            const int left = rightToLeft ? width - used - w : used;
            placed.push_back(PlacedPiece{index, std::move(text), left, left + w});
            used += w;
        }
    }
    return placed;
}

}  // namespace vc::effects
