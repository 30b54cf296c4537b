// Writes the two sounds that come with Kestrane as 16-bit PCM mono WAV files:
//   make_sounds FOLDER   ->   FOLDER/gong.wav, FOLDER/warning.wav
// The samples are the program's own built-in sounds.
#include "platform/BuiltinSounds.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using kestrane::BuiltinSounds::kRate;

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

bool writeWav(const std::string& path, const std::vector<float>& samples)
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
    for (float s : samples) {
        const double clipped = std::fmax(-1.0, std::fmin(1.0, s));
        put16(out, std::uint16_t(std::int16_t(std::lround(clipped * 32767.0))));
    }
    return bool(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    if (!writeWav(folder + "/gong.wav", kestrane::BuiltinSounds::gong()) ||
        !writeWav(folder + "/warning.wav", kestrane::BuiltinSounds::warning())) {
        std::fprintf(stderr, "make_sounds: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
