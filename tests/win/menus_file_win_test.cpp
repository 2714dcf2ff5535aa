#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "common/errors.h"
#include "common/temp_directory_win.h"
#include "menus/menu_file_win.h"

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

TEST_F(MenuFile, TempDirectoryIsThePlatformsWithItsBackslash) {
    char expected[MAX_PATH + 1] = {};
    ASSERT_GT(::GetTempPathA(sizeof(expected), expected), 0u);
    const std::string directory = GetTempDirectory();
    EXPECT_EQ(directory, expected);
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), '\\');
    EXPECT_EQ(path_, directory + "QXBTAE.dmt");
}

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

}  // namespace
}  // namespace vc
