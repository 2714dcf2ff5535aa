// One full repaint of a dialog's 30 skinned controls, as the control
// skinners compose them before the copy to the screen (each control's
// background, its skin images for its state; text is the platform's),
// against a memcpy of the same pixels measured in the same run. Target:
// under 3 ms.
//
// Counters: ms is the work's time per iteration (thread CPU time); memcpy_x
// is how many times longer it takes than copying the controls' pixels once.
#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

#include "bench_reference.h"
#include "skin/look/control_painter.h"

namespace {

using vc::bench::BuiltInSkin;
using vc::bench::MemcpySeconds;
using vc::bench::ThreadSeconds;

// A print dialog's worth of controls: their client sizes and painters.
struct Control {
    int width, height;
    std::function<void(vc::Bitmap&, const vc::TSkinData&)> paint;
};

std::vector<Control> Dialog() {
    using namespace vc;
    std::vector<Control> controls;
    const auto add = [&](int n, int w, int h, std::function<void(Bitmap&, const TSkinData&)> paint) {
        for (int i = 0; i < n; ++i) controls.push_back(Control{w, h, paint});
    };
    add(6, 88, 26, [](Bitmap& b, const TSkinData& d) { PaintPushButton(b, d, b.Bounds(), PushButtonImage({})); });
    add(6, 150, 20, [](Bitmap& b, const TSkinData& d) {
        PaintCheckBox(b, d, b.Bounds(), false, CheckBoxImage(CheckMark::Checked, {}, 12));
    });
    add(4, 150, 20, [](Bitmap& b, const TSkinData& d) {
        PaintCheckBox(b, d, b.Bounds(), true, CheckBoxImage(CheckMark::Unchecked, {}, 12));
    });
    add(3, 240, 120, [](Bitmap& b, const TSkinData& d) {
        PaintGroupBox(b, d, b.Bounds(), Rect::FromSize(8, 0, 60, 14), true);
    });
    add(4, 200, 22, [](Bitmap& b, const TSkinData& d) { PaintComboBox(b, d, b.Bounds(), 1); });
    add(3, 120, 22, [](Bitmap& b, const TSkinData& d) { PaintEditBorder(b, d, b.Bounds(), 2); });
    add(2, 17, 22, [](Bitmap& b, const TSkinData& d) {
        PaintUpDownButton(b, d, Rect{0, 0, 17, 11}, false, 1);
        PaintUpDownButton(b, d, Rect{0, 11, 17, 22}, false, 5);
    });
    add(1, 300, 18, [](Bitmap& b, const TSkinData& d) { PaintProgress(b, d, b.Bounds(), 0, 100, 60, false); });
    add(1, 17, 200, [](Bitmap& b, const TSkinData& d) {
        PaintScrollBar(b, d, LayoutScrollBar(d, b.Bounds(), true, 17, 40, 90), true, ScrollBarLook{});
    });
    return controls;
}

void DialogRepaint(benchmark::State& state) {
    const auto data = BuiltInSkin(5);
    const std::vector<Control> controls = Dialog();
    std::size_t bytes = 0;
    for (const Control& c : controls) bytes += std::size_t(c.width) * c.height * sizeof(vc::Pixel);
    const vc::Pixel face = vc::PixelFromColour(data->ButtonFaceColour());
    const double start = ThreadSeconds();
    for (auto _ : state) {
        for (const Control& c : controls) {
            vc::Bitmap picture(c.width, c.height, face);
            c.paint(picture, *data);
            benchmark::DoNotOptimize(picture.Data());
        }
    }
    const double per_iteration = (ThreadSeconds() - start) / static_cast<double>(state.iterations());
    state.counters["controls"] = static_cast<double>(controls.size());
    state.counters["ms"] = per_iteration * 1e3;
    state.counters["memcpy_x"] = per_iteration / MemcpySeconds(bytes);
}
BENCHMARK(DialogRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
