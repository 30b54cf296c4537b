#pragma once

// What the sound benches share: tone files whose first sample is loud, and a
// recorder on the sound server's null sink (tests/e2e/session.sh provides
// PULSE_SERVER and PA_SINK) that notes when the first loud sample arrives.
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cmath>
#include <functional>
#include <numbers>

namespace kestrane::bench {

constexpr int kRate = 48000;
constexpr int kThreshold = 1000; // about -30 dBFS; the tones start at sample 1

// 16-bit mono PCM: a tone from the first sample, then silence for the end
// that the player cuts off.
inline QByteArray tonePcm(double hz)
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

inline void writeWav(const QString& path, const QByteArray& pcm)
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

} // namespace kestrane::bench
