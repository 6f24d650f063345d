#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <vector>

namespace media {

// Decoded sound: interleaved stereo float frames at one sample rate. Immutable once made,
// so the mixer's thread and the main thread share it without locks.
struct SoundData {
    int sampleRate { 48000 };
    std::vector<float> samples;
    // The file it came from, empty for sounds made in memory; names the resampling cache.
    std::filesystem::path source;

    std::size_t frameCount() const { return samples.size() / 2; }
    double duration() const { return sampleRate > 0 ? double(frameCount()) / sampleRate : 0; }

    // Builds stereo data from mono or interleaved multi-channel samples (channels beyond
    // two are folded into left and right).
    static std::shared_ptr<const SoundData> fromInterleaved(const float* samples, std::size_t frames, int channels,
        int sampleRate, std::filesystem::path source = {});
};

// Linear resampling. A periodic sound (a loop) interpolates its last frame towards its
// first, so the seam stays seamless at the new rate.
std::shared_ptr<const SoundData> resample(const SoundData& sound, int sampleRate, bool periodic);

}
