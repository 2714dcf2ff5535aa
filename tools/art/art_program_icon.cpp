#include "art_program_icon.h"

#include <algorithm>
#include <cmath>

#include "art_palette.h"

namespace vc::art {
namespace {

using namespace palette;

constexpr double kGrid = 32;

// Edges that must be sharp at every size are moved to the nearest whole
// pixel; the right half mirrors the left (kGrid - x), which stays on whole
// pixels because the icon is a whole number of pixels wide.
struct Snapper {
    double scale;
    double operator()(double units) const { return std::round(units * scale) / scale; }
    // At least one pixel, whatever the size.
    double AtLeastOnePixel(double units) const { return std::max(1.0, std::round(units * scale)) / scale; }
};

struct Book {
    double outer;  // x of the left page's outer edge
    double inner;  // x of the left page's edge at the spine
    double top;    // y of the outer corners at the top
    double bottom;
};

// One page of the open book; `side` is -1 for the left page, 1 for the
// right. The top and bottom edges sag towards the spine, as open pages do.
void Page(Canvas& c, const Book& book, double side) {
    auto x = [side](double left) { return side < 0 ? left : kGrid - left; };
    const double width = book.inner - book.outer;
    c.MoveTo(x(book.outer), book.top);
    c.CurveTo({x(book.outer + width * 0.35), book.top - 0.75}, {x(book.outer + width * 0.75), book.top - 0.25},
              {x(book.inner), book.top + 1.75});
    c.LineTo(x(book.inner), book.bottom + 1.5);
    c.CurveTo({x(book.outer + width * 0.75), book.bottom - 0.5}, {x(book.outer + width * 0.35), book.bottom - 1},
              {x(book.outer), book.bottom});
    c.ClosePath();
    c.Fill(kPaper);
}

void PageLines(Canvas& c, const Book& book, double side) {
    auto x = [side](double left) { return side < 0 ? left : kGrid - left; };
    for (int i = 0; i < 4; ++i) {
        const double y = book.top + 3.5 + i * 2.75;
        const double end = i == 3 ? book.inner - 4.5 : book.inner - 2.25;
        c.Line({x(book.outer + 2.25), y}, {x(end), y + 0.35});
    }
    c.Stroke(kSky, 1.25);
}

}  // namespace

void DrawProgramIcon(Canvas& c, int size) {
    const Snapper snap{c.PixelsPerUnit()};
    const double margin = snap.AtLeastOnePixel(1);
    c.RoundRect(margin, margin, kGrid - 2 * margin, kGrid - 2 * margin, 7);
    c.Fill(kBlue);

    const Book book{snap(4.5), kGrid / 2 - snap.AtLeastOnePixel(0.75), snap(8.5), snap(23)};
    // The cover shows below the pages and along the spine.
    const double cover = snap(3.5);
    c.Polygon({{cover, book.top + 2.5},
               {kGrid / 2, book.top + 3.5},
               {kGrid - cover, book.top + 2.5},
               {kGrid - cover, book.bottom + 2.5},
               {kGrid / 2, book.bottom + 4},
               {cover, book.bottom + 2.5}});
    c.Fill(kBlueDeep);
    Page(c, book, -1);
    Page(c, book, 1);
    if (size >= 32) {
        PageLines(c, book, -1);
        PageLines(c, book, 1);
    }
    if (size >= 24) {
        // A bookmark ribbon hanging from the top of the right page.
        const double left = snap(21.5);
        const double right = snap(24.5);
        const double end = snap(book.top + 8);
        c.Polygon({{left, book.top - 1}, {right, book.top - 1}, {right, end}, {(left + right) / 2, end - 1.5}, {left, end}});
        c.Fill(kAmber);
    }
}

}  // namespace vc::art
