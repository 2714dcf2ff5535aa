// The link check of vellumcast-pack over a large real book: the HTML
// documentation of Python 3.11 as Debian ships it (530 pages, about 50 MB;
// bench/python-docs installs it), against reading the same pages once,
// measured in the same run.
//
// Counters: ms is the thread CPU time of one whole check (the book parsed
// and composed, every page read and checked); read_x is how many times
// longer that takes than reading every page file into memory; pages and
// findings are what the check reports (the Debian copy lacks its change log
// and links to the web site's root, so it has findings of its own).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "bench_reference.h"
#include "book_file.h"
#include "link_check.h"
#include "pack.h"

namespace {

namespace fs = std::filesystem;

const fs::path kDocs = "/usr/share/doc/python3.11/html";

// A book description beside the documentation's folder, whose start page is
// its index.
fs::path PythonBook() {
    const fs::path folder = fs::temp_directory_path() / "vc_bench_link_check";
    fs::create_directories(folder);
    const fs::path book = folder / "python.ini";
    // Beside: Debian links two scripts of the folder to shared copies
    // elsewhere, which a book with its pages inside refuses.
    std::ofstream(book) << "[book]\ntitle = Python\npages = beside\nstart-page = "
                        << (kDocs / "index.html").lexically_relative(fs::canonical(folder)).generic_string() << "\n";
    return book;
}

std::size_t ReadEveryPage() {
    std::size_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kDocs)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".html" && extension != ".css") continue;
        std::ifstream in(entry.path(), std::ios::binary | std::ios::ate);
        std::string content(static_cast<std::size_t>(in.tellg()), '\0');
        in.seekg(0);
        in.read(content.data(), static_cast<std::streamsize>(content.size()));
        bytes += content.size();
        benchmark::DoNotOptimize(content.data());
    }
    return bytes;
}

void BM_LinkCheckPythonDocs(benchmark::State& state) {
    if (!fs::is_regular_file(kDocs / "index.html")) {
        state.SkipWithError("no Python documentation: run bench/python-docs first");
        return;
    }
    const fs::path file = PythonBook();
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    vc::pack::LinkReport report;
    double checking = 0;
    for (auto _ : state) {
        const double start = vc::bench::ThreadSeconds();
        const vc::pack::Book book = vc::pack::ParseBook(text.str(), file.string());
        report = vc::pack::CheckLinks(book, vc::pack::ComposeBook(book, file), file);
        checking += vc::bench::ThreadSeconds() - start;
    }
    const double start = vc::bench::ThreadSeconds();
    ReadEveryPage();
    const double reading = vc::bench::ThreadSeconds() - start;
    const double perCheck = checking / static_cast<double>(state.iterations());
    state.counters["ms"] = perCheck * 1e3;
    state.counters["read_x"] = perCheck / reading;
    state.counters["pages"] = static_cast<double>(report.pagesChecked);
    state.counters["findings"] = static_cast<double>(report.findings.size());
    fs::remove_all(file.parent_path());
}
BENCHMARK(BM_LinkCheckPythonDocs)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
