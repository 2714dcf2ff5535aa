// The window effects' computations for a full-HD window, against the pauses
// they live between: the 10 ms sleep between two animation frames (measured
// here, now: the sleep as this machine delivers it) and a 16 ms screen
// refresh.
//
// Counters: pause_x is the time of one computation divided by the measured
// 10 ms pause; refresh_x the same against 16 ms; frames the list's length.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "effects/animation_frames.h"
#include "effects/caption_geometry.h"

namespace {

using namespace vc::effects;
using WallClock = std::chrono::steady_clock;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kRefreshSeconds = 0.016;

// The frame pause as delivered: a 10 ms sleep, averaged over a few.
double MeasuredPauseSeconds() {
    static const double pause = [] {
        constexpr int kSleeps = 5;
        const auto start = WallClock::now();
        for (int i = 0; i < kSleeps; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return std::chrono::duration<double>(WallClock::now() - start).count() / kSleeps;
    }();
    return pause;
}

void Report(benchmark::State& state, double seconds) {
    const double perIteration = seconds / static_cast<double>(state.iterations());
    state.counters["pause_x"] = perIteration / MeasuredPauseSeconds();
    state.counters["refresh_x"] = perIteration / kRefreshSeconds;
}

void BM_BuildFrames(benchmark::State& state) {
    const auto shape = static_cast<FrameShape>(state.range(0));
    std::chrono::duration<double> spent{};
    std::size_t frames = 0;
    for (auto _ : state) {
        const auto start = WallClock::now();
        std::vector<FrameRegion> list = BuildFrames(shape, kWidth, kHeight, 20, 20);
        benchmark::DoNotOptimize(list.data());
        spent += WallClock::now() - start;
        frames = list.size();
    }
    Report(state, spent.count());
    state.counters["frames"] = static_cast<double>(frames);
}
BENCHMARK(BM_BuildFrames)->DenseRange(0, 7)->ArgName("shape")->Unit(benchmark::kMicrosecond);

// One caption paint's arithmetic at full width: the 64 bands of the gradient
// and the layout of a title with three pieces, one of them too long, against
// a measure that adds up character widths as a font's width table does.
void BM_CaptionPaintComputation(benchmark::State& state) {
    int widths[256];
    for (int c = 0; c < 256; ++c) widths[c] = 5 + c % 7;
    const MeasureText measure = [&widths](std::string_view text) {
        int w = 0;
        for (unsigned char c : text) w += widths[c];
        return w;
    };
    const std::vector<CaptionPieceInput> pieces = {
        {"A Short Tour of Vellumcast", true, true},
        {" - ", true, false},
        {std::string(600, 'x'), true, false},
    };
    const int textWidth = kWidth - 8 - 3 * 36 - 20;
    std::chrono::duration<double> spent{};
    for (auto _ : state) {
        const auto start = WallClock::now();
        std::vector<ColourBand> bands = GradientBands(0x000080u, 0xD1B499u, 64, kWidth - 8 - 3 * 36);
        std::vector<PlacedPiece> placed =
            LayoutCaptionPieces(pieces, textWidth, THideDirection::hdLeftToRight, false, measure);
        benchmark::DoNotOptimize(bands.data());
        benchmark::DoNotOptimize(placed.data());
        spent += WallClock::now() - start;
    }
    Report(state, spent.count());
}
BENCHMARK(BM_CaptionPaintComputation)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
