#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace soundgen {

constexpr int kRate = 48000;

using Samples = std::vector<float>;

// A small generator of our own: the standard distributions differ between libraries, and
// every build must produce the same files.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed * 0x9E3779B97F4A7C15ull + 1)
    {
    }
    std::uint64_t next();
    // Uniform in [-1, 1).
    float bipolar();
    // Uniform in [0, 1).
    float unit();

private:
    std::uint64_t m_state;
};

Samples silence(double seconds);
std::size_t frames(double seconds);

// One struck partial: a sine at `frequency` that starts at `at` seconds, rises over
// `attack` seconds and dies away exponentially with time constant `decay`.
struct Partial {
    double frequency;
    double amplitude;
    double decay;
    double attack { 0.002 };
};

// Adds the partials, struck at `at` seconds, into `out`.
void strike(Samples& out, double at, const std::vector<Partial>& partials);

// Adds a burst of noise shaped by a decaying envelope, low-passed by `smoothing` (0: none,
// towards 1: darker).
void noiseBurst(Samples& out, double at, double amplitude, double decay, double smoothing, Random& random);

// Adds a sine sweeping from `from` to `to` Hz over the burst, with a decaying envelope.
void chirp(Samples& out, double at, double from, double to, double length, double amplitude);

// A tone with short linear ramps at both ends, so it starts and stops without a click.
void beep(Samples& out, double at, double frequency, double length, double amplitude);

// Fades the last `seconds` out, so a sound cut short by its length does not click.
void fadeOutTail(Samples& samples, double seconds);

// Scales the sound so that its largest sample is `level`.
void normalise(Samples& samples, float level);

// Filters a loop so that it stays a loop: the filter runs over it a few times and only the
// last run is kept, so its state where the loop ends is the state where it begins.
template<typename Filter>
Samples filterLoop(const Samples& input, Filter filter, int warmUpRuns = 2)
{
    Samples out(input.size());
    for (int run = 0; run <= warmUpRuns; ++run) {
        for (std::size_t i = 0; i < input.size(); ++i)
            out[i] = filter(input[i]);
    }
    return out;
}

Samples whiteNoise(std::size_t length, Random& random);
// Pink (−3 dB per octave) noise from white, by the usual bank of one-pole filters.
Samples pinkNoise(const Samples& white);
// Brown (−6 dB per octave) noise from white: a leaky integrator, then the constant part removed.
Samples brownNoise(const Samples& white);

}
