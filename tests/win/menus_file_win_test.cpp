#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include "../native/book_lines.h"
#include "common/errors.h"
#include "common/temp_directory_win.h"
#include "menus/menu_file_win.h"
#include "ui/application_win.h"
#include "window/frm_apresentacao_win.h"

namespace vc {
namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Wine reports the archive bit on every regular file, whatever was set.
DWORD Attributes(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class MenuFile : public ::testing::Test {
protected:
    void TearDown() override {
        ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path_.c_str());
    }
    const std::string name_ = "QXBTAE";
    const std::string path_ = MenuFilePath(name_);
};

TEST_F(MenuFile, IsWrittenByteForByteAndHiddenOnly) {
    // 8-bit text goes out unconverted, one byte per character.
    const std::string text = "T\xEDtulo\r\n0\r\n\r\n[GERAL]\r\nMENU_0=Op\xE7\xF5""es\r\n";
    WriteMenuFile(path_, text);
    EXPECT_EQ(ReadBytes(path_), text);
    EXPECT_EQ(Attributes(path_), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));

    // A file of the same name, hidden already, is replaced as a whole.
    WriteMenuFile(path_, "short\r\n");
    EXPECT_EQ(ReadBytes(path_), "short\r\n");
    EXPECT_EQ(Attributes(path_), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(MenuFile, AFileThatCannotBeCreatedRaisesTheInOutError) {
    const std::string missing = GetTempDirectory() + "no such folder\\QXBTAE.dmt";
    try {
        WriteMenuFile(missing, "x\r\n");
        FAIL() << "no error";
    } catch (const EInOutError& error) {
        const std::string message = error.what();
        const std::string start = "Cannot create the menu file \"" + missing + "\": ";
        EXPECT_EQ(message.substr(0, start.size()), start);
        EXPECT_GT(message.size(), start.size()) << "the reason is given";
    }
    EXPECT_FALSE(Exists(missing));
}

TEST_F(MenuFile, IsDeletedOnCloseAndNothingElse) {
    WriteMenuFile(path_, "x\r\n");
    ASSERT_TRUE(Exists(path_));
    DeleteMenuFile(name_);
    EXPECT_FALSE(Exists(path_));
    DeleteMenuFile(name_);  // no file: nothing to do, no error

    // A run that never drew its letters owns no file: ".dmt" alone stays.
    const std::string bare = GetTempDirectory() + ".dmt";
    { std::ofstream(bare, std::ios::binary) << "someone else's"; }
    DeleteMenuFile("");
    EXPECT_TRUE(Exists(bare));
    ::DeleteFileA(bare.c_str());
}

std::set<std::string> MenuFilesInTemp() {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((GetTempDirectory() + "*.dmt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

// A book whose menu is on and whose start page is not beside it ended with
// its message and left its hidden menu file behind, one more at every start.
TEST(MenuFileLifetime, TheMenuFileGoesWhenTheStartPageIsMissing) {
    auto lines = testing_lines::BookLines();
    lines[0] = "Missing page";
    lines[10] = "C:\\Author\\nowhere\\index.htm";
    lines[50] = "1";
    const std::string exe = GetTempDirectory() + "vc_menu_lifetime.exe";
    testing_lines::WriteStandInBook(exe, testing_lines::JoinLines(lines) +
                                             "[GERAL]\r\nMENU_0=File\r\n[MENU]\r\nITENS_0=Exit\r\n[ACOES]\r\n"
                                             "MENUx0_0=APPLICATIONEXIT()\r\n");

    const std::set<std::string> before = MenuFilesInTemp();
    // The start-up's message box is modal: a second thread answers it.
    std::atomic<bool> done{false};
    std::atomic<int> answered{0};
    std::thread answer([&] {
        while (!done) {
            if (HWND box = ::FindWindowA("#32770", "Vellumcast")) {
                ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                ++answered;
            }
            ::Sleep(20);
        }
    });
    {
        Tform_apresentacao::Options options;
        options.exePath = exe;
        Tform_apresentacao window(std::move(options));
        EXPECT_TRUE(ui::Application().Terminated()) << "the missing page ends the run";
        EXPECT_EQ(MenuFilesInTemp(), before) << "the menu file outlived the run";
    }
    done = true;
    answer.join();
    EXPECT_GE(answered.load(), 1) << "the missing page's message was shown";
    MSG quit;
    ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    ui::Application().SetMainForm(nullptr);
    ::DeleteFileA(exe.c_str());
}

}  // namespace
}  // namespace vc
