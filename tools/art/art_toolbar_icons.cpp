#include "art_toolbar_icons.h"

#include <cmath>

#include "art_palette.h"

namespace vc::art {
namespace {

using namespace palette;

// Shared helpers. Boxes are given by their outer edge on whole units, so the
// outside of the outline falls on pixel boundaries and stays sharp.

void OutlinedBox(Canvas& c, double x, double y, double w, double h, double radius, Colour fill) {
    const double half = kOutline / 2;
    c.RoundRect(x + half, y + half, w - kOutline, h - kOutline, radius);
    c.FillAndStroke(fill, kInk, kOutline);
}

// The round badge that carries a white mark.
void Badge(Canvas& c, Colour fill) {
    c.Circle(12, 12, 10);
    c.Fill(fill);
}

// An arrow shaft from `tail` to `tip` with a head `size` units long, in
// one stroke so that the joins are round.
void Arrow(Canvas& c, Point tail, Point tip, double size, Colour colour, double width) {
    const double dx = tip.x - tail.x;
    const double dy = tip.y - tail.y;
    const double length = std::hypot(dx, dy);
    const double ux = dx / length;
    const double uy = dy / length;
    c.Line(tail, tip);
    c.Polyline({{tip.x - size * (ux - uy), tip.y - size * (uy + ux)},
                tip,
                {tip.x - size * (ux + uy), tip.y - size * (uy - ux)}});
    c.Stroke(colour, width);
}

// An arc clockwise from `from` to `to` degrees (clockwise from three
// o'clock) with a filled head at its end pointing along the turn.
void ArcArrow(Canvas& c, double cx, double cy, double radius, double from, double to, double head,
              Colour colour, double width) {
    c.Arc(cx, cy, radius, from, to);
    c.Stroke(colour, width);
    const double angle = to * kPi / 180;
    const Point end{cx + radius * std::cos(angle), cy + radius * std::sin(angle)};
    // A point `along` the turn and `out` from the centre, in head lengths.
    auto at = [&](double along, double out) {
        return Point{end.x + head * (along * -std::sin(angle) + out * std::cos(angle)),
                     end.y + head * (along * std::cos(angle) + out * std::sin(angle))};
    };
    c.Polygon({at(0.8, 0), at(-0.35, 0.75), at(-0.35, -0.75)});
    c.Fill(colour);
}

// Lines of text on a page, each `gap` units below the last; the last line
// is shorter, as paragraphs end.
void TextLines(Canvas& c, double x, double y, double width, int count, double gap, Colour colour) {
    for (int i = 0; i < count; ++i) {
        const double end = x + (i + 1 == count ? width * 0.6 : width);
        c.Line({x, y + i * gap}, {end, y + i * gap});
    }
    c.Stroke(colour, kOutline);
}

// The drawings.

void DrawHome(Canvas& c) {
    OutlinedBox(c, 5, 10, 14, 12, 1, kPaper);
    c.RoundRect(10, 14.5, 4, 6.75, 0.75);
    c.Fill(kBlue);
    c.Polyline({{2.75, 12}, {12, 3.25}, {21.25, 12}});
    c.Stroke(kRed, kBold);
}

void DrawBack(Canvas& c) {
    Badge(c, kBlue);
    Arrow(c, {16.75, 12}, {7.25, 12}, 4.5, kPaper, kGlyph);
}

void DrawForward(Canvas& c) {
    Badge(c, kBlue);
    Arrow(c, {7.25, 12}, {16.75, 12}, 4.5, kPaper, kGlyph);
}

void DrawRefresh(Canvas& c) {
    // Most of a circle, turning clockwise into the gap at the top right.
    ArcArrow(c, 12, 12, 8, 20, 300, 4.5, kGreen, kBold);
}

void DrawStop(Canvas& c) {
    // An octagon with flat sides at top, bottom, left and right.
    constexpr double a = 4.2;   // half a side
    constexpr double r = 10.2;  // centre to a side
    c.Polygon({{12 - a, 12 - r}, {12 + a, 12 - r}, {12 + r, 12 - a}, {12 + r, 12 + a},
               {12 + a, 12 + r}, {12 - a, 12 + r}, {12 - r, 12 + a}, {12 - r, 12 - a}});
    c.Fill(kRed);
    c.Line({8.5, 8.5}, {15.5, 15.5});
    c.Line({15.5, 8.5}, {8.5, 15.5});
    c.Stroke(kPaper, kGlyph + 0.25);
}

void DrawAbout(Canvas& c) {
    Badge(c, kViolet);
    c.Circle(12, 7.25, 1.6);
    c.Fill(kPaper);
    c.Polyline({{10.25, 10.75}, {12, 10.75}, {12, 17}});
    c.Line({10, 17}, {14, 17});
    c.Stroke(kPaper, kGlyph);
}

void DrawExit(Canvas& c) {
    // A door frame open on the right, where the arrow leaves.
    c.Rect(4, 3, 10, 18);
    c.Fill(kPaperShade);
    constexpr double left = 3 + kOutline / 2;
    constexpr double right = 15 - kOutline / 2;
    c.Polyline({{right, 7.5}, {right, 2.75}, {left, 2.75}, {left, 21.25}, {right, 21.25}, {right, 16.5}});
    c.Stroke(kInk, kOutline);
    // The door leaf stands open towards us.
    c.Polygon({{left, 2.75}, {10, 4.75}, {10, 21.75}, {left, 21.25}});
    c.FillAndStroke(kAmber, kInk, kOutline);
    c.Circle(8.5, 13, 1);
    c.Fill(kInk);
    Arrow(c, {12, 12}, {21, 12}, 4, kRed, kGlyph);
}

void DrawPrint(Canvas& c) {
    OutlinedBox(c, 6, 2, 12, 8, 0.75, kPaper);
    OutlinedBox(c, 2, 8, 20, 10, 2, kSlate);
    c.Circle(18, 11.5, 1.1);
    c.Fill(kGreen);
    OutlinedBox(c, 6, 14, 12, 8, 0.75, kPaper);
    TextLines(c, 8.5, 17, 7, 2, 2.5, kBlue);
}

void DrawSelectAll(Canvas& c) {
    // The marching-ants frame around a page of highlighted text. Each side
    // is its own path, so every corner carries a dash; with the outer edge
    // at 3 and 21 the dashes fall on whole pixels, two on and two off.
    c.Rect(3, 3, 18, 18);
    c.Fill(Hex(0xE4EEFC));
    constexpr double lo = 3 + kOutline / 2;
    constexpr double hi = 21 - kOutline / 2;
    c.Line({lo, lo}, {hi, lo});
    c.Line({hi, lo}, {hi, hi});
    c.Line({hi, hi}, {lo, hi});
    c.Line({lo, hi}, {lo, lo});
    c.DashedStroke(kBlue, kOutline, 2 - kOutline, 2 + kOutline);
    c.Rect(6, 6.5, 12, 3);
    c.Rect(6, 10.5, 12, 3);
    c.Rect(6, 14.5, 8, 3);
    c.Fill(kSky);
    TextLines(c, 7, 8, 10, 3, 4, kBlueDeep);
}

void DrawCopy(Canvas& c) {
    OutlinedBox(c, 3, 2, 12, 15, 1.5, kPaperShade);
    OutlinedBox(c, 9, 7, 12, 15, 1.5, kPaper);
    TextLines(c, 12, 11.5, 6, 3, 3, kBlue);
}

void DrawSearch(Canvas& c) {
    // A magnifying glass over a line of text: the handle first, so the rim
    // covers its end.
    c.Line({14.5, 14.5}, {20.5, 20.5});
    c.Stroke(kAmber, kBold + 0.5);
    c.Circle(10, 10, 7);
    c.FillAndStroke(kSky, kInk, kOutline + 0.5);
    TextLines(c, 6.5, 8.5, 7, 2, 3, kBlueDeep);
}

}  // namespace

const std::array<ToolbarIcon, kToolbarImageCount>& ToolbarIcons() {
    static const std::array<ToolbarIcon, kToolbarImageCount> icons = {{
        {ToolbarImage::kHome, "home", DrawHome},
        {ToolbarImage::kBack, "back", DrawBack},
        {ToolbarImage::kForward, "forward", DrawForward},
        {ToolbarImage::kRefresh, "refresh", DrawRefresh},
        {ToolbarImage::kStop, "stop", DrawStop},
        {ToolbarImage::kAbout, "about", DrawAbout},
        {ToolbarImage::kExit, "exit", DrawExit},
        {ToolbarImage::kPrint, "print", DrawPrint},
        {ToolbarImage::kSelectAll, "select all", DrawSelectAll},
        {ToolbarImage::kCopy, "copy", DrawCopy},
        {ToolbarImage::kSearch, "search", DrawSearch},
    }};
    return icons;
}

}  // namespace vc::art
