#include "platform/SoundFile.h"

#include "platform/SndfileDecoder.h"
#include "platform/SoundBytes.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kestrane {

namespace {

constexpr int kMaxChannels = 256;
// Below a telephone's rate nothing is a signal; above this no recorder goes.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr qint64 kBlockFrames = 4096;

float clamped(float v)
{
    return std::isfinite(v) ? std::clamp(v, -1.0F, 1.0F) : 0.0F;
}

std::vector<float> resampled(const std::vector<float>& in, int channels, int rate)
{
    const double ratio = double(SoundFile::kRate) / rate;
    const auto frames = static_cast<long>(in.size() / std::size_t(channels));
    std::vector<float> out((std::size_t(std::ceil(frames * ratio)) + 16) * std::size_t(channels));
    SRC_DATA data{};
    data.data_in = in.data();
    data.input_frames = frames;
    data.data_out = out.data();
    data.output_frames = static_cast<long>(out.size() / std::size_t(channels));
    data.src_ratio = ratio;
    if (src_simple(&data, SRC_SINC_FASTEST, channels) != 0)
        return {};
    out.resize(std::size_t(data.output_frames_gen) * std::size_t(channels));
    // The filter may overshoot full scale a little.
    std::transform(out.begin(), out.end(), out.begin(), clamped);
    return out;
}

} // namespace

DecodedSound SoundFile::decode(const QByteArray& bytes)
{
    SoundBytes file(bytes);
    SndfileDecoder decoder;
    return decode(file, decoder);
}

DecodedSound SoundFile::decode(SoundBytes& file, SoundDecoder& decoder)
{
    using P = SoundPort::Problem;
    P why = P::NotSound;
    const std::optional<SoundDecoder::Stream> stream = decoder.open(file, why);
    if (!stream) // a refusal always has a reason
        return {std::nullopt, why == P::None ? P::NotSound : why};
    const int channels = stream->channels;
    if (channels < 1 || channels > kMaxChannels || stream->rate < kMinRate ||
        stream->rate > kMaxRate)
        return {std::nullopt, P::Unsupported};

    const int kept = std::min(channels, 2);
    const qint64 most = qint64(stream->rate) * kMaxSeconds;
    std::vector<float> block(std::size_t(kBlockFrames * channels));
    std::vector<float> pcm;
    qint64 frames = 0;
    while (frames < most) {
        const qint64 want = std::min(kBlockFrames, most - frames);
        const qint64 n = decoder.read(block.data(), want);
        if (n < 0 || n > want)
            return {std::nullopt, P::Damaged};
        if (n == 0)
            break;
        for (qint64 f = 0; f < n; ++f) {
            for (int c = 0; c < kept; ++c)
                pcm.push_back(clamped(block[std::size_t(f * channels + c)]));
        }
        frames += n;
    }
    // Fewer frames than the file announced: cut short.
    if (stream->frames >= 0 && frames < std::min(stream->frames, most))
        return {std::nullopt, P::Damaged};
    if (frames == 0)
        return {std::nullopt, P::Silent};
    std::optional<SoundFile> sound = fromSamples(std::move(pcm), kept, stream->rate);
    return {sound, sound ? P::None : P::Unsupported};
}

std::optional<SoundFile> SoundFile::fromSamples(std::vector<float> interleaved, int channels,
                                                int rate)
{
    if (channels < 1 || channels > 2 || interleaved.empty())
        return std::nullopt;
    if (rate != kRate)
        interleaved = resampled(interleaved, channels, rate);
    if (interleaved.empty())
        return std::nullopt;
    SoundFile sound;
    sound.format.setSampleFormat(QAudioFormat::Float);
    sound.format.setChannelCount(channels);
    sound.format.setSampleRate(kRate);
    sound.samples = QByteArray(reinterpret_cast<const char*>(interleaved.data()),
                               qsizetype(interleaved.size() * sizeof(float)));
    return sound;
}

} // namespace kestrane
