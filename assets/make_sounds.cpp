// Writes the two sounds that come with Kestrane as 16-bit PCM mono WAV files:
//   make_sounds FOLDER   ->   FOLDER/gong.wav, FOLDER/warning.wav
// Synthesised, so the project owns every sample. Both end in silence: the
// player cuts the last ~120 ms of a sound.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

void put16(std::ofstream& out, std::uint16_t v)
{
    const char b[2] = {char(v & 0xff), char(v >> 8)};
    out.write(b, 2);
}

void put32(std::ofstream& out, std::uint32_t v)
{
    put16(out, std::uint16_t(v & 0xffff));
    put16(out, std::uint16_t(v >> 16));
}

bool writeWav(const std::string& path, const std::vector<double>& samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const auto dataBytes = std::uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);        // plain PCM format chunk
    put16(out, 1);         // PCM
    put16(out, 1);         // mono
    put32(out, kRate);     // sample rate
    put32(out, kRate * 2); // bytes per second
    put16(out, 2);         // block align
    put16(out, 16);        // bits per sample
    out.write("data", 4);
    put32(out, dataBytes);
    for (double s : samples) {
        const double clipped = std::fmax(-1.0, std::fmin(1.0, s));
        put16(out, std::uint16_t(std::int16_t(std::lround(clipped * 32767.0))));
    }
    return bool(out);
}

void silence(std::vector<double>& s, double seconds)
{
    s.insert(s.end(), std::size_t(seconds * kRate), 0.0);
}

// A struck gong: inharmonic partials, each with its own decay, a soft
// attack and a slow beat between the two lowest.
std::vector<double> gong()
{
    struct Partial {
        double freq, amp, decay;
    };
    const Partial partials[] = {
        {98.0, 1.00, 1.1},  {99.3, 0.60, 1.0},  {163.0, 0.55, 1.5}, {231.0, 0.45, 2.0},
        {299.0, 0.30, 2.6}, {387.0, 0.22, 3.4}, {502.0, 0.15, 4.5}, {733.0, 0.08, 6.0},
    };
    const double seconds = 3.2;
    std::vector<double> s;
    silence(s, 0.02);
    const std::size_t n = std::size_t(seconds * kRate);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        double v = 0;
        for (const Partial& p : partials)
            v += p.amp * std::exp(-p.decay * t) * std::sin(2 * kPi * p.freq * t);
        const double attack = std::fmin(1.0, t / 0.008);
        const double fadeOut = std::fmin(1.0, (seconds - t) / 0.4);
        s.push_back(0.28 * v * attack * fadeOut);
    }
    silence(s, 0.3);
    return s;
}

// Three short, bright beeps.
std::vector<double> warning()
{
    std::vector<double> s;
    silence(s, 0.02);
    const double beep = 0.14, gap = 0.09, ramp = 0.006;
    for (int k = 0; k < 3; ++k) {
        const std::size_t n = std::size_t(beep * kRate);
        for (std::size_t i = 0; i < n; ++i) {
            const double t = double(i) / kRate;
            const double env = std::fmin(1.0, std::fmin(t, beep - t) / ramp);
            s.push_back(0.5 * env *
                        (std::sin(2 * kPi * 1760 * t) + 0.25 * std::sin(2 * kPi * 3520 * t)));
        }
        silence(s, gap);
    }
    silence(s, 0.3);
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    if (!writeWav(folder + "/gong.wav", gong()) || !writeWav(folder + "/warning.wav", warning())) {
        std::fprintf(stderr, "make_sounds: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
