#pragma once

#include "platform/base/Diagnostics.h"
#include "platform/media/AudioOutput.h"
#include "platform/media/RecordingSink.h"
#include "platform/media/SoundData.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace media::test {

// A recording output installed as the current one, a main queue the test runs by hand and
// the diagnostic lines written meanwhile.
class AudioTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs what the output posted to the "main thread".
    void runPosted();
    // Pulls frames from a device and runs what finished meanwhile.
    std::vector<float> pull(std::size_t frames, const std::string& device = kSystemDefaultDevice);
    bool logged(const std::string& part) const;

    std::shared_ptr<RecordingSink> m_sink;
    std::shared_ptr<AudioOutput> m_output;
    std::vector<std::function<void()>> m_posted;
    std::vector<std::string> m_diagnostics;
};

// Stereo sound whose left and right frames both follow `value(frame)`.
std::shared_ptr<const SoundData> makeSound(std::size_t frames, const std::function<float(std::size_t)>& value,
    int sampleRate = 48000);
std::shared_ptr<const SoundData> constantSound(std::size_t frames, float value);

// Writes mono samples as a sound file of the given libsndfile format.
void writeSoundFile(const std::filesystem::path& path, const std::vector<float>& samples, int sampleRate, int format);

float peak(const std::vector<float>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX);

}
