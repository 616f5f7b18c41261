// Drawing one key of each type onto the image canvas, as the key pane does on every keypad
// press. The figure to watch is the time of one drawing: aim under 1 ms for every type.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "draw/key_drawer.h"
#include "draw/sample_keys.h"
#include "platform/gdi/image_canvas.h"

namespace {

constexpr double kAimMicroseconds = 1000;

const std::vector<drawtest::SampleKey>& Samples() {
    static const std::vector<drawtest::SampleKey> samples = drawtest::SampleKeys();
    return samples;
}

void BM_DrawKey(benchmark::State& state) {
    const drawtest::SampleKey& sample = Samples()[static_cast<size_t>(state.range(0))];
    platform::ImageCanvas canvas(CKeyDrawer::kCanvasWidth, CKeyDrawer::kCanvasHeight);
    CKeyDrawer drawer(canvas);
    for (auto _ : state) {
        drawer.DrawKey(sample.key, sample.bitting);
    }
    state.SetLabel(sample.name);
}
BENCHMARK(BM_DrawKey)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

class AimReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double us = run.GetAdjustedRealTime();  // in the benchmark's unit
            std::printf("  %-30s %8.1f us a drawing (aim < %.0f us) %s\n", run.report_label.c_str(),
                        us, kAimMicroseconds, us < kAimMicroseconds ? "ok" : "OVER");
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    AimReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
