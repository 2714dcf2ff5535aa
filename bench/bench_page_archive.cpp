// The pages of a one-file book on a real documentation set, against zip -9 -r
// of the same folder and zlib's own uncompress(), both measured in the same
// run. scripts/bench-pages prepares the sets and runs this program; it reads
// them from VC_BENCH_PAGES (folders separated by ":").
//
// BM_PackPages: size_x is the book's archive over the zip file (at most
// 0.92), speed_x is zip's time over the pack's (at least 0.5), both CPU time;
// unshared_x is size_x as it would be if files with the same bytes were
// stored apart.
// BM_ServePage: serve_x is the time to look a page of about 200 KB up, read,
// inflate and check it over uncompress() of the same bytes (at most 1.15).
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench_reference.h"
#include "book/page_archive.h"
#include "book/payload.h"
#include "packed_pages.h"
#include "common/text.h"

namespace {

namespace fs = std::filesystem;
using vc::bench::ThreadSeconds;

std::vector<fs::path> PageSets() {
    const char* sets = std::getenv("VC_BENCH_PAGES");
    std::vector<fs::path> folders;
    if (sets)
        for (const auto& folder : vc::SplitList(sets, ":"))
            if (!folder.empty()) folders.push_back(fs::canonical(folder));
    return folders;
}

double ChildrenSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The archive of each set, packed once by BM_PackPages, for BM_ServePage.
std::map<std::size_t, std::string>& Archives() {
    static std::map<std::size_t, std::string> archives;
    return archives;
}

// A book around the archive: a runtime stand-in, the archive, a
// configuration and its trailer.
std::string Book(const std::string& archive) {
    const std::string runtime = "MZ runtime";
    vc::PayloadTrailer trailer;
    trailer.offset = static_cast<std::int32_t>(runtime.size() + archive.size());
    trailer.size = 1;
    const auto bytes = trailer.Encode();
    return runtime + archive + "x" + std::string(bytes.begin(), bytes.end());
}

void BM_PackPages(benchmark::State& state) {
    const auto sets = PageSets();
    const auto set = static_cast<std::size_t>(state.range(0));
    if (set >= sets.size()) return state.SkipWithError("no such set in VC_BENCH_PAGES");
    const fs::path folder = sets[set];
    const fs::path zip = fs::temp_directory_path() / ("vc_bench_pages_" + std::to_string(set) + ".zip");
    double zipSeconds = 0;
    double packSeconds = 0;
    std::string archive;
    for (auto _ : state) {
        fs::remove(zip);
        const std::string command = "cd '" + folder.parent_path().string() + "' && zip -9 -r -q '" + zip.string() +
                                    "' '" + folder.filename().string() + "'";
        const double zipStart = ChildrenSeconds();
        if (std::system(command.c_str()) != 0) return state.SkipWithError("zip failed");
        zipSeconds += ChildrenSeconds() - zipStart;
        const double packStart = ThreadSeconds();
        archive = vc::pack::PackPages(vc::pack::GatherPages({folder}), {});
        packSeconds += ThreadSeconds() - packStart;
    }
    const auto zipSize = static_cast<double>(fs::file_size(zip));
    fs::remove(zip);
    state.counters["archive_MB"] = static_cast<double>(archive.size()) / 1e6;
    state.counters["zip_MB"] = zipSize / 1e6;
    state.counters["size_x"] = static_cast<double>(archive.size()) / zipSize;
    state.counters["speed_x"] = zipSeconds / packSeconds;
    // Files with the same bytes are stored once; without that sharing:
    const std::string book = Book(archive);
    const vc::MemorySource source(book);
    double unshared = 0;
    for (const auto& entry : vc::PageArchive::Open(source)->Entries()) unshared += entry.storedSize;
    state.counters["unshared_x"] = unshared / zipSize;
    Archives()[set] = std::move(archive);
}
BENCHMARK(BM_PackPages)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

template <class Work>
double SecondsPerCall(Work&& work) {
    int calls = 0;
    const double start = ThreadSeconds();
    double spent = 0;
    do {
        work();
        ++calls;
        spent = ThreadSeconds() - start;
    } while (spent < 0.05);
    return spent / calls;
}

void BM_ServePage(benchmark::State& state) {
    const auto set = static_cast<std::size_t>(state.range(0));
    if (!Archives().count(set)) return state.SkipWithError("BM_PackPages did not pack this set");
    const std::string book = Book(Archives()[set]);
    const vc::MemorySource source(book);
    const auto archive = vc::PageArchive::Open(source);
    // The deflated page nearest 200 KB.
    const vc::ArchiveEntry* page = nullptr;
    const auto distance = [](const vc::ArchiveEntry& e) { return std::abs(static_cast<long>(e.size) - 200000L); };
    for (const auto& entry : archive->Entries())
        if (entry.compressed && (!page || distance(entry) < distance(*page))) page = &entry;
    const std::string name = page->name;
    const std::string bytes = archive->Read(source, *page);
    std::string deflated(compressBound(static_cast<uLong>(bytes.size())), '\0');
    uLongf deflatedSize = static_cast<uLongf>(deflated.size());
    compress2(reinterpret_cast<Bytef*>(deflated.data()), &deflatedSize, reinterpret_cast<const Bytef*>(bytes.data()),
              static_cast<uLong>(bytes.size()), Z_BEST_COMPRESSION);
    std::string out(bytes.size(), '\0');

    double serve = 0;
    double reference = 0;
    for (auto _ : state) {
        // Alternating, so that both meet the same machine.
        serve += SecondsPerCall([&] { benchmark::DoNotOptimize(archive->Read(source, *archive->FindPage(name))); });
        reference += SecondsPerCall([&] {
            uLongf size = static_cast<uLongf>(out.size());
            uncompress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(deflated.data()),
                       deflatedSize);
            benchmark::DoNotOptimize(out.data());
        });
    }
    state.counters["page_KB"] = static_cast<double>(bytes.size()) / 1e3;
    state.counters["serve_us"] = serve / static_cast<double>(state.iterations()) * 1e6;
    state.counters["uncompress_us"] = reference / static_cast<double>(state.iterations()) * 1e6;
    state.counters["serve_x"] = serve / reference;
}
BENCHMARK(BM_ServePage)->Arg(0)->Arg(1)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
