#include "window/page_zoom.h"

#include <algorithm>
#include <iterator>

namespace vc {

namespace {

constexpr int kSteps[] = {10, 25, 33, 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400, 500, 750, 1000};
constexpr int kWheelNotch = 120;

}  // namespace

int ZoomIn(int percent) {
    const int* next = std::upper_bound(std::begin(kSteps), std::end(kSteps), percent);
    return next == std::end(kSteps) ? kZoomMaximum : *next;
}

int ZoomOut(int percent) {
    const int* first = std::lower_bound(std::begin(kSteps), std::end(kSteps), percent);
    return first == std::begin(kSteps) ? kZoomMinimum : first[-1];
}

int ZoomByWheel(int percent, int delta) {
    const int notches = std::max(1, (delta < 0 ? -delta : delta) / kWheelNotch);
    for (int i = 0; i < notches; ++i) percent = delta > 0 ? ZoomIn(percent) : delta < 0 ? ZoomOut(percent) : percent;
    return percent;
}

}  // namespace vc
