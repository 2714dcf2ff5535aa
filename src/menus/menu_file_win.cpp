#include "menus/menu_file_win.h"

#include <windows.h>

#include <algorithm>

#include "common/errors.h"
#include "common/temp_directory_win.h"
#include "common/text.h"
#include "menus/menu_definition.h"

namespace vc {

namespace {

std::string SystemMessage(DWORD error) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? Trim(std::string_view(text, length)) : std::string();
    if (text) ::LocalFree(text);
    if (message.empty()) message = "error " + std::to_string(error);
    return message;
}

[[noreturn]] void FailToCreate(const std::string& path, DWORD error) {
    throw EInOutError("Cannot create the menu file \"" + path + "\": " + SystemMessage(error));
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) noexcept : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const noexcept { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

std::string MenuFilePath(std::string_view menuFileName) { return MenuFilePath(GetTempDirectory(), menuFileName); }

void WriteMenuFile(const std::string& path, std::string_view text) {
    DWORD error = ERROR_SUCCESS;
    {
        // Created hidden from the start: replacing a hidden file of the same
        // name with a plain one would be refused.
        FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN,
                                      nullptr));
        if (file.Get() == INVALID_HANDLE_VALUE) FailToCreate(path, ::GetLastError());
        std::size_t done = 0;
        while (done < text.size() && error == ERROR_SUCCESS) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 20));
            DWORD written = 0;
            if (!::WriteFile(file.Get(), text.data() + done, chunk, &written, nullptr) || written == 0)
                error = ::GetLastError() != ERROR_SUCCESS ? ::GetLastError() : ERROR_WRITE_FAULT;
            done += written;
        }
    }
    if (error != ERROR_SUCCESS) {
        // Half a menu would build half a menu bar.
        ::DeleteFileA(path.c_str());
        FailToCreate(path, error);
    }
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

void DeleteMenuFile(std::string_view menuFileName) {
    if (menuFileName.empty()) return;
    const std::string path = MenuFilePath(menuFileName);
    if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) ::DeleteFileA(path.c_str());
}

}  // namespace vc
