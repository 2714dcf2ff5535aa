#include <windows.h>
#include <unknwn.h>

#include <gtest/gtest.h>

#include <type_traits>

#include "ui/handles_win.h"
#include "ui/subclass_win.h"
#include "ui/timer_win.h"

namespace vc::ui {
namespace {

static_assert(!std::is_copy_constructible_v<UniqueRegion>, "owners cannot be copied");
static_assert(!std::is_copy_assignable_v<UniqueWindow>, "owners cannot be copied");
static_assert(!std::is_copy_constructible_v<WindowDc>, "owners cannot be copied");
static_assert(!std::is_copy_constructible_v<ComPtr<IUnknown>>, "owners cannot be copied");
// Windows holds pointers to these: neither copied nor moved.
static_assert(!std::is_copy_constructible_v<TWindowSubclass> && !std::is_move_constructible_v<TWindowSubclass> &&
                  !std::is_move_assignable_v<TWindowSubclass>,
              "subclasses stay where Windows saw them");
static_assert(!std::is_copy_constructible_v<TTimer> && !std::is_move_constructible_v<TTimer>,
              "timers stay where their window points");

TEST(UniqueHandle, DeletesTheRegionItOwnsAndHandsItOverOnMove) {
    HRGN region = ::CreateRectRgn(0, 0, 10, 10);
    {
        UniqueRegion owner(region);
        UniqueRegion next(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(next.Get(), region);
        EXPECT_NE(::GetObjectType(region), 0u);
    }
    EXPECT_EQ(::GetObjectType(region), 0u) << "the region outlived its owner";
}

TEST(UniqueHandle, DestroysTheWindowItOwns) {
    HWND window = ::CreateWindowExA(0, "STATIC", "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    { UniqueWindow owner(window); }
    EXPECT_FALSE(::IsWindow(window));
}

TEST(SelectedObject, PutsTheOldObjectBack) {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    const HGDIOBJ before = ::GetCurrentObject(dc.Get(), OBJ_PEN);
    {
        SelectedObject selected(dc.Get(), pen.Get());
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_PEN), pen.Get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_PEN), before);
}

}  // namespace
}  // namespace vc::ui
