#pragma once
// What the skin benchmarks share: thread CPU time, the memcpy reference each
// reports against, and a built-in skin as the build made it.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "skin/skin_data.h"

namespace vc::bench {

inline double Now() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Seconds to copy `size` bytes once, measured over at least 20 ms.
inline double MemcpySeconds(std::size_t size) {
    std::vector<std::uint8_t> from(size, 1), to(size);
    int reps = 0;
    const double start = Now();
    double spent = 0;
    do {
        std::memcpy(to.data(), from.data(), size);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        ++reps;
        spent = Now() - start;
    } while (spent < 0.02);
    return spent / reps;
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
