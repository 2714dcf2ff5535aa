#pragma once
// The order statistics the benchmarks report, on any platform.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace vc::bench {

// The value at `fraction` of the sorted values: 0.5 the median, 1 the largest.
inline double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(fraction * values.size()))];
}

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace vc::bench
