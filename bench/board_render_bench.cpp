// Painting the audience board: a full repaint at 1920x1080 and 3840x2160,
// and the repaint after one score change (only the changed label's area, as
// the board window does it). Run:
//   board_render_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include "board/BoardRenderer.h"
#include "board/Kubord2.h"
#include "board/LabelMeasure.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using kestrane::BoardRenderer;
using kestrane::Kubord2;

// The design board drawn at `scale` (1.8: 1920x1080, 3.6: 3840x2160).
void fullRepaint(benchmark::State& state, double scale)
{
    kestrane::LabelMeasure measure;
    Kubord2 board;
    board.setTextMeasure(&measure);
    const BoardRenderer renderer(scale);
    QImage image(qRound(16000 / 15.0 * scale), qRound(9000 / 15.0 * scale),
                 QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        renderer.paint(p, board, image.rect());
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(QStringLiteral("%1x%2").arg(image.width()).arg(image.height()).toStdString());
}

// One score change: the label's old and new areas repainted.
void scoreChange(benchmark::State& state, double scale)
{
    kestrane::LabelMeasure measure;
    Kubord2 board;
    board.setTextMeasure(&measure);
    const BoardRenderer renderer(scale);
    QImage image(qRound(16000 / 15.0 * scale), qRound(9000 / 15.0 * scale),
                 QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&image);
        renderer.paint(p, board, image.rect());
    }
    int count = 0;
    for (auto _ : state) {
        const QRect before = renderer.damage(board.scri);
        board.scri.setCaption(QString::number(++count % 12));
        const QRect area = before.united(renderer.damage(board.scri));
        QPainter p(&image);
        renderer.paint(p, board, area);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK_CAPTURE(fullRepaint, 1920x1080, 1.8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(fullRepaint, 3840x2160, 3.6)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scoreChange, 1920x1080, 1.8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scoreChange, 3840x2160, 3.6)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
