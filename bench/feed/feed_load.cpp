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
// memory, and the clock's end error. A measurement, not a pass/fail test.
#include "QuietPorts.h"
#include "board/LabelMeasure.h"
#include "console/Kumite2.h"
#include "feed/FeedHttpServer.h"
#include "feed/FeedService.h"
#include "platform/TimerDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

#include <sys/resource.h>

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

class EndSound final : public SoundPort {
public:
    void play(SoundPort::Sound sound, const QString&) override
    {
        if (sound == SoundPort::Sound::End && onEnd)
            onEnd();
    }
    std::function<void()> onEnd;
};
int serve(bool shortMatch)
{
    EndSound sound;
    NoMessages messages;
    NoFiles files;
    OneScreen screens;
    NoWindows windows;
    Kumite2 k({sound, messages, files, screens, windows}, QCoreApplication::applicationDirPath());
    LabelMeasure measure;
    k.boards.setTextMeasure(&measure);
    MatchState& s = k.state;
    s.eindwav.setText(QStringLiteral("end"));
    s.ippon.setText(QStringLiteral("99")); // scoring never ends the match
    s.Text5.setText(QLatin1String(shortMatch ? "0" : "1"));
    s.Text6.setText(QLatin1String(shortMatch ? "20" : "30"));
    k.clock.resett();
    s.command1.click(); // the board, shown
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
    sound.onEnd = [&] {
        endMs = clock.nsecsElapsed() / 1e6;
        QTimer::singleShot(1000, qApp, &QCoreApplication::quit); // the last pushes
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

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * (v.size() - 1) + 0.5))];
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
        const char* size = i % 4 == 0 ? "w=1280&h=720" : "w=1920&h=1080";
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
        }
    }
    auto report = [&](const char* what, const std::vector<std::map<QString, qint64>>& seen) {
        std::vector<double> ms;
        long missed = 0;
        for (const auto& client : seen) {
            for (const auto& [key, at] : changed) {
                const auto it = client.find(key);
                if (it == client.end())
                    ++missed;
                else
                    ms.push_back((it->second - at) / 1e6);
            }
        }
        std::printf("%s: %zu arrivals, median %.2f ms, p99 %.2f ms, worst %.2f ms, missed %ld\n",
                    what, ms.size(), percentile(ms, 0.5), percentile(ms, 0.99), percentile(ms, 1.0),
                    missed);
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
    changed = shown;
    std::printf("changes seen: %zu\n", changed.size());
    report("WebSocket", wsSeen);
    report("HTTP poll (100 ms)", httpSeen);
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
    return 0;
}
