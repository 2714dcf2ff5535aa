// The window effects' computations for a full-HD window, against the time
// a frame of an opening effect may take: the pacing's frame interval (about
// one screen refresh).
//
// Counters: frame_x is the time of one computation divided by the frame
// interval; frames the list's length.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "effects/animation_frames.h"
#include "effects/caption_geometry.h"

namespace {

using namespace vc::effects;
using WallClock = std::chrono::steady_clock;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void Report(benchmark::State& state, double seconds) {
    const double perIteration = seconds / static_cast<double>(state.iterations());
    state.counters["frame_x"] = perIteration / std::chrono::duration<double>(FramePacing{}.interval).count();
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
