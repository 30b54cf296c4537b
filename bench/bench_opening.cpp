// Opening the audience board: startbord on the model alone (rebuild, rule
// set, laaddata, scaling), with the label measure the views lend it, and
// from the click on "Start Scoreboard" to the board's first paint on the
// second screen of an offscreen desktop.
#include "board/BoardPresenter.h"
#include "board/BoardWindow.h"
#include "board/LabelMeasure.h"
#include "support/TestConsole.h"

#include <QApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

using kestrane::test::TestConsole;

namespace {

void useAudienceScreen(TestConsole& c, int w, int h)
{
    c.ports.screens.all = {{{0, 0, 1280, 800}, {0, 0, 1280, 800}, true},
                           {{1280, 0, w, h}, {1280, 0, w, h}, false}};
}

void BM_startbordModel(benchmark::State& state)
{
    TestConsole c;
    useAudienceScreen(c, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    c.s.Check1.setValue(1);
    for (auto _ : state) {
        c.k.boardOpening.startbord();
        benchmark::DoNotOptimize(c.k.boards.currentOrNewHidden().scri.left());
    }
}
BENCHMARK(BM_startbordModel)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

// As the program runs it: every font change measures the label's text.
void BM_startbordMeasured(benchmark::State& state)
{
    TestConsole c;
    kestrane::LabelMeasure measure;
    c.k.boards.setTextMeasure(&measure);
    useAudienceScreen(c, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        c.k.boardOpening.startbord();
        benchmark::DoNotOptimize(c.k.boards.currentOrNewHidden().scri.width());
    }
    c.k.boards.close();
}
BENCHMARK(BM_startbordMeasured)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMicrosecond);

// Counts the paint events a window receives.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Click to first paint: the window is created, placed on the second screen
// of the offscreen desktop (1920 x 1080), exposed and painted once.
void BM_clickToFirstPaint(benchmark::State& state)
{
    TestConsole c;
    kestrane::BoardPresenter presenter(c.k.boards);
    PaintCounter counter;
    for (auto _ : state) {
        const int before = counter.paints;
        c.s.command1.click();
        presenter.window()->installEventFilter(&counter);
        // The window paints once the platform has exposed it.
        while (counter.paints == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        state.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    // One paint per opening, or the number above measures nothing.
    state.counters["paints"] = static_cast<double>(counter.paints) / state.iterations();
    c.k.boards.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_clickToFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            "offscreen:configfile=" KESTRANE_TEST_SUPPORT_DIR "/two-screens.json");
    qputenv("QT_QPA_OFFSCREEN_NO_GLX", "1");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
