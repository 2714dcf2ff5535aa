#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common/input_file.h"

namespace vc {
namespace {

TEST(InputFile, ReadsEveryByteAndRefusesWhatIsNotThere) {
    const std::string path = ::testing::TempDir() + "vc_input_file.bin";
    // Zero bytes, line ends of every kind and more than one read's piece.
    const std::string bytes = std::string("a\0b\r\nc\rd\n", 9) + std::string(40000, '\xFF') + "end";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    EXPECT_EQ(ReadWholeFile(path), bytes);

    InputFile file(path);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Size(), static_cast<std::int64_t>(bytes.size()));
    char tail[3];
    EXPECT_TRUE(file.ReadAt(static_cast<std::int64_t>(bytes.size()) - 3, tail, 3));
    EXPECT_EQ(std::string(tail, 3), "end");
    EXPECT_FALSE(file.ReadAt(static_cast<std::int64_t>(bytes.size()) - 2, tail, 3)) << "one byte short";
    EXPECT_FALSE(file.ReadAt(-1, tail, 1));
    // Reads after a failed one start afresh.
    EXPECT_TRUE(file.ReadAt(2, tail, 1));
    EXPECT_EQ(tail[0], 'b');
    std::remove(path.c_str());

    std::ofstream(path, std::ios::binary | std::ios::trunc).close();
    EXPECT_EQ(ReadWholeFile(path), std::string());
    std::remove(path.c_str());

    InputFile missing(path);
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.Size(), -1);
    EXPECT_FALSE(missing.ReadAt(0, tail, 1));
    EXPECT_FALSE(ReadWholeFile(path));
    EXPECT_FALSE(ReadWholeFile(::testing::TempDir())) << "a folder has no content";
}

}  // namespace
}  // namespace vc
