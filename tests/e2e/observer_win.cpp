// The observer: finds a window of a program running in the same Wine desktop
// and reports it as JSON, or acts on it. End-to-end tests drive it.
//
//   vc_observer find    (--title T | --class C) [--timeout MS] [--hidden]
//   vc_observer msgbox  [--timeout MS] [--press]
//   vc_observer capture (--title T | --class C) FILE.bmp
//   vc_observer click   (--title T | --class C) X Y      client coordinates
//   vc_observer keys    (--title T | --class C) KEYS...  e.g. ctrl+a, f5, enter, f10 down down enter
//   vc_observer close   (--title T | --class C)
//   vc_observer gone    (--title T | --class C) [--timeout MS]
//
// Exit code 0 on success, 1 when the window was not found in time, 2 on bad use.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string command;
    std::string title;
    std::string className;
    int timeoutMs = 10000;
    bool press = false;
    bool hidden = false;  // also windows not shown yet
    std::vector<std::string> rest;
};

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            // Text is in the system code page; it is reported as Latin-1 code points.
            if (c < 0x20 || c >= 0x80) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string TextOf(HWND window) {
    char buffer[4096];
    // WM_GETTEXT reaches controls of other processes too.
    const LRESULT length = ::SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string ClassOf(HWND window) {
    char buffer[256];
    const int length = ::GetClassNameA(window, buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string RectJson(const RECT& r) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "{\"left\":%ld,\"top\":%ld,\"width\":%ld,\"height\":%ld}", r.left, r.top,
                  r.right - r.left, r.bottom - r.top);
    return buffer;
}

struct Search {
    const Options* options;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    const Options& o = *search->options;
    if (!o.className.empty() && ClassOf(window) != o.className) return TRUE;
    if (!o.title.empty() && TextOf(window) != o.title) return TRUE;
    // A program's window counts once it is shown: before, it is still being set up.
    if (!o.hidden && !::IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindOnce(const Options& options) {
    Search search{&options};
    ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitFor(const Options& options) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (HWND window = FindOnce(options)) return window;
        if (static_cast<int>(::GetTickCount() - start) >= options.timeoutMs) return nullptr;
        ::Sleep(100);
    }
}

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
    return TRUE;
}

// A window or control wearing the skin answers the skin engine's query with 1.
bool Skinned(HWND window) {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(window, 0x3523, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    return answer == 1;
}

std::string WindowJson(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    RECT client;
    ::GetClientRect(window, &client);
    char bits[64];
    std::snprintf(bits, sizeof bits, "\"visible\":%s,\"maximized\":%s",
                  ::IsWindowVisible(window) ? "true" : "false", ::IsZoomed(window) ? "true" : "false");
    // Asked first: once the window answers it is skinned, its region is set.
    const bool skinned = Skinned(window);
    // A shaped window has a window region.
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const bool shaped = ::GetWindowRgn(window, region) != ERROR;
    ::DeleteObject(region);
    std::string json = "{\"caption\":" + Json(TextOf(window)) + ",\"class\":" + Json(ClassOf(window)) +
                       ",\"rect\":" + RectJson(rect) + ",\"client\":" + RectJson(client) + "," + bits +
                       ",\"skinned\":" + (skinned ? "true" : "false") + ",\"shaped\":" + (shaped ? "true" : "false") +
                       ",\"children\":[";
    std::vector<HWND> children;
    ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (std::size_t i = 0; i < children.size(); ++i) {
        HWND child = children[i];
        RECT childRect;
        ::GetWindowRect(child, &childRect);
        json += (i ? "," : "") + std::string("{\"class\":") + Json(ClassOf(child)) + ",\"text\":" + Json(TextOf(child)) +
                ",\"rect\":" + RectJson(childRect) +
                ",\"visible\":" + (::IsWindowVisible(child) ? "true" : "false") +
                ",\"skinned\":" + (Skinned(child) ? "true" : "false") + "}";
    }
    return json + "]}";
}

bool SaveBitmap(HWND window, const std::string& file) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    // The desktop copy shows exactly what a reader sees, frame included.
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    bool ok = false;
    if (FILE* out = std::fopen(file.c_str(), "wb")) {
        const DWORD imageSize = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
        BITMAPFILEHEADER header{};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof(header) + sizeof(info.bmiHeader);
        header.bfSize = header.bfOffBits + imageSize;
        ok = std::fwrite(&header, sizeof header, 1, out) == 1 &&
             std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             std::fwrite(bits, imageSize, 1, out) == 1;
        std::fclose(out);
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

WORD VirtualKey(const std::string& name) {
    if (name.size() == 1) return static_cast<WORD>(::VkKeyScanA(name[0]) & 0xFF);
    if (name == "enter") return VK_RETURN;
    if (name == "escape") return VK_ESCAPE;
    if (name == "tab") return VK_TAB;
    if (name == "space") return VK_SPACE;
    if (name == "down") return VK_DOWN;
    if (name == "up") return VK_UP;
    if (name == "left") return VK_LEFT;
    if (name == "right") return VK_RIGHT;
    if (name.size() >= 2 && name[0] == 'f') return static_cast<WORD>(VK_F1 + std::atoi(name.c_str() + 1) - 1);
    return 0;
}

void Press(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
}

// Keys like "ctrl+a": modifiers held while the last key goes down and up.
bool SendKeys(HWND window, const std::string& keys) {
    ::SetForegroundWindow(window);
    std::vector<WORD> held;
    std::size_t start = 0;
    for (;;) {
        const auto plus = keys.find('+', start);
        const std::string part = keys.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        WORD key = part == "ctrl" ? VK_CONTROL : part == "shift" ? VK_SHIFT : part == "alt" ? VK_MENU : VirtualKey(part);
        if (!key) return false;
        held.push_back(key);
        if (plus == std::string::npos) break;
        start = plus + 1;
    }
    for (WORD key : held) Press(key, false);
    for (auto it = held.rbegin(); it != held.rend(); ++it) Press(*it, true);
    return true;
}

// Every event carries its point: a cursor placed by SetCursorPos may not yet
// be where Wine takes the next button event to happen.
void Click(HWND window, int x, int y) {
    POINT point{x, y};
    ::ClientToScreen(window, &point);
    ::SetForegroundWindow(window);
    INPUT inputs[3]{};
    const DWORD buttons[] = {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = ::MulDiv(point.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        inputs[i].mi.dy = ::MulDiv(point.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        inputs[i].mi.dwFlags = buttons[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    ::SendInput(3, inputs, sizeof(INPUT));
}

std::string MessageBoxJson(HWND box) {
    std::vector<HWND> children;
    ::EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
    std::string text;
    for (HWND child : children)
        // The message text is the static control that is not the icon.
        if (ClassOf(child) == "Static" && !(::GetWindowLongA(child, GWL_STYLE) & SS_ICON)) text = TextOf(child);
    return "{\"caption\":" + Json(TextOf(box)) + ",\"text\":" + Json(text) + "}";
}

int Usage() {
    std::fputs("usage: vc_observer find|msgbox|capture|click|keys|close|gone [--title T] [--class C] "
               "[--timeout MS] [--press] [args]\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    Options options;
    options.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--title" && i + 1 < argc) options.title = argv[++i];
        else if (arg == "--class" && i + 1 < argc) options.className = argv[++i];
        else if (arg == "--timeout" && i + 1 < argc) options.timeoutMs = std::atoi(argv[++i]);
        else if (arg == "--press") options.press = true;
        else if (arg == "--hidden") options.hidden = true;
        else options.rest.push_back(arg);
    }
    if (options.command == "msgbox") {
        options.className = "#32770";
        HWND box = WaitFor(options);
        if (!box) return 1;
        std::printf("%s\n", MessageBoxJson(box).c_str());
        if (options.press) ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        return 0;
    }
    if (options.title.empty() && options.className.empty()) return Usage();
    if (options.command == "gone") {
        options.hidden = true;  // a hidden window is not gone yet
        const DWORD start = ::GetTickCount();
        while (FindOnce(options)) {
            if (static_cast<int>(::GetTickCount() - start) >= options.timeoutMs) return 1;
            ::Sleep(100);
        }
        return 0;
    }
    HWND window = WaitFor(options);
    if (!window) {
        std::fprintf(stderr, "window not found\n");
        return 1;
    }
    if (options.command == "find") {
        std::printf("%s\n", WindowJson(window).c_str());
        return 0;
    }
    if (options.command == "capture" && options.rest.size() == 1) return SaveBitmap(window, options.rest[0]) ? 0 : 1;
    if (options.command == "click" && options.rest.size() == 2) {
        Click(window, std::atoi(options.rest[0].c_str()), std::atoi(options.rest[1].c_str()));
        return 0;
    }
    if (options.command == "keys" && !options.rest.empty()) {
        // Each argument is one key stroke, given time to take effect.
        for (const std::string& keys : options.rest) {
            if (!SendKeys(window, keys)) return 2;
            ::Sleep(150);
        }
        return 0;
    }
    if (options.command == "close") {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    return Usage();
}
