// From a sound request to the first audible sample on the sound server's
// null sink, for the real sound player. Run inside tests/e2e/session.sh,
// which provides PULSE_SERVER and PA_SINK:
//   tests/e2e/session.sh -- build/release/bench/sound/sound_latency [RUNS]
//
// The recorder (parec on the sink's monitor) sees a sound some time after it
// is played. That share is measured with a reference: the same sound written
// at a known moment into a pacat stream that is already connected. What a
// program request takes beyond the reference's median is the program's share.
#include "SoundRecorder.h"
#include "platform/QtSoundPort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace kestrane;
using kestrane::bench::Recorder;
using kestrane::bench::tonePcm;
using kestrane::bench::writeWav;

namespace {

constexpr int kGapMs = 1200; // each sound (0.55 s with its padding) ends before the next

double median(std::vector<double> v)
{
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QElapsedTimer clock;
    clock.start();
    const auto nowMs = [&clock] { return static_cast<double>(clock.nsecsElapsed()) / 1e6; };

    QTemporaryDir dir;
    const QByteArray endPcm = tonePcm(660);
    writeWav(dir.filePath(QStringLiteral("end.wav")), endPcm);
    writeWav(dir.filePath(QStringLiteral("warning.wav")), tonePcm(1320));

    QProcess reference;
    reference.start(QStringLiteral("pacat"),
                    {QStringLiteral("--latency-msec=2"), QStringLiteral("--raw"),
                     QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                     QStringLiteral("--rate=48000")});
    if (!reference.waitForStarted())
        qFatal("pacat did not start");
    Recorder recorder(clock);

    // Each step: what to request, and under which name its delay is kept.
    struct Step {
        const char* name;
        std::function<void()> request;
    };
    std::unique_ptr<QtSoundPort> player;
    const auto play = [&player](SoundPort::Sound s, const char* file) {
        player->play(s, QString::fromLatin1(file)); // relative: the player's folder
    };
    const auto end = [&] { play(SoundPort::Sound::End, "end.wav"); };
    const auto warning = [&] { play(SoundPort::Sound::Warning, "warning.wav"); };
    const auto ref = [&] { reference.write(endPcm); };

    std::vector<Step> steps;
    const auto add = [&steps](const char* name, std::function<void()> f, int n = 1) {
        for (int i = 0; i < n; ++i)
            steps.push_back({name, f});
    };
    add("", ref); // the reference stream's own start is not the recorder's delay
    add("reference", ref, 3);
    // Start-up: the player is made and both sounds prepared, as main() does;
    // the first request comes a gap later.
    std::vector<double> prepareMs; // what preparing both costs the calling thread
    add("", [&] {
        const double t = nowMs();
        player = std::make_unique<QtSoundPort>(dir.path());
        player->prepare(SoundPort::Sound::End, QStringLiteral("end.wav"));
        player->prepare(SoundPort::Sound::Warning, QStringLiteral("warning.wav"));
        prepareMs.push_back(nowMs() - t);
    });
    add("first", end);
    add("repeated", end, 5);
    for (int i = 0; i < 4; ++i) {
        add("alternating", warning);
        add("alternating", end);
    }
    add("reference", ref, 3);
    add("", [&] { player.reset(); });

    std::map<std::string, std::vector<double>> delays;
    int run = 0;
    std::size_t next = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(kGapMs);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (next == steps.size()) {
            next = 0;
            if (++run == runs) {
                app.quit();
                return;
            }
        }
        const Step& step = steps[next++];
        if (!*step.name) {
            step.request();
            return;
        }
        const std::string name = step.name;
        const double at = nowMs();
        recorder.arm(at, [&delays, name](double ms) {
            std::fprintf(stderr, "%s %.1f\n", name.c_str(), ms);
            if (!std::isnan(ms))
                delays[name].push_back(ms);
        });
        step.request();
    });
    ticker.start();
    app.exec();
    reference.kill();
    reference.waitForFinished();

    std::printf("making the player and preparing both sounds: median %.2f ms\n", median(prepareMs));
    const double recorderShare = median(delays["reference"]);
    std::printf("reference (recorder's share): median %.1f ms of %zu\n", recorderShare,
                delays["reference"].size());
    for (const char* name : {"first", "repeated", "alternating"}) {
        std::vector<double>& d = delays[name];
        std::printf("%-12s heard after median %.1f ms, max %.1f ms (%zu heard of %d);"
                    " program's share median %.1f ms, max %.1f ms\n",
                    name, median(d), d.empty() ? NAN : *std::max_element(d.begin(), d.end()),
                    d.size(),
                    runs * (name == std::string("first")      ? 1
                            : name == std::string("repeated") ? 5
                                                              : 8),
                    median(d) - recorderShare,
                    (d.empty() ? NAN : *std::max_element(d.begin(), d.end())) - recorderShare);
    }
    return 0;
}
