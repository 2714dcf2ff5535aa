// Skin stream decoding on a corpus of sixteen skins, against memcpy of the
// same output measured in the same run; and the tools' encoder.
//
// Counters: out_MBps is decoded output per second; memcpy_x is how many
// times longer decoding takes than copying the decoded bytes (memcpy_MBps
// is that copy's speed here, now); ratio is decompressed / compressed size.
// Where given, classic_MBps and speedup compare with the classic way of
// writing this decoder (ring buffer, byte-wise bit input), same run, same data.
#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "../tools/skin/lzh_encoder.h"
#include "skin/format/lzh.h"
#include "skin_classic_lzh.h"
#include "skin_corpus.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
// Thread CPU time: the machine is shared, and wall time would count the
// time other processes held the core.
struct Clock {
    using duration = std::chrono::duration<double>;
    static std::chrono::time_point<Clock, duration> now() {
        timespec ts;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return std::chrono::time_point<Clock, duration>(duration(ts.tv_sec + ts.tv_nsec * 1e-9));
    }
};

struct Skin {
    Bytes plain;
    Bytes packed;
};

const std::vector<Skin>& Corpus() {
    static const std::vector<Skin> corpus = [] {
        std::vector<Skin> skins;
        for (int i = 0; i < 16; ++i) {
            Skin skin;
            skin.plain = vc::bench::SkinContainer(i);
            skin.packed = vc::lzh::Compress(skin.plain);
            skins.push_back(std::move(skin));
        }
        return skins;
    }();
    return corpus;
}

// Seconds one memcpy of `size` bytes takes, cache state as for decoding: the
// destination is a fresh-enough buffer of the same size.
double MemcpySeconds(std::size_t size) {
    Bytes from(size, 1), to(size);
    int reps = 0;
    const auto start = Clock::now();
    std::chrono::duration<double> spent{};
    do {
        std::memcpy(to.data(), from.data(), size);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        ++reps;
        spent = Clock::now() - start;
    } while (spent.count() < 0.02);
    return spent.count() / reps;
}

void Report(benchmark::State& state, std::size_t out_bytes, std::size_t in_bytes, double seconds) {
    const double per_iteration = seconds / static_cast<double>(state.iterations());
    const double copy = MemcpySeconds(out_bytes);
    state.counters["out_MBps"] = static_cast<double>(out_bytes) / per_iteration / 1e6;
    state.counters["memcpy_MBps"] = static_cast<double>(out_bytes) / copy / 1e6;
    state.counters["memcpy_x"] = per_iteration / copy;
    state.counters["ratio"] = static_cast<double>(out_bytes) / static_cast<double>(in_bytes);
    state.counters["out_bytes"] = static_cast<double>(out_bytes);
}

// The classic decoder over the same streams, timed the same way.
void CompareWithClassic(benchmark::State& state, const std::vector<const Skin*>& skins, double seconds) {
    std::size_t out_bytes = 0;
    int reps = 0;
    const auto start = Clock::now();
    std::chrono::duration<double> spent{};
    do {
        for (const Skin* skin : skins) {
            Bytes out = vc::bench::ClassicDecoder().Decode(skin->packed);
            benchmark::DoNotOptimize(out.data());
            if (reps == 0) out_bytes += out.size();
        }
        ++reps;
        spent = Clock::now() - start;
    } while (spent.count() < 0.2);
    const double classic = spent.count() / reps;
    const double ours = seconds / static_cast<double>(state.iterations());
    state.counters["classic_MBps"] = static_cast<double>(out_bytes) / classic / 1e6;
    state.counters["speedup"] = classic / ours;
}

void BM_SkinDecode(benchmark::State& state) {
    const Skin& skin = Corpus()[static_cast<std::size_t>(state.range(0))];
    std::chrono::duration<double> spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        Bytes out = vc::TLZH::Decompress(skin.packed);
        benchmark::DoNotOptimize(out.data());
        spent += Clock::now() - start;
        if (out.size() != skin.plain.size()) state.SkipWithError("wrong size");
    }
    Report(state, skin.plain.size(), skin.packed.size(), spent.count());
}
BENCHMARK(BM_SkinDecode)->DenseRange(0, 15)->Unit(benchmark::kMicrosecond);

void BM_SkinDecodeCorpus(benchmark::State& state) {
    std::size_t out_bytes = 0, in_bytes = 0;
    for (const Skin& skin : Corpus()) {
        out_bytes += skin.plain.size();
        in_bytes += skin.packed.size();
    }
    std::chrono::duration<double> spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        for (const Skin& skin : Corpus()) {
            Bytes out = vc::TLZH::Decompress(skin.packed);
            benchmark::DoNotOptimize(out.data());
        }
        spent += Clock::now() - start;
    }
    Report(state, out_bytes, in_bytes, spent.count());
    std::vector<const Skin*> all;
    for (const Skin& skin : Corpus()) all.push_back(&skin);
    CompareWithClassic(state, all, spent.count());
}
BENCHMARK(BM_SkinDecodeCorpus)->Unit(benchmark::kMillisecond);

// The least compressible skin of the corpus, by name, for quick checks.
void BM_SkinDecodeLeastCompressible(benchmark::State& state) {
    std::size_t worst = 0;
    double worst_ratio = 1e9;
    for (std::size_t i = 0; i < Corpus().size(); ++i) {
        const double ratio = static_cast<double>(Corpus()[i].plain.size()) / Corpus()[i].packed.size();
        if (ratio < worst_ratio) worst_ratio = ratio, worst = i;
    }
    const Skin& skin = Corpus()[worst];
    std::chrono::duration<double> spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        Bytes out = vc::TLZH::Decompress(skin.packed);
        benchmark::DoNotOptimize(out.data());
        spent += Clock::now() - start;
    }
    Report(state, skin.plain.size(), skin.packed.size(), spent.count());
    CompareWithClassic(state, {&skin}, spent.count());
    state.SetLabel("skin " + std::to_string(worst));
}
BENCHMARK(BM_SkinDecodeLeastCompressible)->Unit(benchmark::kMicrosecond);

// The encoder over the whole corpus: input MB/s and the ratio it reaches,
// with the greedy (classic) parse beside it for comparison.
void BM_SkinEncodeCorpus(benchmark::State& state) {
    vc::lzh::EncoderOptions options;
    options.lazy = state.range(0) != 0;
    std::size_t in_bytes = 0, out_bytes = 0;
    std::chrono::duration<double> spent{};
    for (auto _ : state) {
        in_bytes = out_bytes = 0;
        const auto start = Clock::now();
        for (const Skin& skin : Corpus()) {
            const Bytes packed = vc::lzh::Compress(skin.plain, options);
            in_bytes += skin.plain.size();
            out_bytes += packed.size();
        }
        spent += Clock::now() - start;
    }
    const double per_iteration = spent.count() / static_cast<double>(state.iterations());
    const double copy = MemcpySeconds(in_bytes);
    state.counters["in_MBps"] = static_cast<double>(in_bytes) / per_iteration / 1e6;
    state.counters["memcpy_x"] = per_iteration / copy;
    state.counters["ratio"] = static_cast<double>(in_bytes) / static_cast<double>(out_bytes);
    state.SetLabel(options.lazy ? "lazy" : "greedy");
}
BENCHMARK(BM_SkinEncodeCorpus)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
