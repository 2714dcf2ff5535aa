#include "common/scale.h"

#include <cstdint>
#include <cstdlib>

namespace vc {

namespace {

int MulDivRounded(int value, int num, int den) {
    const std::int64_t product = static_cast<std::int64_t>(value) * num;
    const std::int64_t magnitude = (std::llabs(product) + den / 2) / den;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

}  // namespace

int Scale::Apply(int length) const { return IsIdentity() ? length : MulDivRounded(length, dpi_, kBaseDpi); }

int Scale::Unapply(int length) const { return IsIdentity() ? length : MulDivRounded(length, kBaseDpi, dpi_); }

Rect Scale::Apply(const Rect& r) const {
    return Rect::FromSize(Apply(r.left), Apply(r.top), Apply(r.Width()), Apply(r.Height()));
}

int NearestSize(const int* sizes, int count, int wanted96, const Scale& scale) {
    const int wanted = scale.Apply(wanted96);
    int best = -1;
    for (int i = 0; i < count; ++i) {
        if (best < 0) {
            best = sizes[i];
            continue;
        }
        const int d = std::abs(sizes[i] - wanted);
        const int bestD = std::abs(best - wanted);
        if (d < bestD || (d == bestD && sizes[i] > best)) best = sizes[i];
    }
    return best;
}

}  // namespace vc
