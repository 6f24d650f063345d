#include "tools/soundgen/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace soundgen {

std::uint64_t Random::next()
{
    // xorshift64*
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 0x2545F4914F6CDD1Dull;
}

float Random::unit()
{
    return float(next() >> 40) / float(1ull << 24);
}

float Random::bipolar()
{
    return unit() * 2.0f - 1.0f;
}

std::size_t frames(double seconds)
{
    return std::size_t(std::llround(seconds * kRate));
}

Samples silence(double seconds)
{
    return Samples(frames(seconds), 0.0f);
}

void strike(Samples& out, double at, const std::vector<Partial>& partials)
{
    std::size_t start = frames(at);
    for (const auto& partial : partials) {
        double omega = 2 * std::numbers::pi * partial.frequency / kRate;
        for (std::size_t i = start; i < out.size(); ++i) {
            double t = double(i - start) / kRate;
            double envelope = std::exp(-t / partial.decay);
            if (t < partial.attack)
                envelope *= t / partial.attack;
            if (envelope < 1e-5 && t > partial.attack)
                break;
            out[i] += float(partial.amplitude * envelope * std::sin(omega * double(i - start)));
        }
    }
}

void noiseBurst(Samples& out, double at, double amplitude, double decay, double smoothing, Random& random)
{
    std::size_t start = frames(at);
    float low = 0;
    for (std::size_t i = start; i < out.size(); ++i) {
        double t = double(i - start) / kRate;
        double envelope = std::exp(-t / decay);
        if (envelope < 1e-5)
            break;
        low = float(smoothing) * low + float(1 - smoothing) * random.bipolar();
        out[i] += float(amplitude * envelope) * low;
    }
}

void chirp(Samples& out, double at, double from, double to, double length, double amplitude)
{
    std::size_t start = frames(at);
    std::size_t count = frames(length);
    double phase = 0;
    for (std::size_t k = 0; k < count && start + k < out.size(); ++k) {
        double progress = double(k) / double(count);
        double frequency = from + (to - from) * progress;
        phase += 2 * std::numbers::pi * frequency / kRate;
        double envelope = std::min(1.0, double(k) / (0.002 * kRate)) * std::pow(1 - progress, 2);
        out[start + k] += float(amplitude * envelope * std::sin(phase));
    }
}

void beep(Samples& out, double at, double frequency, double length, double amplitude)
{
    std::size_t start = frames(at);
    std::size_t count = frames(length);
    std::size_t ramp = frames(0.005);
    double omega = 2 * std::numbers::pi * frequency / kRate;
    for (std::size_t k = 0; k < count && start + k < out.size(); ++k) {
        double envelope = std::min({ 1.0, double(k) / double(ramp), double(count - k) / double(ramp) });
        out[start + k] += float(amplitude * envelope * std::sin(omega * double(k)));
    }
}

void fadeOutTail(Samples& samples, double seconds)
{
    std::size_t count = std::min(samples.size(), frames(seconds));
    std::size_t start = samples.size() - count;
    for (std::size_t k = 0; k < count; ++k)
        samples[start + k] *= float(count - k) / float(count);
}

void normalise(Samples& samples, float level)
{
    float peak = 0;
    for (float sample : samples)
        peak = std::max(peak, std::abs(sample));
    if (peak <= 0)
        return;
    for (float& sample : samples)
        sample *= level / peak;
}

Samples whiteNoise(std::size_t length, Random& random)
{
    Samples out(length);
    for (float& sample : out)
        sample = random.bipolar();
    return out;
}

Samples pinkNoise(const Samples& white)
{
    double b0 = 0, b1 = 0, b2 = 0, b3 = 0, b4 = 0, b5 = 0, b6 = 0;
    return filterLoop(white, [&](float x) {
        b0 = 0.99886 * b0 + x * 0.0555179;
        b1 = 0.99332 * b1 + x * 0.0750759;
        b2 = 0.96900 * b2 + x * 0.1538520;
        b3 = 0.86650 * b3 + x * 0.3104856;
        b4 = 0.55000 * b4 + x * 0.5329522;
        b5 = -0.7616 * b5 - x * 0.0168980;
        double pink = b0 + b1 + b2 + b3 + b4 + b5 + b6 + x * 0.5362;
        b6 = x * 0.115926;
        return float(pink);
    });
}

Samples brownNoise(const Samples& white)
{
    double level = 0;
    double previousIn = 0;
    double previousOut = 0;
    return filterLoop(white, [&](float x) {
        level = 0.998 * level + 0.02 * x;
        // A high-pass at about 10 Hz keeps it from drifting into a constant offset.
        double out = level - previousIn + 0.9987 * previousOut;
        previousIn = level;
        previousOut = out;
        return float(out);
    });
}

}
