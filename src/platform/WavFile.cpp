#include "platform/WavFile.h"

#include <QtEndian>

#include <algorithm>

namespace kestrane {

namespace {

constexpr quint16 kPcm = 1;
constexpr quint16 kFloat = 3;
constexpr quint16 kExtensible = 0xFFFE;

template <typename T> T at(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

std::optional<QAudioFormat> formatOf(const QByteArray& fmt)
{
    if (fmt.size() < 16)
        return std::nullopt;
    quint16 tag = at<quint16>(fmt, 0);
    const int channels = at<quint16>(fmt, 2);
    const auto rate = at<quint32>(fmt, 4);
    const int bits = at<quint16>(fmt, 14);
    // The extensible header names the real format in its sub-format.
    if (tag == kExtensible && fmt.size() >= 26)
        tag = at<quint16>(fmt, 24);

    QAudioFormat::SampleFormat sample = QAudioFormat::Unknown;
    if (tag == kPcm && bits == 8)
        sample = QAudioFormat::UInt8;
    else if (tag == kPcm && bits == 16)
        sample = QAudioFormat::Int16;
    else if (tag == kPcm && bits == 32)
        sample = QAudioFormat::Int32;
    else if (tag == kFloat && bits == 32)
        sample = QAudioFormat::Float;
    if (sample == QAudioFormat::Unknown || channels < 1 || channels > 8 || rate < 1000 ||
        rate > 384000)
        return std::nullopt;

    QAudioFormat format;
    format.setSampleFormat(sample);
    format.setChannelCount(channels);
    format.setSampleRate(static_cast<int>(rate));
    return format;
}

} // namespace

std::optional<WavFile> WavFile::parse(const QByteArray& bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<QAudioFormat> format;
    qsizetype offset = 12;
    while (offset + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(offset, 4);
        const qsizetype size = at<quint32>(bytes, offset + 4);
        const qsizetype body = offset + 8;
        // Writers that stream often leave the data size wrong: take what is there.
        const qsizetype available = std::min(size, bytes.size() - body);
        if (id == "fmt ") {
            format = formatOf(bytes.mid(body, available));
            if (!format)
                return std::nullopt;
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            const qsizetype frame = format->bytesPerFrame();
            return WavFile{*format, bytes.mid(body, available / frame * frame)};
        }
        offset = body + size + (size & 1); // chunks are padded to even sizes
    }
    return std::nullopt;
}

} // namespace kestrane
