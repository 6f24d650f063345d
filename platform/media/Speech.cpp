#include "platform/media/Speech.h"

#include "platform/base/Diagnostics.h"
#include "platform/media/AudioOutput.h"
#include "platform/media/SampleStream.h"
#include "platform/media/TextLanguage.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace media {

namespace {

constexpr const char* kFallbackVoice = "gmw/en-US";

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// "de_DE.UTF-8@euro" → "de-de"; "" for the C and POSIX locales.
std::string userLocale()
{
    for (const char* variable : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const char* value = std::getenv(variable);
        if (!value || !*value)
            continue;
        std::string locale = value;
        locale = locale.substr(0, locale.find_first_of(".@"));
        if (locale == "C" || locale == "POSIX")
            return {};
        std::replace(locale.begin(), locale.end(), '_', '-');
        return lowered(locale);
    }
    return {};
}

}

std::shared_ptr<Speech> Speech::create()
{
    auto speech = std::shared_ptr<Speech>(new Speech);
    speech->m_self = speech;
    speech->m_voice = defaultVoice();
    return speech;
}

Speech::~Speech()
{
    stop();
}

std::vector<SpeechVoice> Speech::voices()
{
    return SpeechEngine::shared().voices();
}

std::string Speech::defaultVoice()
{
    std::string locale = userLocale();
    if (locale.empty())
        return fallbackVoice();
    std::string language = locale.substr(0, locale.find('-'));
    const auto& voices = SpeechEngine::shared().voices();
    // The exact locale first, then any voice whose own locale is in that language.
    for (const std::string& wanted : { locale, language }) {
        for (const auto& voice : voices) {
            if (lowered(voice.locale()) == wanted)
                return voice.identifier;
        }
    }
    for (const auto& voice : voices) {
        if (lowered(voice.locale()).starts_with(language + "-"))
            return voice.identifier;
    }
    return fallbackVoice();
}

std::string Speech::fallbackVoice()
{
    return kFallbackVoice;
}

std::string Speech::localeOfVoice(const std::string& voice)
{
    const auto* found = SpeechEngine::shared().voice(voice);
    return found ? found->locale() : std::string();
}

std::string Speech::voiceForText(const std::string& text, const std::string& voice)
{
    if (guessLanguage(text) == "en" && !lowered(localeOfVoice(voice)).starts_with("en"))
        return fallbackVoice();
    return voice;
}

bool Speech::setVoice(const std::string& voice)
{
    if (!SpeechEngine::shared().voice(voice)) {
        base::diagnostic("There is no speech voice " + voice);
        return false;
    }
    m_voice = voice;
    return true;
}

void Speech::setVolume(float volume)
{
    m_volume = std::clamp(volume, 0.0f, 1.0f);
    if (auto output = m_output.lock(); output && m_playing != 0)
        output->setVolume(m_playing, m_volume);
}

bool Speech::speak(const std::string& text)
{
    stop();
    auto& engine = SpeechEngine::shared();
    if (!engine.isAvailable())
        return false;
    auto output = AudioOutput::current();
    auto stream = SampleStream::create();
    PlayOptions options { .device = m_device, .volume = m_volume, .label = "speech: " + text };
    m_playing = output->play(stream, options, [weak = m_self, stream](bool completed) {
        auto self = weak.lock();
        if (!self)
            return;
        // A text cut off by the next one still reports, but must not forget the next one.
        if (self->m_stream == stream)
            self->m_playing = 0;
        if (self->on_finished)
            self->on_finished(completed);
    });
    if (m_playing == 0)
        return false;
    m_output = output;
    m_stream = stream;
    // The rate of the device it really plays on, after any fall-back.
    engine.synthesize(text, m_voice, output->sampleRate(output->deviceOf(m_playing)), stream);
    return true;
}

void Speech::stop()
{
    if (m_stream)
        m_stream->cancel();
    if (auto output = m_output.lock(); output && m_playing != 0)
        output->stop(m_playing);
}

bool Speech::isSpeaking() const
{
    auto output = m_output.lock();
    return output && m_playing != 0 && output->isPlaying(m_playing);
}

void Speech::waitUntilSynthesized() const
{
    if (m_stream)
        m_stream->waitUntilClosed();
}

}
