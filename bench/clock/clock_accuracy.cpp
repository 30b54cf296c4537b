// How far from the ideal moment the end of a match arrives: the real match
// clock (Timer1 through the TimerDriver's precise QTimer, in a real event
// loop) runs a 1:30 match from Start; the end of the match is the moment the
// 0:00 step requests the end sound. Ideal: exactly 90.000 s after Start.
//
//   clock_accuracy [--short] [--runs N] [--mode idle|busy|both]
//
// --short runs a 0:10 match (ideal 10.000 s) for quick checks. "busy" keeps
// one core spinning in a second thread while the clock runs. Prints every
// run and the median per mode; it is a measurement, not a pass/fail test.
#include "QuietPorts.h"
#include "console/Kumite2.h"
#include "platform/TimerDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

using namespace kestrane;

namespace {

using kestrane::bench::NoFiles;
using kestrane::bench::NoMessages;
using kestrane::bench::NoWindows;
using kestrane::bench::OneScreen;

// Ports that do nothing but note when the two sounds are asked for.
class TimingSound final : public SoundPort {
public:
    void play(Sound sound, const QString&) override
    {
        const qint64 t = clock ? clock->nsecsElapsed() : -1;
        if (sound == Sound::End) {
            endNs = t;
            if (onEnd)
                onEnd();
        } else {
            warningNs = t;
        }
    }
    const QElapsedTimer* clock = nullptr;
    qint64 endNs = -1;
    qint64 warningNs = -1;
    std::function<void()> onEnd;
};

struct Run {
    double endMs;     // Start to the end of the match
    double warningMs; // Start to the 30-second warning (-1: none)
    double worstTickLateMs;
};

Run runMatch(const QString& minutes, const QString& seconds)
{
    TimingSound sound;
    NoMessages messages;
    NoFiles files;
    OneScreen screens;
    NoWindows windows;
    Kumite2 k({sound, messages, files, screens, windows}, QCoreApplication::applicationDirPath());
    MatchState& s = k.state;
    s.eindwav.setText(QStringLiteral("end"));
    s.waarwav.setText(QStringLiteral("warning"));
    s.Text5.setText(minutes);
    s.Text6.setText(seconds);
    k.clock.resett();
    TimerDriver timers({&s.Timer1, &s.Timer2, &s.Timer3, &s.Timer4});

    QElapsedTimer clock;
    sound.clock = &clock;
    QEventLoop loop;
    sound.onEnd = [&loop] { QTimer::singleShot(0, &loop, &QEventLoop::quit); };

    // Each tick's lateness against its ideal second.
    double worstLate = 0;
    int ticks = 0;
    const int tickObserver = s.Label3.addObserver([&](const Element&, Property p) {
        if (p != Property::Caption)
            return;
        ++ticks;
        const double late = clock.nsecsElapsed() / 1e6 - ticks * 1000.0;
        worstLate = std::max(worstLate, late);
    });

    QTimer::singleShot(0, &loop, [&] {
        clock.start();
        s.Command3.click();
    });
    loop.exec();
    s.Label3.removeObserver(tickObserver);
    timers.shutdown();
    return {sound.endNs / 1e6, sound.warningNs >= 0 ? sound.warningNs / 1e6 : -1, worstLate};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    bool shortRun = false;
    int runs = 3;
    QString mode = QStringLiteral("both");
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--short"))
            shortRun = true;
        else if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--mode") && i + 1 < args.size())
            mode = args[++i];
    }
    const QString minutes = shortRun ? QStringLiteral("0") : QStringLiteral("1");
    const QString seconds = shortRun ? QStringLiteral("10") : QStringLiteral("30");
    const double idealMs = shortRun ? 10000.0 : 90000.0;

    std::printf("match %s:%s, ideal end %.3f s after Start, %d run(s) per mode, %u hardware "
                "threads\n",
                qPrintable(minutes), qPrintable(seconds), idealMs / 1000, runs,
                std::thread::hardware_concurrency());

    QStringList modes;
    if (mode == QLatin1String("both"))
        modes << QStringLiteral("idle") << QStringLiteral("busy");
    else
        modes << mode;

    for (const QString& m : modes) {
        std::atomic<bool> stop{false};
        std::thread spinner;
        if (m == QLatin1String("busy")) {
            spinner = std::thread([&stop] {
                volatile unsigned long long n = 0;
                while (!stop.load(std::memory_order_relaxed))
                    n = n + 1;
            });
        }
        std::vector<double> offsets, worst;
        for (int r = 0; r < runs; ++r) {
            const Run run = runMatch(minutes, seconds);
            const double offset = run.endMs - idealMs;
            offsets.push_back(offset);
            worst.push_back(run.worstTickLateMs);
            const QString warning = run.warningMs < 0
                                        ? QStringLiteral("none")
                                        : QString::number(run.warningMs, 'f', 3) + " ms";
            std::printf("%s run %d: end %.3f ms after Start (%+.3f ms), warning at %s, "
                        "latest tick %+.3f ms\n",
                        qPrintable(m), r + 1, run.endMs, offset, qPrintable(warning),
                        run.worstTickLateMs);
            std::fflush(stdout);
        }
        stop = true;
        if (spinner.joinable())
            spinner.join();
        std::printf("%s: median end offset %+.3f ms, median latest tick %+.3f ms\n", qPrintable(m),
                    median(offsets), median(worst));
        std::fflush(stdout);
    }
    return 0;
}
