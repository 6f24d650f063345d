#include "platform/media/SpeechEngine.h"

#include "platform/base/Diagnostics.h"
#include "platform/media/SampleStream.h"

#include <cmath>
#include <cstring>
#include <espeak-ng/speak_lib.h>

namespace media {

// Linear resampling of the engine's mono frames to the device's stereo ones, carried across
// the chunks espeak hands over.
struct SpeechEngine::Resampler {
    double step { 1 };
    double position { 0 };
    float last { 0 };
    std::vector<float> out {};

    void push(const short* in, int count)
    {
        out.clear();
        while (true) {
            auto index = long(std::floor(position));
            if (index + 1 >= count)
                break;
            float a = index < 0 ? last : in[index] / 32768.0f;
            float b = in[index + 1] / 32768.0f;
            float value = a + (b - a) * float(position - double(index));
            out.push_back(value);
            out.push_back(value);
            position += step;
        }
        position -= count;
        last = in[count - 1] / 32768.0f;
    }
};

namespace {

struct Running {
    SampleStream* stream { nullptr };
    void* resampler { nullptr };
};

std::vector<std::string> languagesOf(const char* list)
{
    // espeak's form: a priority byte, a language name and its NUL, repeated; an empty name ends it.
    std::vector<std::string> languages;
    if (!list)
        return languages;
    while (*list) {
        const char* name = list + 1;
        if (!*name)
            break;
        languages.emplace_back(name);
        list = name + std::strlen(name) + 1;
    }
    return languages;
}

}

SpeechEngine& SpeechEngine::shared()
{
    static SpeechEngine engine;
    return engine;
}

SpeechEngine::SpeechEngine()
{
    int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 100, nullptr, 0);
    if (rate <= 0) {
        base::diagnostic("Speech is unavailable: espeak-ng could not be started");
        return;
    }
    m_engineRate = rate;
    m_available = true;
    espeak_SetSynthCallback(reinterpret_cast<t_espeak_callback*>(&SpeechEngine::onSamples));
    for (const espeak_VOICE** voice = espeak_ListVoices(nullptr); voice && *voice; ++voice) {
        if ((*voice)->identifier && (*voice)->name)
            m_voices.push_back({ (*voice)->identifier, (*voice)->name, languagesOf((*voice)->languages) });
    }
    m_worker = std::thread([this] { run(); });
}

SpeechEngine::~SpeechEngine()
{
    {
        std::lock_guard lock(m_mutex);
        m_quitting = true;
        for (auto& job : m_jobs)
            job.stream->close();
        m_jobs.clear();
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
    if (m_available)
        espeak_Terminate();
}

const SpeechVoice* SpeechEngine::voice(const std::string& identifier) const
{
    for (const auto& voice : m_voices) {
        if (voice.identifier == identifier)
            return &voice;
    }
    return nullptr;
}

void SpeechEngine::synthesize(std::string text, std::string voice, int sampleRate, std::shared_ptr<SampleStream> stream)
{
    if (!m_available) {
        stream->close();
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back({ std::move(text), std::move(voice), sampleRate, std::move(stream) });
    }
    m_wake.notify_one();
}

void SpeechEngine::run()
{
    while (true) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quitting || !m_jobs.empty(); });
            if (m_quitting)
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        if (!job.stream->isCancelled())
            speak(job);
        job.stream->close();
    }
}

void SpeechEngine::speak(Job& job)
{
    if (espeak_SetVoiceByName(job.voice.c_str()) != EE_OK)
        base::diagnostic("Speech voice " + job.voice + " cannot be used; speaking with the previous one");
    Resampler resampler { .step = double(m_engineRate) / job.sampleRate };
    Running running { job.stream.get(), &resampler };
    auto status = espeak_Synth(job.text.c_str(), job.text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
        &running);
    if (status != EE_OK)
        base::diagnostic("Speech could not speak '" + job.text + "'");
}

int SpeechEngine::onSamples(short* samples, int count, void* eventList)
{
    auto* events = static_cast<espeak_EVENT*>(eventList);
    auto* running = events ? static_cast<Running*>(events->user_data) : nullptr;
    if (!running)
        return 0;
    // A stream cut off by the mixer makes espeak give up the rest of the text.
    if (running->stream->isCancelled())
        return 1;
    if (samples && count > 0) {
        auto* resampler = static_cast<Resampler*>(running->resampler);
        resampler->push(samples, count);
        running->stream->write(resampler->out.data(), resampler->out.size() / 2);
    }
    return 0;
}

}
