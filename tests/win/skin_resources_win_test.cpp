#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "skin/skin_resources_win.h"

namespace vc {
namespace {

// tests/win/test_resources_win.rc gives this program two skin items and a
// gap after them.
TEST(StoredSkins, ItemsComeFromTheResourcesInOrderUpToTheFirstGap) {
    TSkinStore store;
    LoadStoredSkins(store);
    ASSERT_EQ(store.Store().Count(), 2u);
    EXPECT_EQ(store.Store().Item(0).Name(), "SkinItem0");
    EXPECT_EQ(store.Store().Item(1).Name(), "SkinItem1");
    const auto& data = store.Store().Item(1).DataStream();
    EXPECT_EQ(std::string(data.begin(), data.end()), "second test skin");
    EXPECT_EQ(store.Store().FindByName("SkinItem3"), nullptr) << "items after a gap are not read";
}

TEST(StoredSkins, AModuleWithoutSkinsGivesAnEmptyStore) {
    TSkinStore store;
    store.Store().Add();
    LoadStoredSkins(store, ::GetModuleHandleA("kernel32.dll"));
    EXPECT_EQ(store.Store().Count(), 0u);
}

}  // namespace
}  // namespace vc
