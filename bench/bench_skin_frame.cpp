// The skinned frame of a 1920 x 1080 window: one whole paint (sides, title
// bar and caption buttons; the caption text is the platform's) and one
// region build for a shaped skin, each against a memcpy of the frame's
// pixels measured in the same run. Target: a paint under 1 ms.
//
// Counters: ms is the work's time per iteration (thread CPU time); memcpy_x
// is how many times longer it takes than copying the frame's pixels once.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "skin/look/skin_frame.h"
#include "bench_reference.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

using vc::bench::BuiltInSkin;

vc::FrameLayout Layout(const vc::TSkinData& data) {
    vc::FrameWindow window;
    window.width = kWidth;
    window.height = kHeight;
    return vc::FrameLayout(data, window);
}

std::size_t FrameBytes(const vc::FrameLayout& layout) {
    const vc::FrameSizes& f = layout.Sizes();
    const std::size_t pixels = std::size_t(kWidth) * f.top + std::size_t(f.left + f.right) * (kHeight - f.top) +
                               std::size_t(kWidth - f.left - f.right) * f.bottom;
    return pixels * sizeof(vc::Pixel);
}

void FramePaint(benchmark::State& state) {
    const auto data = BuiltInSkin(1);  // shaped corners on its title and bottom
    const vc::FrameLayout layout = Layout(*data);
    const double start = vc::bench::ThreadSeconds();
    for (auto _ : state) {
        vc::FramePicture picture = vc::PaintFrame(*data, layout);
        benchmark::DoNotOptimize(picture.title.Data());
    }
    vc::bench::ReportAgainstMemcpy(state, vc::bench::ThreadSeconds() - start, FrameBytes(layout));
}
BENCHMARK(FramePaint);

void FrameRegionBuild(benchmark::State& state) {
    const auto data = BuiltInSkin(1);  // shaped corners on its title and bottom
    const vc::FrameLayout layout = Layout(*data);
    const double start = vc::bench::ThreadSeconds();
    for (auto _ : state) {
        vc::FrameRegion region = vc::BuildFrameRegion(*data, layout);
        benchmark::DoNotOptimize(region.rects.data());
    }
    vc::bench::ReportAgainstMemcpy(state, vc::bench::ThreadSeconds() - start, FrameBytes(layout));
}
BENCHMARK(FrameRegionBuild);

}  // namespace

BENCHMARK_MAIN();
