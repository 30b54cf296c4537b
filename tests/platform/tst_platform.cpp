#include "platform/QtScreenPort.h"
#include "platform/WavFile.h"
#include "support/TestMain.h"

#include <QtEndian>

using namespace kestrane;
Q_DECLARE_METATYPE(kestrane::ScreenPort::Rect)

namespace {

template <typename T> QByteArray le(T v)
{
    QByteArray b(sizeof v, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A chunk whose header may claim another size than its body has.
QByteArray chunk(const char* id, const QByteArray& body, quint32 claimed = 0)
{
    const QByteArray pad(body.size() % 2, '\0');
    return id + le<quint32>(claimed ? claimed : quint32(body.size())) + body + pad;
}

// A WAV file of 48 kHz, its "fmt " chunk in place of "FMT" among the chunks.
QByteArray wav(const QByteArray& chunks, quint16 tag, quint16 channels, quint16 bits)
{
    const auto frame = quint16(channels * bits / 8);
    QByteArray f = le(tag) + le(channels) + le(48000) + le(48000 * frame) + le(frame) + le(bits);
    if (tag == 0xFFFE) // extensible: valid bits, channel mask, sub-format 1 (PCM) and its GUID
        f += le<quint16>(22) + le(bits) + le(0) + le<quint16>(1) + QByteArray(14, 'g');
    const QByteArray all = QByteArray(chunks).replace("FMT", chunk("fmt ", f));
    return "RIFF" + le(int(4 + all.size())) + "WAVE" + all;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The screens of the desktop, primary first as Qt orders them.
    void screensOfTheDesktop()
    {
        const auto all = QtScreenPort().screens();
        QCOMPARE(all.size(), std::size_t(2));
        QVERIFY(all[0].primary && !all[1].primary);
        QCOMPARE(all[1].geometry, (ScreenPort::Rect{1280, 0, 1920, 1080}));
    }

    // A console is stranded off every screen's usable area, across two
    // screens, or on the board's screen unless that is the primary.
    void stranded_data()
    {
        using R = ScreenPort::Rect;
        QTest::addColumn<ScreenPort::Rect>("frame");
        QTest::addColumn<int>("board");
        QTest::addColumn<bool>("stranded");
        QTest::newRow("chosen place on the primary") << R{100, 50, 800, 600} << 1 << false;
        QTest::newRow("on the board's screen") << R{1300, 0, 800, 600} << 1 << true;
        QTest::newRow("on the other screen, no board") << R{1300, 0, 800, 600} << -1 << false;
        QTest::newRow("across both") << R{1212, 0, 800, 600} << -1 << true;
        QTest::newRow("off every screen") << R{4000, 0, 800, 600} << -1 << true;
        QTest::newRow("board on the primary") << R{100, 50, 800, 600} << 0 << false;
    }
    void stranded()
    {
        QFETCH(ScreenPort::Rect, frame);
        QFETCH(int, board);
        QFETCH(bool, stranded);
        const std::vector<ScreenPort::Screen> desk = {
            {{0, 0, 1280, 800}, {0, 0, 1280, 760}, true},
            {{1280, 0, 1920, 1080}, {1280, 0, 1920, 1080}, false}};
        QCOMPARE(ScreenPort::stranded(desk, frame, board), stranded);
    }

    // Sound files: what is playable, as what, and its samples (whole frames).
    void wavFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QAudioFormat::SampleFormat>("format"); // Unknown: refused
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("samples");
        const QByteArray six = chunk("data", "abcdef");
        const QByteArray ext = chunk("LIST", "odd") + "FMT" + chunk("data", "12345678");
        const QByteArray notRiff = "RIFX" + wav("FMT" + six, 1, 1, 16).mid(4);
        using F = QAudioFormat;
        const std::tuple<const char*, QByteArray, F::SampleFormat, int, int> rows[] = {
            {"16-bit", wav("FMT" + six, 1, 1, 16), F::Int16, 1, 6},
            {"8-bit stereo", wav("FMT" + six, 1, 2, 8), F::UInt8, 2, 6},
            {"float, half a frame", wav("FMT" + six, 3, 1, 32), F::Float, 1, 4},
            {"extensible, odd chunk", wav(ext, 0xFFFE, 1, 32), F::Int32, 1, 8},
            {"data size too large", wav("FMT" + chunk("data", "ab", 99), 1, 1, 16), F::Int16, 1, 2},
            {"24-bit", wav("FMT" + six, 1, 1, 24), F::Unknown, 0, 0},
            {"data first", wav(six + "FMT", 1, 1, 16), F::Unknown, 0, 0},
            {"cut short", wav("FMT", 1, 1, 16).left(30), F::Unknown, 0, 0},
            {"not RIFF", notRiff, F::Unknown, 0, 0},
        };
        for (const auto& [name, bytes, format, channels, samples] : rows)
            QTest::newRow(name) << bytes << format << channels << samples;
    }
    void wavFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QAudioFormat::SampleFormat, format);
        QFETCH(int, channels);
        QFETCH(int, samples);
        const std::optional<WavFile> wav = WavFile::parse(bytes);
        QCOMPARE(wav ? wav->format.sampleFormat() : QAudioFormat::Unknown, format);
        QCOMPARE(wav ? wav->samples : QByteArray(), bytes.mid(bytes.indexOf("data") + 8, samples));
        QCOMPARE(wav ? wav->format.channelCount() : 0, channels);
    }
};

KESTRANE_TWO_SCREEN_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
