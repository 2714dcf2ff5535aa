// The book's search index against SQLite FTS5 holding the same extracted
// text, both ranked by BM25 with the same weights (title 5, body 1), in the
// same run on the same thread. The corpus is the HTML manual of Debian's
// python3.11-doc (bench/install-search-corpus; another folder through
// VC_SEARCH_CORPUS), once and ten times over.
//
// Counters (ours against FTS5; an _x counter is ours / FTS5, lower is better):
//   build_s, fts5_build_s, build_x     index build against FTS5's inserts
//   bytes, fts5_bytes, size_x          index against the database after
//                                      'optimize' and VACUUM
//   median_us, p99_us, fts5_*, *_x     the 200 queries (single words,
//                                      two words, phrases, prefixes), each
//                                      the best of three runs; ranked top
//                                      200 with snippets on both sides
//   top10_set_pct, top10_order_pct     plain-word queries whose first ten
//                                      pages agree with FTS5's (as a set;
//                                      in order)
//   load_ms                            the first search's reading of the
//                                      index out of the book (inflate and
//                                      check), done off the window's thread
//   key_median_ms, key_p99_ms,         the pane's work per keystroke: a
//   key_max_ms, fts5_key_*, key_*_x    quarter of the single words and word
//                                      pairs typed letter by letter, each text
//                                      searched with its last word as a
//                                      prefix, its 200 rows' titles made
//                                      into UTF-16 and the snippets of the
//                                      rows the pane shows (kRowsShown)
//                                      made; FTS5 answers the same texts
//                                      ("a" "b"*), top 200, with the same
//                                      snippets, each by its row id
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "../tests/native/one_file_book.h"
#include "bench_reference.h"
#include "bench_statistics.h"
#include "book/page_archive.h"
#include "common/input_file.h"
#include "common/unicode.h"
#include "search/html_text.h"
#include "search/index_writer.h"
#include "search/search_index.h"
#include "search/tokenizer.h"
#include "window/book_search.h"

namespace {

namespace fs = std::filesystem;
using namespace vc::search;
using vc::bench::Percentile;
using vc::bench::ThreadSeconds;

struct Page {
    std::string name, title, body;
};

std::string CorpusFolder() {
    const char* folder = std::getenv("VC_SEARCH_CORPUS");
    return folder ? folder : "/usr/share/doc/python3.11/html";
}

const std::vector<Page>& Manual() {
    static const std::vector<Page> pages = [] {
        std::vector<std::string> names;
        const fs::path root = CorpusFolder();
        if (fs::is_directory(root)) {
            for (const auto& entry : fs::recursive_directory_iterator(root)) {
                if (entry.is_regular_file() && IsHtmlPageName(entry.path().string())) {
                    names.push_back(fs::relative(entry.path(), root).string());
                }
            }
        }
        std::sort(names.begin(), names.end());
        std::vector<Page> read;
        for (const std::string& name : names) {
            const auto html = vc::ReadWholeFile((root / name).string());
            if (!html) continue;
            PageText text = ExtractPageText(*html, TextEncoding::kUtf8);
            read.push_back(Page{name, std::move(text.title), std::move(text.body)});
        }
        return read;
    }();
    return pages;
}

struct Query {
    std::string ours, fts5;
    bool plainWords;
};

bool IsPlainWord(const std::string& word) {
    return word.size() >= 3 &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// The same 200 queries for every scale, drawn from the manual's own words.
std::vector<Query> Queries(const std::vector<Page>& pages) {
    std::map<std::string, int> pageCounts;
    std::vector<std::vector<std::string>> bodies;
    for (const Page& page : pages) {
        bodies.push_back(FoldedWords(page.body));
        std::set<std::string> seen(bodies.back().begin(), bodies.back().end());
        for (const std::string& word : seen) {
            if (IsPlainWord(word)) ++pageCounts[word];
        }
    }
    std::vector<std::pair<int, std::string>> byCount;
    for (const auto& [word, count] : pageCounts) {
        if (count >= 2) byCount.emplace_back(-count, word);
    }
    std::sort(byCount.begin(), byCount.end());
    std::vector<Query> queries;
    std::vector<std::string> singles;
    for (std::size_t i = 0; i < 80; ++i) {
        const std::string& word = byCount[i * (byCount.size() / 80)].second;
        singles.push_back(word);
        queries.push_back(Query{word, "\"" + word + "\"", true});
    }
    // Words that stand near each other in some page, for pairs and phrases.
    const auto wordsAt = [&](std::size_t k, std::size_t count, std::size_t step) {
        for (std::size_t tries = 0;; ++tries) {
            const std::vector<std::string>& body = bodies[(k * 37 + tries * 11) % bodies.size()];
            if (body.size() < 50) continue;
            const std::size_t at = (k * 101 + tries * 7) % (body.size() - count * step);
            std::vector<std::string> words;
            for (std::size_t i = 0; i < count; ++i) words.push_back(body[at + i * step]);
            if (std::all_of(words.begin(), words.end(), IsPlainWord)) return words;
        }
    };
    for (std::size_t k = 0; k < 50; ++k) {
        const auto words = wordsAt(k, 2, 3);
        queries.push_back(Query{words[0] + " " + words[1], "\"" + words[0] + "\" \"" + words[1] + "\"", true});
    }
    for (std::size_t k = 0; k < 40; ++k) {
        const auto words = wordsAt(k + 50, 2 + k % 2, 1);
        std::string phrase;
        for (const std::string& word : words) phrase += (phrase.empty() ? "" : " ") + word;
        queries.push_back(Query{"\"" + phrase + "\"", "\"" + phrase + "\"", false});
    }
    for (std::size_t k = 0; k < 30; ++k) {
        const std::string& word = singles[(k * 7) % singles.size()];
        const std::string prefix = word.substr(0, 3 + k % 2);
        queries.push_back(Query{prefix + "*", prefix + "*", false});
    }
    return queries;
}

class Database {
public:
    explicit Database(const std::string& path) {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("cannot open " + path);
    }
    ~Database() { sqlite3_close(db_); }
    void Run(const char* sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string text = error ? error : "?";
            sqlite3_free(error);
            throw std::runtime_error(text);
        }
    }
    sqlite3_stmt* Prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
        return statement;
    }

private:
    sqlite3* db_ = nullptr;
};

template <class Run>
double BestOfThree(Run&& run) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const double start = ThreadSeconds();
        run();
        best = std::min(best, ThreadSeconds() - start);
    }
    return best;
}

// What a reader types for every fourth query of plain words (common and rare
// words, single and paired, alike; FTS5 takes seconds over a short prefix of
// the big set): every text from the first letter to the whole query, one
// keystroke more each time.
std::vector<std::string> Keystrokes(const std::vector<Query>& queries) {
    std::vector<std::string> typed;
    std::size_t plain = 0;
    for (const Query& query : queries) {
        if (!query.plainWords || plain++ % 4 != 0) continue;
        for (std::size_t length = 1; length <= query.ours.size(); ++length) {
            if (query.ours[length - 1] != ' ') typed.push_back(query.ours.substr(0, length));
        }
    }
    return typed;
}

// The same text as FTS5 reads it while typing: each word quoted, the last
// one a prefix.
std::string Fts5WhileTyping(const std::string& typed) {
    std::string query;
    for (const std::string& word : FoldedWords(typed)) query += (query.empty() ? "\"" : " \"") + word + "\"";
    return query + "*";
}

// Rows of two lines the search pane shows at once in a window 800 pixels high.
constexpr std::size_t kRowsShown = 16;

void SearchAgainstFts5(benchmark::State& state) {
    const std::vector<Page>& manual = Manual();
    if (manual.empty()) {
        state.SkipWithError("no corpus: run bench/install-search-corpus or set VC_SEARCH_CORPUS");
        return;
    }
    const int copies = static_cast<int>(state.range(0));
    const std::vector<Query> queries = Queries(manual);
    const std::string path = (fs::temp_directory_path() / "vc_bench_search.db").string();
    for (auto _ : state) {
        // Ours.
        double start = ThreadSeconds();
        IndexWriter writer;
        for (int copy = 0; copy < copies; ++copy) {
            for (const Page& page : manual) writer.AddPage(std::to_string(copy) + "/" + page.name, page.title, page.body);
        }
        const std::string bytes = writer.Finish();
        const double buildSeconds = ThreadSeconds() - start;
        const SearchIndex index = SearchIndex::Open(bytes);

        // FTS5, on disk so that its size is a file's.
        fs::remove(path);
        Database db(path);
        db.Run("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
               "CREATE VIRTUAL TABLE pages USING fts5(name UNINDEXED, title, body,"
               " tokenize='unicode61 remove_diacritics 2')");
        start = ThreadSeconds();
        db.Run("BEGIN");
        sqlite3_stmt* insert = db.Prepare("INSERT INTO pages(name, title, body) VALUES (?1, ?2, ?3)");
        for (int copy = 0; copy < copies; ++copy) {
            for (const Page& page : manual) {
                const std::string name = std::to_string(copy) + "/" + page.name;
                sqlite3_bind_text(insert, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
                sqlite3_bind_text(insert, 2, page.title.data(), static_cast<int>(page.title.size()), SQLITE_STATIC);
                sqlite3_bind_text(insert, 3, page.body.data(), static_cast<int>(page.body.size()), SQLITE_STATIC);
                sqlite3_step(insert);
                sqlite3_reset(insert);
            }
        }
        sqlite3_finalize(insert);
        db.Run("COMMIT");
        const double ftsBuildSeconds = ThreadSeconds() - start;
        db.Run("INSERT INTO pages(pages) VALUES('optimize'); VACUUM");
        const double ftsBytes = static_cast<double>(fs::file_size(path));

        sqlite3_stmt* select = db.Prepare(
            "SELECT name, title, snippet(pages, 2, '[', ']', '...', 30), bm25(pages, 0.0, 5.0, 1.0) AS score"
            " FROM pages WHERE pages MATCH ?1 ORDER BY score LIMIT 200");
        std::vector<double> ours, theirs;
        int plain = 0, sameSet = 0, sameOrder = 0;
        for (const Query& query : queries) {
            SearchResults found;
            ours.push_back(BestOfThree([&] { found = index.Query(query.ours, false); }));
            std::vector<std::string> names;
            theirs.push_back(BestOfThree([&] {
                names.clear();
                sqlite3_bind_text(select, 1, query.fts5.data(), static_cast<int>(query.fts5.size()), SQLITE_STATIC);
                while (sqlite3_step(select) == SQLITE_ROW) {
                    names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(select, 0)));
                    benchmark::DoNotOptimize(sqlite3_column_text(select, 1));
                    benchmark::DoNotOptimize(sqlite3_column_text(select, 2));
                }
                sqlite3_reset(select);
            }));
            if (!query.plainWords) continue;
            ++plain;
            std::vector<std::string> mine;
            for (std::size_t i = 0; i < found.results.size() && i < 10; ++i) mine.push_back(found.results[i].page);
            names.resize(std::min<std::size_t>(names.size(), 10));
            sameOrder += mine == names;
            std::sort(mine.begin(), mine.end());
            std::sort(names.begin(), names.end());
            sameSet += mine == names;
        }

        // The index as a book carries it, read as the pane reads it.
        const std::string bookBytes = vc::testing::OneFileBook({}, "Book\r\n", bytes);
        const vc::MemorySource book(bookBytes);
        const vc::PageArchive archive = *vc::PageArchive::Open(book);
        vc::BookSearch pane([&] { return archive.Read(book, *archive.SearchIndex()); });
        start = ThreadSeconds();
        pane.Adopt(vc::BookSearch::Read(*pane.BeginReading()));
        const double loadSeconds = ThreadSeconds() - start;

        sqlite3_stmt* rows = db.Prepare(
            "SELECT rowid, title, bm25(pages, 0.0, 5.0, 1.0) AS score FROM pages WHERE pages MATCH ?1"
            " ORDER BY score LIMIT 200");
        sqlite3_stmt* snippet = db.Prepare(
            "SELECT snippet(pages, 2, '[', ']', '...', 30) FROM pages WHERE pages MATCH ?1 AND rowid = ?2");
        std::vector<double> keys, fts5Keys;
        for (const std::string& typed : Keystrokes(queries)) {
            start = ThreadSeconds();
            vc::SearchView view = pane.Search(typed, true);
            for (vc::SearchRow& row : view.rows) benchmark::DoNotOptimize(vc::Utf8ToUtf16(row.title));
            // The rows a list of the pane's height shows, with their snippets.
            for (std::size_t i = 0; i < view.rows.size() && i < kRowsShown; ++i) {
                pane.AddSnippet(view.rows[i]);
                benchmark::DoNotOptimize(vc::Utf8ToUtf16(view.rows[i].snippet));
            }
            keys.push_back(ThreadSeconds() - start);
            const std::string fts5 = Fts5WhileTyping(typed);
            start = ThreadSeconds();
            std::vector<sqlite3_int64> shown;
            sqlite3_bind_text(rows, 1, fts5.data(), static_cast<int>(fts5.size()), SQLITE_STATIC);
            while (sqlite3_step(rows) == SQLITE_ROW) {
                if (shown.size() < kRowsShown) shown.push_back(sqlite3_column_int64(rows, 0));
                benchmark::DoNotOptimize(sqlite3_column_text(rows, 1));
            }
            sqlite3_reset(rows);
            sqlite3_bind_text(snippet, 1, fts5.data(), static_cast<int>(fts5.size()), SQLITE_STATIC);
            for (const sqlite3_int64 row : shown) {
                sqlite3_bind_int64(snippet, 2, row);
                while (sqlite3_step(snippet) == SQLITE_ROW) benchmark::DoNotOptimize(sqlite3_column_text(snippet, 0));
                sqlite3_reset(snippet);
            }
            fts5Keys.push_back(ThreadSeconds() - start);
        }
        sqlite3_finalize(snippet);
        sqlite3_finalize(rows);
        sqlite3_finalize(select);

        state.counters["pages"] = static_cast<double>(index.PageCount());
        state.counters["build_s"] = buildSeconds;
        state.counters["fts5_build_s"] = ftsBuildSeconds;
        state.counters["build_x"] = buildSeconds / ftsBuildSeconds;
        state.counters["bytes"] = static_cast<double>(bytes.size());
        state.counters["fts5_bytes"] = ftsBytes;
        state.counters["size_x"] = static_cast<double>(bytes.size()) / ftsBytes;
        state.counters["median_us"] = Percentile(ours, 0.5) * 1e6;
        state.counters["p99_us"] = Percentile(ours, 0.99) * 1e6;
        state.counters["fts5_median_us"] = Percentile(theirs, 0.5) * 1e6;
        state.counters["fts5_p99_us"] = Percentile(theirs, 0.99) * 1e6;
        state.counters["median_x"] = Percentile(ours, 0.5) / Percentile(theirs, 0.5);
        state.counters["p99_x"] = Percentile(ours, 0.99) / Percentile(theirs, 0.99);
        state.counters["top10_set_pct"] = 100.0 * sameSet / plain;
        state.counters["top10_order_pct"] = 100.0 * sameOrder / plain;
        state.counters["load_ms"] = loadSeconds * 1e3;
        state.counters["keys"] = static_cast<double>(keys.size());
        for (const auto& [name, at] : {std::pair{"median", 0.5}, {"p99", 0.99}, {"max", 1.0}}) {
            const std::string key = std::string("key_") + name;
            state.counters[key + "_ms"] = Percentile(keys, at) * 1e3;
            state.counters["fts5_" + key + "_ms"] = Percentile(fts5Keys, at) * 1e3;
            state.counters[key + "_x"] = Percentile(keys, at) / Percentile(fts5Keys, at);
        }
    }
    fs::remove(path);
}

BENCHMARK(SearchAgainstFts5)->Arg(1)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
