#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "../native/book_lines.h"
#include "book/payload.h"
#include "effects_window_win.h"
#include "skin/win/skin_bitmap_win.h"
#include "skin/look/skin_data.h"
#include "skin/win/skin_resources_win.h"

namespace vc {
namespace {

// A book picks its skin by number from the runtime's resources: all sixteen
// must be there, each loading as the window loads it. (The icon file is
// checked natively, the tool bar strips with the scale tests.)
TEST(RuntimeResources, TheStoreCarriesSixteenSkinsThatLoadByNumber) {
    const HMODULE runtime = ::LoadLibraryExA(effects::test::BesideTests("vellumcast.exe").c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(runtime) << "vellumcast.exe is not beside the tests";
    TSkinStore store;
    LoadStoredSkins(store, runtime);
    ASSERT_EQ(store.Store().Count(), 16u);
    std::set<std::string> names;
    for (int n = 0; n < 16; ++n) {
        TSkinData data;
        data.Environment = WindowsSkinEnvironment();
        data.LoadFromStore(store, n);
        EXPECT_FALSE(data.Loading()) << "skin " << n << " did not load";
        EXPECT_TRUE(names.insert(data.SkinName()).second) << "skin " << n << " repeats " << data.SkinName();
    }
    ::FreeLibrary(runtime);
}

// tests/win/test_resources_win.rc gives this program two skin items, then a gap.
TEST(StoredSkins, ItemsComeFromTheResourcesInOrderUpToTheFirstGap) {
    TSkinStore store;
    LoadStoredSkins(store);
    ASSERT_EQ(store.Store().Count(), 2u);
    EXPECT_EQ(store.Store().Item(0).Name(), "SkinItem0");
    const auto& data = store.Store().Item(1).DataStream();
    EXPECT_EQ(std::string(data.begin(), data.end()), "second test skin");
    EXPECT_EQ(store.Store().FindByName("SkinItem3"), nullptr) << "items after a gap are not read";

    // A module without skins gives an empty store.
    LoadStoredSkins(store, ::GetModuleHandleA("kernel32.dll"));
    EXPECT_EQ(store.Store().Count(), 0u);
}

// Windows cannot delete an open file: each read of the payload closes the book.
TEST(PayloadOnWindows, EachReadClosesTheBookAgain) {
    const std::string book = effects::test::TempPath("vc_payload_book.exe");
    testing_lines::WriteStandInBook(book, "Windows book\r\n1\r\n");
    const TPayload payload(book);
    ASSERT_TRUE(payload.HasPayload());
    std::string read(static_cast<std::size_t>(payload.GetPayloadSize()), '\0');
    payload.ReadPayload(read.data());
    EXPECT_EQ(read, "Windows book\r\n1\r\n");
    EXPECT_TRUE(::DeleteFileA(book.c_str()));
}

}  // namespace
}  // namespace vc
