#pragma once
// The scratch folders, runtime image and command line the pack tool's tests share.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "common/input_file.h"
#include "pack.h"
#include "scratch_folder.h"

namespace vc::pack {

namespace fs = std::filesystem;

inline void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    if (bytes.size() < at + static_cast<std::size_t>(size)) bytes.resize(at + static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// The smallest runtime the tool takes: PE32+, RCDATA SkinItem0 to SkinItem<skins - 1>, then each byte value.
inline std::string RuntimeImage(int skins = 16, std::uint32_t machine = 0x8664) {
    std::string image(0x200, '\0');
    // "MZ", the header's offset, "PE", machine, one section, optional header
    // size, PE32+, sixteen directories, the resource directory's RVA.
    for (const auto& [at, value, size] : std::vector<std::tuple<std::size_t, std::uint32_t, int>>{
             {0, 0x5A4D, 2}, {0x3C, 0x40, 4}, {0x40, 0x4550, 4}, {0x44, machine, 2}, {0x46, 1, 2}, {0x54, 240, 2},
             {0x58, 0x20B, 2}, {0x58 + 108, 16, 4}, {0x58 + 112 + 16, 0x1000, 4}})
        Put(image, at, value, size);
    // Resources: root (RCDATA) -> directory of named entries -> names.
    std::string res(0x30 + 8 * static_cast<std::size_t>(skins), '\0');
    for (const auto& [at, value, size] : std::vector<std::tuple<std::size_t, std::uint32_t, int>>{
             {14, 1, 2}, {16, 10, 4}, {20, 0x80000000u | 0x20, 4}, {0x20 + 12, static_cast<std::uint32_t>(skins), 2}})
        Put(res, at, value, size);
    for (int i = 0; i < skins; ++i) {
        const std::string name = "SkinItem" + std::to_string(i);
        Put(res, 0x30 + 8 * static_cast<std::size_t>(i), 0x80000000u | static_cast<std::uint32_t>(res.size()), 4);
        std::string text(2, '\0');
        Put(text, 0, static_cast<std::uint32_t>(name.size()), 2);
        for (char c : name) text += std::string{c, '\0'};
        res += text;
    }
    const std::size_t header = 0x58 + 240;  // the section: sizes, RVA, file offset
    image.replace(header, 5, ".rsrc");
    for (const auto& [at, value] : {std::pair{8, res.size()}, {12, 0x1000}, {16, res.size()}, {20, 0x200}})
        Put(image, header + at, static_cast<std::uint32_t>(value), 4);
    image += res;
    for (int i = 0; i < 256; ++i) image.push_back(static_cast<char>(i));
    return image;
}

// Whether `text` holds `part`; the whole text when not.
inline ::testing::AssertionResult Holds(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no \"" << part << "\" in:\n" << text;
}

// A scratch folder per test: book/book.ini with book/pages/, and a runtime.
class PackFiles : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root_ / "book" / "pages");
        Write(root_ / "book" / "pages" / "index.htm", "<html><body>Start</body></html>");
        Write(root_ / "book" / "pages" / "two.htm", "<html><body>Two</body></html>");
        runtime_ = RuntimeImage();
        file_ = BookPath().string();
        Write(RuntimePath(), runtime_);
    }

    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const fs::path& path) { return ReadWholeFile(path.string()).value_or(""); }

    fs::path BookPath() const { return root_ / "book" / "book.ini"; }
    fs::path RuntimePath() const { return root_ / "vellumcast.exe"; }
    fs::path OutPath() const { return root_ / "out" / "Book.exe"; }

    // Runs the tool's command line in-process.
    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunPack(args, out_, err_);
    }
    // Builds `book` written as the book file, with an option such as --force.
    int Build(const std::string& book, const fs::path& out, const char* option = nullptr) {
        Write(BookPath(), book);
        std::vector<std::string> args = {"build", BookPath().string(), "--runtime", RuntimePath().string(), "--out",
                                         out.string()};
        if (option) args.push_back(option);
        return Run(args);
    }
    // A build that must succeed; its messages if it did not.
    ::testing::AssertionResult Built(const std::string& book, const fs::path& out, const char* option = nullptr) {
        if (Build(book, out, option) == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << err_.str();
    }
    // The error of a build that must fail, having written nothing at all.
    std::string BuildError(const std::string& book) {
        EXPECT_EQ(Build(book, OutPath()), 1);
        EXPECT_FALSE(fs::exists(root_ / "out")) << "a failed build wrote " << (root_ / "out");
        return Trimmed(err_.str());
    }
    static std::string Trimmed(std::string text) {
        while (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }

    ScratchFolder scratch_{"vc_pack_"};
    const fs::path root_ = scratch_.Path();
    std::string file_;  // the book file's name as messages give it
    std::string runtime_;
    std::ostringstream out_;
    std::ostringstream err_;
};

}  // namespace vc::pack
