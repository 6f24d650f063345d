#include "tools/soundgen/Recipes.h"

#include <cmath>
#include <numbers>

namespace soundgen {

namespace {

// Partials of a struck metal bar or bell: inharmonic ratios, the higher dying faster.
std::vector<Partial> metal(double fundamental, double amplitude, double decay, const std::vector<double>& ratios)
{
    std::vector<Partial> partials;
    double weight = 1;
    for (double ratio : ratios) {
        partials.push_back({ fundamental * ratio, amplitude * weight, decay / std::sqrt(ratio) });
        weight *= 0.6;
    }
    return partials;
}

Samples twoToneChime()
{
    auto out = silence(1.3);
    strike(out, 0.0, metal(1318.5, 0.5, 0.45, { 1, 2.0, 3.01, 4.2 }));
    strike(out, 0.16, metal(1046.5, 0.5, 0.55, { 1, 2.0, 3.01, 4.2 }));
    normalise(out, 0.8f);
    return out;
}

Samples tick(double pitch, double length, std::uint64_t seed)
{
    Random random(seed);
    auto out = silence(length);
    noiseBurst(out, 0.0, 0.7, 0.002, 0.3, random);
    strike(out, 0.0, { { pitch, 0.5, 0.008, 0.0005 }, { pitch * 2.3, 0.25, 0.004, 0.0005 } });
    normalise(out, 0.8f);
    return out;
}

Samples alarmClock()
{
    // A hammer between two bells: 18 blows a second, four rings with pauses between.
    auto out = silence(2.6);
    Random random(7);
    double blow = 1.0 / 18;
    for (int ring = 0; ring < 4; ++ring) {
        double start = ring * 0.6;
        for (int hit = 0; hit < 8; ++hit) {
            double pitch = hit % 2 ? 2450 : 2310;
            strike(out, start + hit * blow, metal(pitch, 0.3, 0.12, { 1, 2.32, 4.1 }));
            noiseBurst(out, start + hit * blow, 0.15, 0.003, 0.2, random);
        }
    }
    normalise(out, 0.8f);
    return out;
}

Samples morseBeep()
{
    auto out = silence(0.2);
    beep(out, 0.0, 800, 0.12, 0.7);
    normalise(out, 0.7f);
    return out;
}

Samples pop()
{
    auto out = silence(0.12);
    chirp(out, 0.0, 350, 1300, 0.045, 0.9);
    normalise(out, 0.8f);
    return out;
}

Samples windChime()
{
    static const double notes[] = { 1568.0, 1760.0, 2093.0, 2349.3, 2637.0 };
    auto out = silence(3.0);
    Random random(11);
    double at = 0;
    for (int strikeIndex = 0; strikeIndex < 7; ++strikeIndex) {
        double note = notes[random.next() % 5];
        strike(out, at, metal(note, 0.3 + 0.2 * random.unit(), 0.9, { 1, 2.76, 5.4 }));
        at += 0.12 + 0.18 * random.unit();
    }
    normalise(out, 0.8f);
    return out;
}

Samples deskBell()
{
    auto out = silence(2.0);
    strike(out, 0.0, metal(2637.0, 0.6, 1.4, { 1, 1.52, 2.74, 4.1, 5.9 }));
    normalise(out, 0.8f);
    return out;
}

Samples gong(double fundamental, double length)
{
    auto out = silence(length);
    std::vector<Partial> partials;
    // Pairs of close partials beat against each other, which is what makes a gong shimmer.
    for (double ratio : { 1.0, 1.48, 2.05, 2.63, 3.3, 4.18 }) {
        double amplitude = 0.4 / ratio;
        double decay = length * 0.45 / std::sqrt(ratio);
        partials.push_back({ fundamental * ratio, amplitude, decay, 0.025 });
        partials.push_back({ fundamental * ratio * 1.004, amplitude * 0.7, decay, 0.03 });
    }
    strike(out, 0.0, partials);
    Random random(13);
    noiseBurst(out, 0.0, 0.08, 0.03, 0.9, random);
    normalise(out, 0.8f);
    return out;
}

Samples woodBlock()
{
    auto out = silence(0.2);
    strike(out, 0.0, { { 880, 0.6, 0.03, 0.0008 }, { 2090, 0.3, 0.012, 0.0008 }, { 3410, 0.1, 0.006, 0.0008 } });
    normalise(out, 0.8f);
    return out;
}

Samples glass()
{
    auto out = silence(0.8);
    strike(out, 0.0, metal(2093.0, 0.5, 0.35, { 1, 2.02, 3.1, 4.6 }));
    normalise(out, 0.7f);
    return out;
}

constexpr double kLoopSeconds = 8.0;

Samples whiteLoop()
{
    Random random(21);
    auto out = whiteNoise(frames(kLoopSeconds), random);
    normalise(out, 0.35f);
    return out;
}

Samples pinkLoop()
{
    Random random(22);
    auto out = pinkNoise(whiteNoise(frames(kLoopSeconds), random));
    normalise(out, 0.45f);
    return out;
}

Samples brownLoop()
{
    Random random(23);
    auto out = brownNoise(whiteNoise(frames(kLoopSeconds), random));
    normalise(out, 0.5f);
    return out;
}

Samples rainLoop()
{
    Random random(24);
    std::size_t length = frames(kLoopSeconds);
    // A hiss of many distant drops, brighter than pink noise…
    auto hiss = pinkNoise(whiteNoise(length, random));
    float previous = 0;
    hiss = filterLoop(hiss, [&](float x) {
        float high = x - previous;
        previous = x;
        return 0.6f * high + 0.4f * x;
    });
    normalise(hiss, 0.3f);
    // …and near drops: short dull taps at random places, wrapped round the loop's end so
    // that a drop cut by the seam goes on at the start.
    Samples drops(length + frames(0.1), 0.0f);
    for (int drop = 0; drop < 90; ++drop) {
        double at = random.unit() * kLoopSeconds;
        noiseBurst(drops, at, 0.25 + 0.35 * random.unit(), 0.004 + 0.006 * random.unit(), 0.6, random);
    }
    for (std::size_t i = length; i < drops.size(); ++i)
        drops[i - length] += drops[i];
    Samples out(length);
    for (std::size_t i = 0; i < length; ++i)
        out[i] = hiss[i] + drops[i];
    normalise(out, 0.5f);
    return out;
}

Samples surfLoop()
{
    Random random(25);
    auto out = brownNoise(whiteNoise(frames(kLoopSeconds), random));
    // Two waves per loop; the swell's period divides the loop exactly.
    for (std::size_t i = 0; i < out.size(); ++i) {
        double phase = 2 * std::numbers::pi * 2 * double(i) / double(out.size());
        double swell = 0.35 + 0.65 * std::pow(0.5 - 0.5 * std::cos(phase), 1.5);
        out[i] *= float(swell);
    }
    normalise(out, 0.5f);
    return out;
}

Samples clockTicking()
{
    auto out = silence(2.0);
    auto addAt = [&](const Samples& sound, double at) {
        std::size_t start = frames(at);
        for (std::size_t i = 0; i < sound.size() && start + i < out.size(); ++i)
            out[start + i] += sound[i] * 0.6f;
    };
    addAt(tick(2500, 0.12, 31), 0.0);
    addAt(tick(1900, 0.12, 32), 1.0);
    return out;
}

// A sound played once ends in silence, whatever its recipe left ringing.
std::function<Samples()> once(std::function<Samples()> make)
{
    return [make = std::move(make)] {
        auto samples = make();
        fadeOutTail(samples, 0.15);
        return samples;
    };
}

}

const std::vector<Recipe>& recipes()
{
    static const std::vector<Recipe> table {
        { "sosumi", once(twoToneChime) },
        { "clock1", once([] { return tick(2500, 0.12, 1); }) },
        { "clock2", once([] { return tick(1900, 0.12, 2); }) },
        { "alarm_clock", once(alarmClock) },
        { "morse", morseBeep },
        { "pop", once(pop) },
        { "chime", once(windChime) },
        { "bell", once(deskBell) },
        { "gong", once([] { return gong(110, 4.0); }) },
        { "deep_gong", once([] { return gong(65, 5.0); }) },
        { "woodblock", once(woodBlock) },
        { "glass", once(glass) },
        { "white_noise", whiteLoop },
        { "pink_noise", pinkLoop },
        { "brown_noise", brownLoop },
        { "rain", rainLoop },
        { "surf", surfLoop },
        { "clock_ticking", clockTicking },
    };
    return table;
}

}
