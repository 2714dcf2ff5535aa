#pragma once
// What the skin benchmarks share: thread CPU time, the reference each
// reports against (a memcpy of as many bytes as the work produces, timed in
// the same run on the same thread), and a built-in skin as the build made it.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "skin/look/skin_data.h"

namespace vc::bench {

// Thread CPU time: the machine is shared.
inline double ThreadSeconds() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

inline double MemcpySeconds(std::size_t size) {
    std::vector<std::uint8_t> from(size, 1), to(size);
    int reps = 0;
    const double start = ThreadSeconds();
    double spent = 0;
    do {
        std::memcpy(to.data(), from.data(), size);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        ++reps;
        spent = ThreadSeconds() - start;
    } while (spent < 0.02);
    return spent / reps;
}

// ms: the work's time per iteration; memcpy_x: how many times longer it
// takes than copying `bytes` once.
inline void ReportAgainstMemcpy(benchmark::State& state, double seconds, std::size_t bytes) {
    const double per_iteration = seconds / static_cast<double>(state.iterations());
    state.counters["ms"] = per_iteration * 1e3;
    state.counters["memcpy_x"] = per_iteration / MemcpySeconds(bytes);
    state.counters["bytes"] = static_cast<double>(bytes);
}

inline std::unique_ptr<TSkinData> BuiltInSkin(int number) {
    std::ifstream in(std::string(VC_BUILTIN_SKINS_DIR) + "/SkinItem" + std::to_string(number) + ".vcskin",
                     std::ios::binary);
    auto data = std::make_unique<TSkinData>();
    data->SkinStream().assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    data->LoadSkin();
    return data;
}

}  // namespace vc::bench
