#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "common/errors.h"
#include "effects_window_win.h"
#include "runtime/payload.h"

namespace vc {
namespace {

TEST(PayloadOnWindows, ACopyOfTheExecutableWithAppendedPayloadReadsBack) {
    const std::string copy = effects::test::TempPath("vc_payload_copy.exe");
    ASSERT_TRUE(::CopyFileA(effects::test::BesideTests("vc_win_tests.exe").c_str(), copy.c_str(), FALSE));
    std::ifstream in(copy, std::ios::binary);
    const std::string runtime((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string text = "Windows book\r\n1\r\n";
    PayloadTrailer trailer;
    trailer.offset = static_cast<std::int32_t>(runtime.size());
    trailer.size = static_cast<std::int32_t>(text.size());
    const auto bytes = trailer.Encode();
    {
        std::ofstream out(copy, std::ios::binary | std::ios::app);
        out << text;
        out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    const TPayload payload(copy);
    ASSERT_TRUE(payload.HasPayload());
    std::string read(static_cast<std::size_t>(payload.GetPayloadSize()), '\0');
    payload.ReadPayload(read.data());
    EXPECT_EQ(read, text);
    // Each operation closed the file again, so it can be deleted now.
    EXPECT_TRUE(::DeleteFileA(copy.c_str()));
}

}  // namespace
}  // namespace vc
