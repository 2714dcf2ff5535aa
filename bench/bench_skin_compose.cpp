// Skin composition for a whole window frame, the shape of a top side, and a
// whole skin load, each against a memcpy of the same pixels or bytes
// measured in the same run.
//
// Counters: memcpy_x is how many times longer the work takes than copying
// its output (the composed pixels, the side's pixels, the decompressed skin);
// ms is the work's time per iteration in milliseconds (thread CPU time).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "../tools/skin/lzh_encoder.h"
#include "common/bitmap.h"
#include "skin/look/composition.h"
#include "skin/look/skin_data.h"
#include "skin_corpus.h"
#include "bench_reference.h"

namespace {

// A frame piece of `frames` state images, each with a light outer line, a
// dark inner line and a shaded middle.
vc::Bitmap Piece(int w, int h, int frames, bool stacked) {
    vc::Bitmap b(stacked ? w : w * frames, stacked ? h * frames : h);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) b.Set(x, y, vc::MakePixel(60 + x % 90, 90 + y % 60, 160 - (x + y) % 50));
    return b;
}

// The four sides and the title text back of a 1920 x 1080 window.
void BM_ComposeWindowFrame(benchmark::State& state) {
    const vc::Bitmap top = Piece(240, 30, 2, true), bottom = Piece(240, 8, 2, true);
    const vc::Bitmap left = Piece(8, 120, 2, false), right = Piece(8, 120, 2, false);
    const vc::Bitmap text_back = Piece(60, 22, 2, false);
    const int W = 1920, H = 1080;
    const std::size_t pixels = std::size_t(W) * 30 + std::size_t(W) * 8 + 2 * std::size_t(8) * (H - 38) + 600 * 22;
    double spent = 0;
    for (auto _ : state) {
        const double start = vc::bench::ThreadSeconds();
        vc::Bitmap t = vc::ComposeNineSlice(W, 30, top, {40, 0, 40, 0}, true, false, 2, 1);
        vc::Bitmap b = vc::ComposeNineSlice(W, 8, bottom, {10, 0, 10, 0}, true, false, 2, 1);
        vc::Bitmap l = vc::ComposeNineSlice(8, H - 38, left, {0, 10, 0, 10}, false, false, 2, 1);
        vc::Bitmap r = vc::ComposeNineSlice(8, H - 38, right, {0, 10, 0, 10}, false, true, 2, 1);
        vc::Bitmap title = vc::ComposeNineSlice(600, 22, text_back, {12, 0, 12, 0}, false, false, 2, 1);
        benchmark::DoNotOptimize(t.Data());
        benchmark::DoNotOptimize(b.Data());
        benchmark::DoNotOptimize(l.Data());
        benchmark::DoNotOptimize(r.Data());
        benchmark::DoNotOptimize(title.Data());
        spent += vc::bench::ThreadSeconds() - start;
    }
    vc::bench::ReportAgainstMemcpy(state, spent, pixels * sizeof(vc::Pixel));
}
BENCHMARK(BM_ComposeWindowFrame)->Unit(benchmark::kMicrosecond);

// The region of a shaped top side: rounded corners keyed out in magenta.
void BM_RegionOfTopSide(benchmark::State& state) {
    vc::Bitmap side = vc::ComposeNineSlice(1920, 30, Piece(240, 30, 2, true), {40, 0, 40, 0}, true, false, 2, 1);
    for (int y = 0; y < 8; ++y) {
        side.FillRect(vc::Rect{0, y, 8 - y, y + 1}, vc::kKeyPixel);
        side.FillRect(vc::Rect{1912 + y, y, 1920, y + 1}, vc::kKeyPixel);
    }
    double spent = 0;
    std::size_t count = 0;
    for (auto _ : state) {
        const double start = vc::bench::ThreadSeconds();
        auto rects = vc::RegionFromBitmap(side, 0, 0);
        benchmark::DoNotOptimize(rects.data());
        count = rects.size();
        spent += vc::bench::ThreadSeconds() - start;
    }
    vc::bench::ReportAgainstMemcpy(state, spent, side.Stride() * static_cast<std::size_t>(side.Height()));
    state.counters["rects"] = static_cast<double>(count);
}
BENCHMARK(BM_RegionOfTopSide)->Unit(benchmark::kMicrosecond);

// A whole LoadSkin of the largest skin of the corpus (about 800 KB
// decompressed), decompression included.
void BM_LoadSkin(benchmark::State& state) {
    const std::vector<std::uint8_t> plain = vc::bench::SkinContainer(15);
    const std::vector<std::uint8_t> packed = vc::lzh::Compress(plain);
    vc::TSkinData data;
    double spent = 0;
    for (auto _ : state) {
        data.SkinStream() = packed;
        const double start = vc::bench::ThreadSeconds();
        const bool loaded = data.LoadSkin();
        spent += vc::bench::ThreadSeconds() - start;
        if (!loaded) state.SkipWithError("skin not loaded");
    }
    vc::bench::ReportAgainstMemcpy(state, spent, plain.size());
}
BENCHMARK(BM_LoadSkin)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
