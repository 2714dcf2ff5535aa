// The search pane of a running book, as a reader uses it, under Wine (or
// Windows): opens the pane by its tool-bar button, types the first letter at
// once and waits for the index to be read, then types each query letter by
// letter, 50 ms apart. A keystroke is timed from the character sent until
// the window has painted what changed: the pane searches and lists its first
// rows before the send returns, and the paint is asked for at once. The
// reference, measured in the same run, is the same typing into a book of one
// page, where searching costs nothing: what is left is the window's own work.
//
//   search_typing ROUNDS BOOK REFERENCE-BOOK
//
// The private memory the book has committed once its index is read is
// reported too.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_win.h"

namespace {

using namespace vc::bench;

// The tool-bar button that opens the pane, as the runtime numbers it.
constexpr int kSearchButtonId = 1011;
// Between two keystrokes, as a quick typist leaves them (twenty letters a
// second): what the pane leaves for after the paint runs there.
constexpr DWORD kBetweenKeysMs = 50;

// Words of the documentation set the benchmark packs, from the common to
// the rare, alone and in pairs.
const char* const kQueries[] = {
    "python",         "dictionary",     "os path",       "exception",      "string format",
    "list comprehension", "asyncio event loop", "import", "class",        "unicode",
    "regular expression", "thread",     "socket",        "file object",    "lambda",
    "iterator",       "decorator",      "subprocess",    "json",           "keyword argument",
};

struct Book {
    const char* name;
    std::string commandLine;
    std::vector<double> keystrokeMs;
    std::vector<double> readingMs;
    std::vector<double> privateMb;
};

std::string StatusText(HWND edit) {
    char text[200] = "";
    ::SendMessageA(::GetWindow(edit, GW_HWNDNEXT), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

double TypeTimed(HWND window, HWND edit, char c) {
    const LONGLONG start = Ticks();
    ::SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Milliseconds(Ticks() - start);
}

// One run of the book: false when it did not start or had no pane.
bool TypeInto(Book& book) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = book.commandLine;
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        std::fprintf(stderr, "%s: cannot start (error %lu)\n", book.name, ::GetLastError());
        return false;
    }
    HWND window = nullptr;
    for (int wait = 0; wait < 20000 && !window; ++wait) {
        window = VisibleWindowOf(process.dwProcessId);
        if (!window) ::Sleep(1);
    }
    DWORD_PTR ignored = 0;
    const HWND toolbar = window ? ::FindWindowExA(window, nullptr, "ToolbarWindow32", nullptr) : nullptr;
    const HWND edit = window ? ::FindWindowExA(window, nullptr, "Edit", nullptr) : nullptr;
    const bool ready = toolbar && edit && ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored);
    if (ready) {
        const LONGLONG opened = Ticks();
        ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(kSearchButtonId, BN_CLICKED), reinterpret_cast<LPARAM>(toolbar));
        ::SendMessageA(edit, WM_CHAR, 'p', 0);
        while (StatusText(edit).rfind("Reading", 0) == 0 && Milliseconds(Ticks() - opened) < 20000) ::Sleep(1);
        book.readingMs.push_back(Milliseconds(Ticks() - opened));
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
            book.privateMb.push_back(static_cast<double>(memory.PagefileUsage) / (1024.0 * 1024.0));
        for (const char* query : kQueries) {
            ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
            for (const char* c = query; *c; ++c) {
                book.keystrokeMs.push_back(TypeTimed(window, edit, *c));
                ::Sleep(kBetweenKeysMs);
            }
        }
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    } else {
        std::fprintf(stderr, "%s: no window with a search pane answered\n", book.name);
    }
    if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return ready;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc == 4 ? std::atoi(argv[1]) : 0;
    if (rounds < 1) {
        std::fprintf(stderr, "usage: search_typing ROUNDS BOOK REFERENCE-BOOK\n");
        return 2;
    }
    Book books[] = {{"book", argv[2], {}, {}, {}}, {"reference", argv[3], {}, {}, {}}};
    for (int round = 0; round < rounds; ++round)
        for (Book& book : books)
            if (!TypeInto(book)) return 1;

    std::printf("ms per keystroke in the search pane, %d rounds of %zu queries\n", rounds,
                sizeof kQueries / sizeof *kQueries);
    std::printf("%-10s %6s %9s %9s %9s %11s %11s\n", "book", "keys", "median", "p99", "slowest", "reading", "private MB");
    for (const Book& book : books)
        std::printf("%-10s %6zu %9.2f %9.2f %9.2f %11.1f %11.1f\n", book.name, book.keystrokeMs.size(),
                    Median(book.keystrokeMs), Percentile(book.keystrokeMs, 0.99), Percentile(book.keystrokeMs, 1.0),
                    Median(book.readingMs), Median(book.privateMb));
    const auto ratio = [&](double fraction) {
        return Percentile(books[0].keystrokeMs, fraction) / Percentile(books[1].keystrokeMs, fraction);
    };
    std::printf("book / reference: median %.2fx, p99 %.2fx, slowest %.2fx\n", ratio(0.5), ratio(0.99), ratio(1.0));
    return 0;
}
