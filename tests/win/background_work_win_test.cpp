#include "ui/background_work_win.h"

#include <gtest/gtest.h>

#include <atomic>

#include "effects_window_win.h"

namespace vc::ui {
namespace {

// An event the work waits for, so that the test decides when it ends.
struct Gate {
    UniqueKernelObject event{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    void Open() { ::SetEvent(event.Get()); }
    void Wait() { ::WaitForSingleObject(event.Get(), INFINITE); }
};

TEST(BackgroundWork, RunsTheWorkElsewhereAndItsEndHereThroughTheMessageLoop) {
    TBackgroundWork job;
    Gate gate;
    std::atomic<DWORD> workThread{0};
    DWORD doneThread = 0;
    ASSERT_TRUE(job.Start(
        [&] {
            gate.Wait();
            workThread = ::GetCurrentThreadId();
        },
        [&] { doneThread = ::GetCurrentThreadId(); }));
    EXPECT_TRUE(job.Running());
    EXPECT_FALSE(job.Start([] {}, [] {})) << "one job at a time";
    gate.Open();
    ::Sleep(50);
    EXPECT_EQ(doneThread, 0u) << "the end waits for the message loop";
    ASSERT_TRUE(effects::test::PumpUntil([&] { return doneThread != 0; }));
    EXPECT_EQ(doneThread, ::GetCurrentThreadId());
    EXPECT_NE(workThread.load(), ::GetCurrentThreadId());
    EXPECT_FALSE(job.Running());
    int second = 0;
    ASSERT_TRUE(job.Start([&] { second = 1; }, [&] { second = 2; })) << "the next job may start";
    EXPECT_TRUE(effects::test::PumpUntil([&] { return second == 2; }));
}

TEST(BackgroundWork, GoingAwayWaitsForTheWorkAndDropsItsEnd) {
    bool done = false;
    std::atomic<bool> finished{false};
    Gate gate;
    {
        TBackgroundWork job;
        ASSERT_TRUE(job.Start(
            [&] {
                gate.Wait();
                ::Sleep(20);
                finished = true;
            },
            [&] { done = true; }));
        gate.Open();
    }
    EXPECT_TRUE(finished) << "the work ended before its owner went";
    effects::test::Pump(50);
    EXPECT_FALSE(done);
}

}  // namespace
}  // namespace vc::ui
