// From a sound request to the first audible sample on the sound server's
// null sink, for the real sound player. Run inside tests/e2e/session.sh,
// which provides PULSE_SERVER and PA_SINK:
//   tests/e2e/session.sh -- build/release/bench/sound/sound_latency [RUNS]
//
// The recorder (parec on the sink's monitor) sees a sound some time after it
// is played. That share is measured with a reference: the same sound written
// at a known moment into a pacat stream that is already connected. What a
// program request takes beyond the reference's median is the program's share.
#include "platform/QtSoundPort.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

using namespace kestrane;

namespace {

constexpr int kRate = 48000;
constexpr int kThreshold = 1000; // about -30 dBFS; the tones start at sample 1
constexpr int kGapMs = 1200;     // each sound (0.55 s with its padding) ends before the next

// 16-bit mono PCM: a tone from the first sample, then silence for the end
// that the player cuts off.
QByteArray tonePcm(double hz)
{
    QByteArray pcm;
    QDataStream out(&pcm, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const int tone = kRate / 4;
    const int total = tone + kRate * 3 / 10;
    for (int i = 0; i < total; ++i) {
        const double v = i < tone ? 0.8 * std::sin(2 * std::numbers::pi * hz * i / kRate) : 0;
        out << static_cast<qint16>(std::lround(v * 32767));
    }
    return pcm;
}

void writeWav(const QString& path, const QByteArray& pcm)
{
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + pcm.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(kRate) << quint32(kRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(pcm.size());
    wav += pcm;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(wav) != wav.size())
        qFatal("cannot write %s", qPrintable(path));
}

double median(std::vector<double> v)
{
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Reads the sink's monitor and notes when the first loud sample after an
// armed moment arrived, in the clock's milliseconds.
class Recorder {
public:
    explicit Recorder(const QElapsedTimer& clock) : m_clock(clock)
    {
        const QString sink = qEnvironmentVariable("PA_SINK", QStringLiteral("kestrane"));
        m_parec.setProgram(QStringLiteral("parec"));
        m_parec.setArguments({QStringLiteral("--latency-msec=2"), QStringLiteral("--raw"),
                              QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                              QStringLiteral("--rate=48000"), QStringLiteral("-d"),
                              sink + QStringLiteral(".monitor")});
        QObject::connect(&m_parec, &QProcess::readyReadStandardOutput, [this] { read(); });
        m_parec.start();
        if (!m_parec.waitForStarted())
            qFatal("parec did not start");
    }
    ~Recorder()
    {
        m_parec.kill();
        m_parec.waitForFinished();
    }

    // A request still unheard when the next one comes was never heard.
    void arm(double requestMs, std::function<void(double)> heard)
    {
        if (m_heard)
            m_heard(NAN);
        m_armedAt = requestMs;
        m_heard = std::move(heard);
    }

private:
    void read()
    {
        m_bytes += m_parec.readAllStandardOutput();
        const double now = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
        const qsizetype samples = m_bytes.size() / 2;
        const auto* s = reinterpret_cast<const qint16*>(m_bytes.constData());
        // The moment a loud sample arrives, not back-dated by its place in
        // the piece read: the sink may hand over what it rendered ahead.
        for (qsizetype i = 0; i < samples && m_heard; ++i) {
            if (std::abs(int(s[i])) >= kThreshold) {
                auto heard = std::move(m_heard);
                m_heard = nullptr;
                heard(now - m_armedAt);
            }
        }
        m_bytes.remove(0, samples * 2);
    }

    const QElapsedTimer& m_clock;
    QProcess m_parec;
    QByteArray m_bytes;
    double m_armedAt = 0;
    std::function<void(double)> m_heard;
};

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
