#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "effects_window_win.h"
#include "skin/skin_bitmap_win.h"
#include "skin/skin_data.h"
#include "skin/skin_resources_win.h"

namespace {

// The runtime beside this test program, loaded for its resources only.
class RuntimeResources : public ::testing::Test {
protected:
    void SetUp() override {
        runtime_ = ::LoadLibraryExA(vc::effects::test::BesideTests("vellumcast.exe").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_TRUE(runtime_) << "vellumcast.exe is not beside the tests";
    }
    void TearDown() override {
        if (runtime_) ::FreeLibrary(runtime_);
    }
    HMODULE runtime_ = nullptr;
};

// The tool bar strips are checked at every scale with the scale tests.

TEST_F(RuntimeResources, TheProgramIconComesInSmallAndLargeSizes) {
    for (int size : {16, 32, 48, 256}) {
        auto* icon = static_cast<HICON>(::LoadImageA(runtime_, "MAINICON", IMAGE_ICON, size, size, 0));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP colour{};
        ::GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}

// A book picks its skin by number from these: all sixteen must be there and
// each must load as the window loads it.
TEST_F(RuntimeResources, TheStoreCarriesSixteenSkinsThatLoadByNumber) {
    vc::TSkinStore store;
    vc::LoadStoredSkins(store, runtime_);
    ASSERT_EQ(store.Store().Count(), 16u);
    std::set<std::string> names;
    for (int n = 0; n < 16; ++n) {
        vc::TSkinData data;
        data.Environment = vc::WindowsSkinEnvironment();
        data.LoadFromStore(store, n);
        EXPECT_FALSE(data.Loading()) << "skin " << n << " did not load";
        EXPECT_TRUE(names.insert(data.SkinName()).second) << "skin " << n << " repeats " << data.SkinName();
    }
}

}  // namespace

