#include "platform/BuiltinSounds.h"

#include <cmath>
#include <cstddef>

namespace kestrane {

namespace {

using BuiltinSounds::kRate;
constexpr double kPi = 3.14159265358979323846;

void silence(std::vector<float>& s, double seconds)
{
    s.insert(s.end(), std::size_t(seconds * kRate), 0.0F);
}

} // namespace

// A struck gong: inharmonic partials, each with its own decay, a soft
// attack and a slow beat between the two lowest.
std::vector<float> BuiltinSounds::gong()
{
    struct Partial {
        double freq, amp, decay;
    };
    const Partial partials[] = {
        {98.0, 1.00, 1.1},  {99.3, 0.60, 1.0},  {163.0, 0.55, 1.5}, {231.0, 0.45, 2.0},
        {299.0, 0.30, 2.6}, {387.0, 0.22, 3.4}, {502.0, 0.15, 4.5}, {733.0, 0.08, 6.0},
    };
    const double seconds = 3.2;
    std::vector<float> s;
    silence(s, 0.02);
    const std::size_t n = std::size_t(seconds * kRate);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        double v = 0;
        for (const Partial& p : partials)
            v += p.amp * std::exp(-p.decay * t) * std::sin(2 * kPi * p.freq * t);
        const double attack = std::fmin(1.0, t / 0.008);
        const double fadeOut = std::fmin(1.0, (seconds - t) / 0.4);
        s.push_back(float(0.28 * v * attack * fadeOut));
    }
    silence(s, 0.3);
    return s;
}

// Three short, bright beeps.
std::vector<float> BuiltinSounds::warning()
{
    std::vector<float> s;
    silence(s, 0.02);
    const double beep = 0.14, gap = 0.09, ramp = 0.006;
    for (int k = 0; k < 3; ++k) {
        const std::size_t n = std::size_t(beep * kRate);
        for (std::size_t i = 0; i < n; ++i) {
            const double t = double(i) / kRate;
            const double env = std::fmin(1.0, std::fmin(t, beep - t) / ramp);
            s.push_back(float(
                0.5 * env * (std::sin(2 * kPi * 1760 * t) + 0.25 * std::sin(2 * kPi * 3520 * t))));
        }
        silence(s, gap);
    }
    silence(s, 0.3);
    return s;
}

} // namespace kestrane
