#include "platform/WavFile.h"

#include "support/TestMain.h"
#include <QtEndian>

using namespace kestrane;

namespace {

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A chunk whose header may claim another size than its body has.
QByteArray chunk(const char* id, const QByteArray& body, qint64 claimed = -1)
{
    const QByteArray pad(body.size() % 2, '\0');
    return id + le32(claimed < 0 ? body.size() : quint32(claimed)) + body + pad;
}

QByteArray fmt(quint16 tag, quint16 channels, quint16 bits, quint16 subFormat = 0)
{
    QByteArray b = le16(tag) + le16(channels) + le32(48000) + le32(48000 * channels * bits / 8) +
                   le16(channels * bits / 8) + le16(bits);
    if (tag == 0xFFFE) // the extensible header: valid bits, channel mask, sub-format GUID
        b += le16(22) + le16(bits) + le32(0) + le16(subFormat) + QByteArray(14, 'g');
    return chunk("fmt ", b);
}

QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + le32(4 + chunks.size()) + "WAVE" + chunks;
}

} // namespace

class TestWavFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("sampleFormat"); // QAudioFormat::Unknown: not playable
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("samples"); // bytes of whole frames

        const QByteArray six("abcdef");
        const auto unknown = int(QAudioFormat::Unknown);
        QTest::newRow("16-bit mono")
            << riff(fmt(1, 1, 16) + chunk("data", six)) << int(QAudioFormat::Int16) << 1 << 6;
        QTest::newRow("8-bit stereo")
            << riff(fmt(1, 2, 8) + chunk("data", six)) << int(QAudioFormat::UInt8) << 2 << 6;
        QTest::newRow("32-bit float, half a frame dropped")
            << riff(fmt(3, 1, 32) + chunk("data", six)) << int(QAudioFormat::Float) << 1 << 4;
        QTest::newRow("extensible 32-bit PCM after an odd chunk")
            << riff(chunk("LIST", "odd") + fmt(0xFFFE, 1, 32, 1) +
                    chunk("data", QByteArray(8, 'x')))
            << int(QAudioFormat::Int32) << 1 << 8;
        QTest::newRow("data size beyond the file")
            << riff(fmt(1, 1, 16) + chunk("data", six, 9999)) << int(QAudioFormat::Int16) << 1 << 6;
        QTest::newRow("u-law") << riff(fmt(7, 1, 8) + chunk("data", six)) << unknown << 0 << 0;
        QTest::newRow("24-bit") << riff(fmt(1, 1, 24) + chunk("data", six)) << unknown << 0 << 0;
        QTest::newRow("extensible u-law")
            << riff(fmt(0xFFFE, 1, 8, 7) + chunk("data", six)) << unknown << 0 << 0;
        QTest::newRow("data before fmt")
            << riff(chunk("data", six) + fmt(1, 1, 16)) << unknown << 0 << 0;
        QTest::newRow("no data") << riff(fmt(1, 1, 16)) << unknown << 0 << 0;
        QTest::newRow("header cut short") << riff(fmt(1, 1, 16)).left(30) << unknown << 0 << 0;
        QTest::newRow("not RIFF") << QByteArray("RIFX") + riff(fmt(1, 1, 16)).mid(4) << unknown << 0
                                  << 0;
        QTest::newRow("empty") << QByteArray() << unknown << 0 << 0;
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, sampleFormat);
        QFETCH(int, channels);
        QFETCH(int, samples);
        const std::optional<WavFile> wav = WavFile::parse(bytes);
        QCOMPARE(wav.has_value(), sampleFormat != QAudioFormat::Unknown);
        if (!wav)
            return;
        QCOMPARE(int(wav->format.sampleFormat()), sampleFormat);
        QCOMPARE(wav->format.channelCount(), channels);
        QCOMPARE(wav->format.sampleRate(), 48000);
        QCOMPARE(wav->samples, bytes.mid(bytes.indexOf("data") + 8, samples));
    }
};

KESTRANE_MODEL_TEST_MAIN(TestWavFile)
#include "tst_wavfile.moc"
