// The live board feed under load, on loopback: 200 WebSocket clients of
// /live and 50 HTTP clients polling /state every 100 ms, while the real
// match clock (precise QTimer through the TimerDriver) runs a 1:30 match and
// a waza-ari is scored every 2.5 s, the board shown at 1920 x 1080.
//
//   feed_load [--ws 200] [--http 50] [--short] [--nice] [--hostile]
//
// --hostile adds a third process, niced with the clients under --nice, that
// attacks the feed for the whole match: slowloris heads, up to 1,000
// WebSocket connections that never read, a flood of new window sizes
// (/state, 60 a second, and 15 held /live sizes) and upgrade attempts of
// every kind (about 5,000 over the match).
//
// The console and feed run in a child process ("--serve"), the clients in
// this one, so the console's CPU and memory are its own. Reports the time
// from each change on the console to its arrival at every client (median,
// 99th percentile, worst, missed), the console process's CPU and peak
// memory, and the clock's end error.
//
// The console's board window is a real one (offscreen, 1920 x 1080): for
// each change, the time from the change to the end of the first paint after
// it, and each paint's own duration. Under tests/e2e/session.sh (a sound
// server with a null sink) the console also plays its sounds through the real
// player, a warning or end sound every few seconds and the match's own end
// sound, and reports from each request to the first loud sample on the sink,
// less a reference written straight to the sound server (the recorder's
// share), as bench/sound/sound_latency does:
//
//   tests/e2e/session.sh -- build/bench/bench/feed/feed_load --short --hostile
//
// A measurement, not a pass/fail test.
#include "QuietPorts.h"
#include "SoundRecorder.h"
#include "board/BoardPresenter.h"
#include "board/BoardWindow.h"
#include "console/Kumite2.h"
#include "feed/FeedHttpServer.h"
#include "feed/FeedService.h"
#include "platform/QtSoundPort.h"
#include "platform/TimerDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPaintEvent>
#include <QPointer>
#include <QProcess>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>

#include <sys/resource.h>

#include <ctime>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

using namespace kestrane;

namespace {

using kestrane::bench::NoFiles;
using kestrane::bench::NoMessages;
using kestrane::bench::NoWindows;
using kestrane::bench::OneScreen;

qint64 now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What identifies a change: the clock digits and the four scores.
const char* const kKeyElements[] = {"Label5", "Label6", "Label8", "scri", "scrw", "scwi", "scww"};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * (v.size() - 1) + 0.5))];
}

// The console's sounds: each request noted, then played by the real player
// when there is one.
class Sounds final : public SoundPort {
public:
    void play(SoundPort::Sound sound, const QString& path) override
    {
        if (sound == SoundPort::Sound::End && onEnd)
            onEnd();
        request(sound, path);
    }
    // A request of the bench's own, not the match's.
    void request(SoundPort::Sound sound, const QString& path)
    {
        if (requested)
            requested();
        if (player)
            player->play(sound, path);
    }
    std::function<void()> onEnd;
    std::function<void()> requested;
    std::unique_ptr<QtSoundPort> player;
};

qint64 threadNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Each paint of the board window: when it began and ended, and whether it
// covered the whole window.
class PaintClock final : public QObject {
public:
    struct Paint {
        qint64 start;
        qint64 end;
        qint64 cpuNs; // the console thread's own CPU time in it
        bool full;
    };
    std::vector<Paint> paints;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Paint || m_inside)
            return false;
        const auto* w = static_cast<QWidget*>(o);
        const bool full =
            QRegion(w->rect()).subtracted(static_cast<QPaintEvent*>(e)->region()).isEmpty();
        const qint64 start = now();
        const qint64 cpu = threadNs();
        m_inside = true;
        o->event(e); // the window's own paint, inside the repaint Qt set up
        m_inside = false;
        paints.push_back({start, now(), threadNs() - cpu, full});
        return true;
    }

private:
    bool m_inside = false;
};

// For each change, the first paint that began after it; and the paints' own
// durations.
void reportPaints(const std::vector<PaintClock::Paint>& paints,
                  const std::vector<std::pair<QString, qint64>>& changes, QSize size)
{
    std::vector<double> partial, full, delay, partialCpu, fullCpu;
    for (const PaintClock::Paint& p : paints) {
        (p.full ? full : partial).push_back((p.end - p.start) / 1e6);
        (p.full ? fullCpu : partialCpu).push_back(p.cpuNs / 1e6);
    }
    int unshown = 0;
    int late = 0;
    for (const auto& change : changes) {
        const auto p = std::find_if(paints.begin(), paints.end(), [&](const PaintClock::Paint& q) {
            return q.start >= change.second;
        });
        if (p == paints.end()) {
            ++unshown;
            continue;
        }
        delay.push_back((p->end - change.second) / 1e6);
        late += delay.back() > 16.7;
    }
    std::printf(
        "REPORT board window %dx%d: %zu changes, change to the end of the paint that shows "
        "it median %.2f ms, p99 %.2f ms, worst %.2f ms, %d over 16.7 ms, %d never painted\n",
        size.width(), size.height(), changes.size(), percentile(delay, 0.5),
        percentile(delay, 0.99), percentile(delay, 1.0), late, unshown);
    std::printf("REPORT board window paints (wall time; the console thread's CPU time): %zu "
                "partial, median %.3f ms (%.3f), p99 %.3f ms (%.3f), worst %.3f ms (%.3f); %zu "
                "full, median %.3f ms (%.3f), worst %.3f ms (%.3f)\n",
                partial.size(), percentile(partial, 0.5), percentile(partialCpu, 0.5),
                percentile(partial, 0.99), percentile(partialCpu, 0.99), percentile(partial, 1.0),
                percentile(partialCpu, 1.0), full.size(), percentile(full, 0.5),
                percentile(fullCpu, 0.5), percentile(full, 1.0), percentile(fullCpu, 1.0));
}

int serve(bool shortMatch)
{
    Sounds sound;
    NoMessages messages;
    NoFiles files;
    OneScreen screens;
    NoWindows windows;
    Kumite2 k({sound, messages, files, screens, windows}, QCoreApplication::applicationDirPath());
    BoardPresenter presenter(k.boards); // the board's real window
    MatchState& s = k.state;
    s.eindwav.setText(QStringLiteral("end"));
    s.ippon.setText(QStringLiteral("99")); // scoring never ends the match
    s.Text5.setText(QLatin1String(shortMatch ? "0" : "1"));
    s.Text6.setText(QLatin1String(shortMatch ? "20" : "30"));
    k.clock.resett();
    s.command1.click(); // the board, shown
    const QPointer<BoardWindow> window = presenter.window();
    if (!window)
        return 1;
    // The offscreen screen is smaller than the board's 1920 x 1080.
    window->showNormal();
    window->setGeometry(0, 0, 1920, 1080);
    PaintClock paintClock;
    window->installEventFilter(&paintClock);
    // During the match the whole board is also repainted every 2 s (as when
    // it opens again), to see full repaints under the load too.
    QTimer fullRepaint;
    QObject::connect(&fullRepaint, &QTimer::timeout, window, [&] { window->update(); });
    const QSize shownSize = window->size();
    TimerDriver timers({&s.Timer1, &s.Timer2, &s.Timer3, &s.Timer4});
    std::unique_ptr<FeedService> feed =
        FeedService::start({k.state, k.competitors, k.boards}, QStringLiteral("127.0.0.1:0"));
    if (!feed)
        return 1;
    std::printf("PORT %d\n", feed->port());
    std::fflush(stdout);

    // Each change of the board's key elements, with its moment.
    Kubord2& b = *k.boards.current();
    std::vector<std::pair<QString, qint64>> changes;
    auto key = [&b] {
        QStringList parts;
        for (const char* n : kKeyElements)
            parts << b.find(QLatin1String(n))->caption();
        return parts.join(QLatin1Char('|'));
    };
    for (const char* n : kKeyElements) {
        b.find(QLatin1String(n))->addObserver([&](const Element&, Property p) {
            if (p == Property::Caption)
                changes.emplace_back(key(), now());
        });
    }

    QElapsedTimer clock;
    double endMs = -1;

    // Sounds, when a sound server is there: the real player, and the
    // recorder on the sink's monitor.
    QTemporaryDir soundDir;
    QElapsedTimer soundClock;
    soundClock.start();
    const auto soundMs = [&soundClock] { return soundClock.nsecsElapsed() / 1e6; };
    std::unique_ptr<bench::Recorder> recorder;
    QProcess reference;
    const QByteArray endPcm = bench::tonePcm(660);
    std::vector<double> heard, references;
    int requests = 0;
    if (qEnvironmentVariableIsSet("PA_SINK")) {
        bench::writeWav(soundDir.filePath(QStringLiteral("end.wav")), endPcm);
        bench::writeWav(soundDir.filePath(QStringLiteral("warning.wav")), bench::tonePcm(1320));
        sound.player = std::make_unique<QtSoundPort>(soundDir.path());
        s.eindwav.setText(soundDir.filePath(QStringLiteral("end.wav")));
        s.waarwav.setText(soundDir.filePath(QStringLiteral("warning.wav")));
        sound.player->follow(SoundPort::Sound::End, s.eindwav);
        sound.player->follow(SoundPort::Sound::Warning, s.waarwav);
        reference.start(QStringLiteral("pacat"),
                        {QStringLiteral("--latency-msec=2"), QStringLiteral("--raw"),
                         QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                         QStringLiteral("--rate=48000")});
        if (!reference.waitForStarted())
            return 1;
        recorder = std::make_unique<bench::Recorder>(soundClock);
        sound.requested = [&] {
            ++requests;
            recorder->arm(soundMs(), [&](double ms) {
                if (!std::isnan(ms))
                    heard.push_back(ms);
            });
        };
    }
    // Twenty times over the match: the console's resident memory, its live
    // clients and the bytes of states it holds for them unsent.
    QStringList samples;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        QFile f(QStringLiteral("/proc/self/status"));
        f.open(QIODevice::ReadOnly);
        const QByteArray st = f.readAll();
        const qsizetype at = st.indexOf("VmRSS:");
        const double rssMiB =
            st.mid(at + 6, st.indexOf('\n', at) - at - 6).trimmed().split(' ').value(0).toDouble() /
            1024;
        samples << QStringLiteral("%1 s %2/%3/%4")
                       .arg(clock.elapsed() / 1000)
                       .arg(rssMiB, 0, 'f', 1)
                       .arg(feed->http().liveClients())
                       .arg(feed->http().bufferedBytes() / 1024);
    });
    // Every 1.3 s, in turn: a reference tone, a warning request, an end
    // request; none in the match's last 2.5 s, so its own end sound is heard
    // alone.
    QTimer soundSteps;
    int step = 0;
    const qint64 matchMs = shortMatch ? 20000 : 90000;
    QObject::connect(&soundSteps, &QTimer::timeout, [&] {
        if (clock.elapsed() > matchMs - 2500)
            return;
        switch (step++ % 3) {
        case 0:
            recorder->arm(soundMs(), [&](double ms) {
                if (!std::isnan(ms))
                    references.push_back(ms);
            });
            reference.write(endPcm);
            break;
        case 1:
            sound.request(SoundPort::Sound::Warning, s.waarwav.text());
            break;
        default:
            sound.request(SoundPort::Sound::End, s.eindwav.text());
        }
    });
    sound.onEnd = [&] {
        endMs = clock.nsecsElapsed() / 1e6;
        // The last pushes; exit, not quit: the board window refuses to close.
        QTimer::singleShot(1000, qApp, [] { QCoreApplication::exit(0); });
    };
    QTimer scoring;
    int presses = 0;
    QObject::connect(&scoring, &QTimer::timeout,
                     [&] { (presses++ % 2 ? s.NihonB : s.Command8).click(); });
    // Start when the clients say so (a line on standard input); serve them
    // meanwhile.
    QSocketNotifier go(0, QSocketNotifier::Read);
    QObject::connect(&go, &QSocketNotifier::activated, qApp, [&] {
        go.setEnabled(false);
        clock.start();
        s.Command3.click();
        scoring.start(2500);
        if (recorder)
            soundSteps.start(1300);
        sampler.start(static_cast<int>(matchMs / 20));
        paintClock.paints.clear(); // the board's first paint is not under load
        fullRepaint.start(2000);
    });
    qApp->exec();

    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    const double cpu = use.ru_utime.tv_sec + use.ru_utime.tv_usec / 1e6 + use.ru_stime.tv_sec +
                       use.ru_stime.tv_usec / 1e6;
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    const QByteArray st = status.readAll();
    const qsizetype hwm = st.indexOf("VmHWM:");
    std::printf("END %.3f\nCPU %.3f %.3f\nMEM %s\n", endMs, cpu, clock.nsecsElapsed() / 1e9,
                st.mid(hwm + 6, st.indexOf('\n', hwm) - hwm - 6).trimmed().constData());
    for (const auto& [k2, t] : changes)
        std::printf("CHANGE %lld %s\n", static_cast<long long>(t), qPrintable(k2));
    const FeedHttpServer::Costs& c = feed->http().costs();
    std::printf("FEEDCOST %lld %.3f %.3f %lld %.3f %.3f\n", static_cast<long long>(c.changes),
                c.changes ? c.changeNs / 1e6 / c.changes : 0.0, c.changeMaxNs / 1e6,
                static_cast<long long>(c.requests),
                c.requests ? c.requestNs / 1e6 / c.requests : 0.0, c.requestMaxNs / 1e6);
    if (window != presenter.window())
        std::printf("REPORT the board window was replaced during the match\n");
    reportPaints(paintClock.paints, changes, shownSize);
    std::printf("REPORT console over the match (resident MiB/live clients/unsent KiB): %s\n",
                qPrintable(samples.join(QStringLiteral(", "))));
    if (recorder) {
        const double share = percentile(references, 0.5);
        std::printf("REPORT sounds: %zu of %d requests heard, request to the first loud sample "
                    "median %.1f ms, worst %.1f ms; recorder's share (reference, %zu heard) "
                    "median %.1f ms; program's share median %.1f ms, worst %.1f ms\n",
                    heard.size(), requests, percentile(heard, 0.5), percentile(heard, 1.0),
                    references.size(), share, percentile(heard, 0.5) - share,
                    percentile(heard, 1.0) - share);
        reference.kill();
        reference.waitForFinished();
    } else {
        std::printf("REPORT sounds: not measured (no PA_SINK: run under tests/e2e/session.sh)\n");
    }
    std::fflush(stdout);
    timers.shutdown();
    return 0;
}

// The hostile mix, until killed.
int attack(quint16 port)
{
    const QByteArray host = "Host: 127.0.0.1:" + QByteArray::number(port) + "\r\n";
    const auto upgrade = [&](const QByteArray& query, const QByteArray& more) {
        return "GET /live" + query + " HTTP/1.1\r\n" + host +
               "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n" +
               more + "\r\n";
    };
    // Keeps `count` connections of one kind open, opening a new one when one
    // ends; `onOpen` is given each new socket.
    struct Pool {
        std::function<void(QTcpSocket*)> onOpen;
        QByteArray request;
        void open(quint16 p)
        {
            auto* s = new QTcpSocket;
            QObject::connect(s, &QTcpSocket::disconnected, s, [this, s, p] {
                s->deleteLater();
                QTimer::singleShot(500, [this, p] { open(p); });
            });
            s->connectToHost(QHostAddress::LocalHost, p);
            s->write(request);
            if (onOpen)
                onOpen(s);
        }
    };
    Pool neverRead{[](QTcpSocket* s) { s->setReadBufferSize(1); }, upgrade("?w=1920&h=1080", {})};
    Pool slowloris{[](QTcpSocket* s) {
                       auto* t = new QTimer(s);
                       QObject::connect(t, &QTimer::timeout, s, [s] { s->write("X"); });
                       t->start(1000);
                   },
                   "GET / HTTP/1.1\r\n" + host};
    std::vector<std::unique_ptr<Pool>> held;
    for (int i = 0; i < 15; ++i) {
        held.push_back(std::make_unique<Pool>(Pool{
            [](QTcpSocket* s) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [s] { s->readAll(); });
            },
            upgrade("?w=" + QByteArray::number(7000 + i) + "&h=" + QByteArray::number(4000 + i),
                    {})}));
        held.back()->open(port);
    }
    for (int i = 0; i < 50; ++i)
        slowloris.open(port);
    for (int i = 0; i < 1000; ++i)
        neverRead.open(port);
    // One-off requests: a new /state size every 16 ms, an upgrade attempt
    // every 18 ms (accepted then reset, foreign origin, bad version).
    int n = 0;
    const auto once = [port](const QByteArray& request, bool reset) {
        auto* s = new QTcpSocket;
        QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        QObject::connect(s, &QTcpSocket::readyRead, s, [s, reset] {
            s->readAll();
            if (reset)
                s->abort();
        });
        QTimer::singleShot(5000, s, [s] { s->abort(); });
        s->connectToHost(QHostAddress::LocalHost, port);
        s->write(request);
    };
    QTimer sizes;
    QObject::connect(&sizes, &QTimer::timeout, [&] {
        ++n;
        once("GET /state?w=" + QByteArray::number(300 + n % 5000) +
                 "&h=" + QByteArray::number(200 + n % 3001) + " HTTP/1.1\r\n" + host + "\r\n",
             false);
    });
    sizes.start(16);
    QTimer upgrades;
    int u = 0;
    QObject::connect(&upgrades, &QTimer::timeout, [&] {
        switch (u++ % 3) {
        case 0:
            once(upgrade("?w=800&h=600", {}), true);
            break;
        case 1:
            once(upgrade("", "Origin: http://attacker.example\r\n"), false);
            break;
        default:
            once(upgrade("", {}).replace("Version: 13", "Version: 8"), false);
        }
    });
    upgrades.start(18);
    return qApp->exec();
}

QString keyOf(const QByteArray& json)
{
    std::map<QString, QString> captions;
    const QJsonArray elements =
        QJsonDocument::fromJson(json).object().value(QStringLiteral("elements")).toArray();
    for (const QJsonValue& e : elements)
        captions[e[QStringLiteral("name")].toString()] = e[QStringLiteral("caption")].toString();
    QStringList parts;
    for (const char* n : kKeyElements)
        parts << captions[QLatin1String(n)];
    return parts.join(QLatin1Char('|'));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool shortMatch = args.contains(QStringLiteral("--short"));
    if (args.contains(QStringLiteral("--serve")))
        return serve(shortMatch);
    if (const qsizetype a = args.indexOf(QStringLiteral("--attack")); a >= 0)
        return attack(args.value(a + 1).toUShort());
    auto number = [&](const char* name, int fallback) {
        const qsizetype i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1].toInt() : fallback;
    };
    const int wsCount = number("--ws", 200);
    const int httpCount = number("--http", 50);

    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(QCoreApplication::applicationFilePath(),
                 shortMatch ? QStringList{"--serve", "--short"} : QStringList{"--serve"});
    // The clients stand in for browsers on other PCs: with --nice they give
    // way to the console on this machine's cores.
    if (args.contains(QStringLiteral("--nice")))
        setpriority(PRIO_PROCESS, 0, 19);
    quint16 port = 0;
    while (port == 0) {
        if (!server.canReadLine() && !server.waitForReadyRead(20000))
            return 1;
        const QByteArray line = server.readLine();
        if (line.startsWith("PORT "))
            port = line.mid(5).trimmed().toUShort();
    }

    // Arrivals: per client, the first moment each key was seen.
    std::vector<std::map<QString, qint64>> wsSeen(static_cast<std::size_t>(wsCount));
    std::vector<std::map<QString, qint64>> httpSeen(static_cast<std::size_t>(httpCount));
    std::vector<std::unique_ptr<QWebSocket>> sockets;
    QHash<size_t, QString> keys;
    int open = 0;
    for (int i = 0; i < wsCount; ++i) {
        auto ws = std::make_unique<QWebSocket>();
        auto* seen = &wsSeen[static_cast<std::size_t>(i)];
        QObject::connect(ws.get(), &QWebSocket::textMessageReceived,
                         [seen, &open, &keys](const QString& t) {
                             const qint64 at = now();
                             // Clients of one size get the same text: read it once.
                             const size_t h = qHash(t);
                             auto it = keys.constFind(h);
                             if (it == keys.constEnd())
                                 it = keys.insert(h, keyOf(t.toUtf8()));
                             if (seen->empty())
                                 ++open;
                             seen->emplace(*it, at);
                         });
        // Most screens are full HD; some are not.
        const char* size = i % 4 == 0 ? "w=1280&h=720" : "w=1920&h=1080"; // as the report says
        ws->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live?%2").arg(port).arg(size)));
        sockets.push_back(std::move(ws));
    }
    {
        QElapsedTimer wait;
        wait.start();
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (open >= wsCount || wait.elapsed() > 30000)
                loop.quit();
        });
        check.start(20);
        loop.exec();
    }
    std::fprintf(stderr, "%d WebSocket clients have the state\n", open);
    // The attack comes once the audience is in (it would take their slots
    // otherwise, which the connection limit is there to allow).
    QProcess attacker;
    attacker.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (args.contains(QStringLiteral("--hostile")))
        attacker.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--attack"), QString::number(port)});

    std::vector<std::unique_ptr<QTimer>> pollers;
    int polls = 0;
    int pollFailures = 0;
    for (int i = 0; i < httpCount; ++i) {
        auto t = std::make_unique<QTimer>();
        auto* seen = &httpSeen[static_cast<std::size_t>(i)];
        QObject::connect(t.get(), &QTimer::timeout, [&, seen, port] {
            auto* sock = new QTcpSocket;
            auto* got = new QByteArray;
            QObject::connect(sock, &QTcpSocket::connected, [sock, port] {
                sock->write("GET /state?w=1920&h=1080 HTTP/1.1\r\nHost: 127.0.0.1:" +
                            QByteArray::number(port) + "\r\n\r\n");
            });
            QObject::connect(sock, &QTcpSocket::readyRead,
                             [sock, got] { *got += sock->readAll(); });
            QObject::connect(sock, &QTcpSocket::disconnected, [&, sock, got, seen] {
                const qint64 at = now();
                ++polls;
                if (got->startsWith("HTTP/1.1 200"))
                    seen->emplace(keyOf(got->mid(got->indexOf("\r\n\r\n") + 4)), at);
                else
                    ++pollFailures;
                delete got;
                sock->deleteLater();
            });
            sock->connectToHost(QHostAddress::LocalHost, port);
        });
        t->start(100);
        pollers.push_back(std::move(t));
    }

    server.write("go\n");
    QByteArray out;
    while (server.state() != QProcess::NotRunning) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        out += server.readAllStandardOutput();
    }
    out += server.readAllStandardOutput();
    pollers.clear();

    // Match the console's changes with the clients' arrivals.
    std::map<QString, qint64> changed;
    double endMs = -1, cpu = 0, wall = 1;
    QByteArray mem;
    QByteArray cost;
    QList<QByteArray> reports;
    attacker.kill();
    attacker.waitForFinished(5000);
    for (const QByteArray& line : out.split('\n')) {
        if (line.startsWith("CHANGE ")) {
            const QList<QByteArray> f = line.split(' ');
            changed[QString::fromUtf8(f.value(2))] = f.value(1).toLongLong(); // last write wins
        } else if (line.startsWith("END ")) {
            endMs = line.mid(4).toDouble();
        } else if (line.startsWith("CPU ")) {
            cpu = line.split(' ').value(1).toDouble();
            wall = line.split(' ').value(2).toDouble();
        } else if (line.startsWith("MEM ")) {
            mem = line.mid(4);
        } else if (line.startsWith("FEEDCOST ")) {
            cost = line.mid(9);
        } else if (line.startsWith("REPORT ")) {
            reports << line.mid(7);
        }
    }
    std::map<QString, qint64> everyChange; // also those no client saw
    auto report = [&](const char* what, const std::vector<std::map<QString, qint64>>& seen,
                      bool mixedSizes) {
        std::vector<double> ms;
        long missed = 0;
        // A missed state is either skipped (a newer one reached the client
        // instead: the feed sends the latest only) or the client got nothing
        // newer before the console ended.
        long skipped = 0;
        std::vector<double> gaps; // from a skipped state's change to the next change
        long skippedSmall = 0;    // at the 1280 x 720 clients, whose size is built second
        for (std::size_t i = 0; i < seen.size(); ++i) {
            const auto& client = seen[i];
            qint64 newest = -1;
            for (const auto& [key, at] : client) {
                if (const auto c = changed.find(key); c != changed.end())
                    newest = std::max(newest, c->second);
            }
            for (const auto& [key, at] : changed) {
                const auto it = client.find(key);
                if (it == client.end()) {
                    ++missed;
                    if (at < newest) {
                        ++skipped;
                        skippedSmall += mixedSizes && i % 4 == 0;
                        qint64 next = newest;
                        for (const auto& other : everyChange) {
                            if (other.second > at)
                                next = std::min(next, other.second);
                        }
                        gaps.push_back((next - at) / 1e6);
                    }
                } else {
                    ms.push_back((it->second - at) / 1e6);
                }
            }
        }
        std::printf("%s: %zu arrivals, median %.2f ms, p99 %.2f ms, worst %.2f ms, missed %ld (%ld "
                    "skipped for a newer state, %ld with nothing newer before the end)\n",
                    what, ms.size(), percentile(ms, 0.5), percentile(ms, 0.99), percentile(ms, 1.0),
                    missed, skipped, missed - skipped);
        if (!gaps.empty())
            std::printf("  a skipped state was followed by the next change within median %.2f ms, "
                        "worst %.2f ms; %ld of the skips at the 1280 x 720 clients\n",
                        percentile(gaps, 0.5), percentile(gaps, 1.0), skippedSmall);
    };
    // Only the states a client can see: the last write of each handler.
    std::map<QString, qint64> shown;
    for (const auto& [key, at] : changed) {
        for (const auto& client : wsSeen) {
            if (client.count(key)) {
                shown[key] = at;
                break;
            }
        }
    }
    everyChange = changed;
    changed = shown;
    std::printf("changes seen: %zu\n", changed.size());
    report("WebSocket", wsSeen, true);
    report("HTTP poll (100 ms)", httpSeen, false);
    std::printf("HTTP polls answered: %d, failed: %d\n", polls, pollFailures);
    std::printf("console process: CPU %.2f s in %.1f s (%.1f %% of one core), peak memory %s\n",
                cpu, wall, 100 * cpu / wall, mem.constData());
    const QList<QByteArray> c = cost.split(' ');
    std::printf("the feed on the console's thread: %s turns of work after changes (one board "
                "build at most each), mean %s ms, worst %s ms; %s requests, mean %s ms, worst %s "
                "ms\n",
                c.value(0).constData(), c.value(1).constData(), c.value(2).constData(),
                c.value(3).constData(), c.value(4).constData(), c.value(5).constData());
    std::printf("end of the match: %.3f ms after Start (ideal %d)\n", endMs,
                shortMatch ? 20000 : 90000);
    for (const QByteArray& r : reports)
        std::printf("%s\n", r.constData());
    return 0;
}
