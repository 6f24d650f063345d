#pragma once

#include "platform/media/Forward.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace media {

struct SpeechVoice {
    std::string identifier;
    std::string name;
    // In the engine's order of preference; the first is the voice's locale ("en-us").
    std::vector<std::string> languages;

    std::string locale() const { return languages.empty() ? std::string() : languages.front(); }
    bool operator==(const SpeechVoice&) const = default;
};

// The one espeak-ng engine of the process, used by every Speech object. espeak keeps global
// state and is not thread-safe, so it lives on a worker thread of its own, which turns each
// text into frames written to a stream while the mixer already plays the first ones.
class SpeechEngine {
public:
    static SpeechEngine& shared();
    ~SpeechEngine();

    // False (logged once) when espeak or its voice data is missing.
    bool isAvailable() const { return m_available; }
    const std::vector<SpeechVoice>& voices() const { return m_voices; }
    const SpeechVoice* voice(const std::string& identifier) const;

    // Queues the text; the stream gets stereo frames at `sampleRate` and is closed when the
    // text is done or the stream was cancelled.
    void synthesize(std::string text, std::string voice, int sampleRate, std::shared_ptr<SampleStream> stream);

private:
    struct Job {
        std::string text;
        std::string voice;
        int sampleRate { 48000 };
        std::shared_ptr<SampleStream> stream;
    };
    struct Resampler;

    SpeechEngine();
    void run();
    void speak(Job& job);
    static int onSamples(short* samples, int count, void* events);

    bool m_available { false };
    int m_engineRate { 22050 };
    std::vector<SpeechVoice> m_voices;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    bool m_quitting { false };
    std::thread m_worker;
};

}
