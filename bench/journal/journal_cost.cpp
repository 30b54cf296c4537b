// What keeping the match on disk costs the console's thread, and whether it
// disturbs the clock.
//
//   journal_cost [--runs N]
//
// 1. Per change: the time a change takes on the console's thread with the
//    journal watching, against the same change unwatched; and the work of
//    one coalesced write on that thread (taking the values and handing them
//    to the writing thread), median and 99th percentile.
// 2. The end of a 0:10 match from Start (ideal 10.000 s) with a change
//    every 100 ms, each one written, with and without the journal.
// A measurement, not a pass/fail test.
#include "QuietPorts.h"
#include "console/Kumite2.h"
#include "console/MatchJournal.h"
#include "platform/TimerDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kestrane;
using kestrane::bench::NoFiles;
using kestrane::bench::NoMessages;
using kestrane::bench::NoWindows;
using kestrane::bench::OneScreen;

namespace {

class EndSound final : public SoundPort {
public:
    void play(Sound sound, const QString&) override
    {
        if (sound == Sound::End && onEnd)
            onEnd();
    }
    std::function<void()> onEnd;
};

struct Console {
    EndSound sound;
    NoMessages messages;
    NoFiles files;
    OneScreen screens;
    NoWindows windows;
    QTemporaryDir dir;
    Kumite2 k{{sound, messages, files, screens, windows}, dir.path()};
};

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

// Nanoseconds per change of a penalty box and back, with the journal
// watching or not.
double perChange(bool watched)
{
    Console c;
    c.k.state.eindwav.setText(QStringLiteral("end"));
    c.k.boardOpening.startbord();
    MatchJournal journal(c.k, c.dir.filePath(QStringLiteral("match.json")));
    if (watched)
        journal.start();
    constexpr int kChanges = 20000;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kChanges; ++i)
        c.k.state.Text1.setText(QString::number(i % 9 + 1));
    return static_cast<double>(t.nsecsElapsed()) / kChanges;
}

double endOfMatch(bool journaled)
{
    Console c;
    MatchState& s = c.k.state;
    s.eindwav.setText(QStringLiteral("end"));
    s.Text5.setText(QStringLiteral("0"));
    s.Text6.setText(QStringLiteral("10"));
    c.k.clock.resett();
    c.k.boardOpening.startbord();
    TimerDriver timers({&s.Timer1, &s.Timer2, &s.Timer3, &s.Timer4});
    MatchJournal journal(c.k, c.dir.filePath(QStringLiteral("match.json")));
    if (journaled)
        journal.start();
    QEventLoop loop;
    QElapsedTimer clock;
    qint64 endNs = -1;
    c.sound.onEnd = [&] {
        endNs = clock.nsecsElapsed();
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
    };
    QTimer changes;
    changes.setTimerType(Qt::PreciseTimer);
    int n = 0;
    QObject::connect(&changes, &QTimer::timeout,
                     [&] { s.Text1.setText(QString::number(++n % 9 + 1)); });
    QTimer::singleShot(0, &loop, [&] {
        clock.start();
        s.Command3.click();
        changes.start(100);
    });
    loop.exec();
    changes.stop();
    timers.shutdown();
    journal.writer().flush();
    std::printf("  %s: end at %+.3f ms, %d file writes\n", journaled ? "journal" : "none   ",
                endNs / 1e6 - 10000.0, journal.writer().writes());
    return endNs / 1e6 - 10000.0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int runs = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs"))
            runs = std::max(1, args[++i].toInt());
    }

    const double plain = perChange(false);
    const double watched = perChange(true);
    std::printf("a change on the console's thread: %.0f ns unwatched, %.0f ns watched (+%.0f ns)\n",
                plain, watched, watched - plain);

    // One coalesced write's share of the console's thread, as the journal
    // does it: take the values, hand them over.
    Console c;
    c.k.state.eindwav.setText(QStringLiteral("end"));
    c.k.boardOpening.startbord();
    MatchJournal journal(c.k, c.dir.filePath(QStringLiteral("match.json")));
    std::vector<double> us;
    for (int i = 0; i < 2000; ++i) {
        QElapsedTimer t;
        t.start();
        journal.writer().write(
            [snap = MatchJournal::capture(c.k)] { return MatchJournal::encode(snap); });
        us.push_back(static_cast<double>(t.nsecsElapsed()) / 1000.0);
        if (i % 50 == 0)
            journal.writer().flush();
    }
    journal.writer().flush();
    std::printf("one write on the console's thread: median %.1f us, p99 %.1f us (%d of 2000 "
                "reached the disk)\n",
                percentile(us, 0.5), percentile(us, 0.99), journal.writer().writes());

    std::vector<double> with;
    std::vector<double> without;
    for (int r = 0; r < runs; ++r) {
        without.push_back(endOfMatch(false));
        with.push_back(endOfMatch(true));
    }
    std::printf("end of a 0:10 match, a change every 100 ms: median %+.3f ms with the journal, "
                "%+.3f ms without\n",
                percentile(with, 0.5), percentile(without, 0.5));
    return 0;
}
