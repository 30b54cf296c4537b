// The program's own part of reading a sound file, fed by a fake decoder
// that drives the in-memory file's callbacks with hostile offsets and counts
// and hands back hostile samples (NaN, infinities, huge values), channel
// counts, rates and frame counts. No crash, no undefined behaviour, and what
// comes out is a sound the server takes: whole frames of 48 kHz float within
// full scale, mono or stereo; or nothing and a reason.
#include "platform/SoundBytes.h"
#include "platform/SoundDecoder.h"
#include "platform/SoundFile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace kestrane;

namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

// Takes its orders from the front of the input; the whole input is the file.
class FakeDecoder final : public SoundDecoder {
public:
    FakeDecoder(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::optional<Stream> open(SoundBytes& file, SoundPort::Problem& why) override
    {
        m_file = &file;
        SF_VIRTUAL_IO& io = SoundBytes::io();
        const sf_count_t length = io.get_filelen(&file);
        require(length == sf_count_t(m_size));
        // A few seeks and reads anywhere, as a decoder probing a header does.
        for (int i = 0; i < 4; ++i) {
            const auto offset = sf_count_t(take64());
            const int whence = int(take() % 4);
            const sf_count_t before = io.tell(&file);
            const sf_count_t at = io.seek(offset, whence, &file);
            require(at == -1 ? io.tell(&file) == before : at >= 0 && io.tell(&file) == at);
            char buffer[72];
            const sf_count_t count = sf_count_t(take() % 80) - 8;
            const sf_count_t n = io.read(buffer, count, &file);
            require(n >= 0 && n <= std::max<sf_count_t>(count, 0));
            require(io.write(buffer, 1, &file) == 0);
        }
        io.seek(0, SEEK_SET, &file);
        if (take() % 8 == 0) {
            why = SoundPort::Problem(take() % 8);
            return std::nullopt;
        }
        Stream stream;
        stream.channels = int(std::int16_t(take() | take() << 8));
        stream.rate = int(std::int32_t(take64()));
        stream.frames = take() % 2 ? -1 : std::int64_t(take() | take() << 8);
        if (stream.channels > 0)
            m_channels = stream.channels;
        return stream;
    }

    // Samples straight from the file's bytes, by the callbacks.
    qint64 read(float* out, qint64 frames) override
    {
        const int mode = take() % 16;
        if (mode == 0)
            return -1;
        if (mode == 1)
            return frames + 1 + take(); // more than asked for
        const qint64 want = std::min<qint64>(frames, take() + 1);
        std::vector<float> block(std::size_t(want * m_channels));
        const sf_count_t bytes =
            SoundBytes::io().read(block.data(), sf_count_t(block.size() * sizeof(float)), m_file);
        const qint64 got = bytes / sf_count_t(sizeof(float)) / m_channels;
        std::memcpy(out, block.data(), std::size_t(got * m_channels) * sizeof(float));
        return got;
    }

private:
    std::uint32_t take() { return m_next < m_size ? m_data[m_next++] : 0; }
    std::uint64_t take64()
    {
        std::uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v = v << 8 | take();
        return v;
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_next = 0;
    SoundBytes* m_file = nullptr;
    int m_channels = 1;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SoundBytes file(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    FakeDecoder decoder(data, size);
    const DecodedSound decoded = SoundFile::decode(file, decoder);
    require(decoded.sound.has_value() == (decoded.problem == SoundPort::Problem::None));
    if (!decoded.sound)
        return 0;
    const SoundFile& sound = *decoded.sound;
    const int channels = sound.format.channelCount();
    require(sound.format.sampleRate() == SoundFile::kRate && (channels == 1 || channels == 2));
    require(sound.format.sampleFormat() == QAudioFormat::Float);
    require(!sound.samples.isEmpty() && sound.samples.size() % (channels * 4) == 0);
    const auto* v = reinterpret_cast<const float*>(sound.samples.constData());
    for (qsizetype i = 0; i < sound.samples.size() / 4; ++i)
        require(std::isfinite(v[i]) && std::fabs(v[i]) <= 1.0F);
    return 0;
}
