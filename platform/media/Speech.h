#pragma once

#include "platform/media/AudioBackend.h"
#include "platform/media/Forward.h"
#include "platform/media/SpeechEngine.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace media {

// A speech synthesizer: one voice, one volume, one text at a time, spoken through the audio
// output like any other sound, so stopping it cuts the text off at once.
class Speech {
public:
    // A synthesizer with the system's default voice.
    static std::shared_ptr<Speech> create();
    ~Speech();

    static std::vector<SpeechVoice> voices();
    // The voice for the user's locale (LC_ALL, LC_MESSAGES, LANG), else the fallback voice.
    static std::string defaultVoice();
    // The English voice that takes over English texts from voices of other languages.
    static std::string fallbackVoice();
    // The voice's locale, "en-us" or "de"; empty for an unknown voice.
    static std::string localeOfVoice(const std::string& voice);
    // The voice that should speak `text`: the fallback voice when the text is English and
    // `voice` is not, else `voice` itself.
    static std::string voiceForText(const std::string& text, const std::string& voice);

    const std::string& voice() const { return m_voice; }
    // False (logged) for a voice the engine does not have; the voice stays as it was.
    bool setVoice(const std::string& voice);
    void setVolume(float volume);
    float volume() const { return m_volume; }
    void setDevice(std::string device) { m_device = std::move(device); }

    // Starts speaking and returns at once; a text still being spoken is cut off first.
    // False when speech or sound output is unavailable.
    bool speak(const std::string& text);
    void stop();
    bool isSpeaking() const;

    // Blocks until the engine has produced every frame of the current text (tests only).
    void waitUntilSynthesized() const;

    // On the main thread when the text was spoken to its end (true) or cut off (false).
    std::function<void(bool completed)> on_finished;

private:
    Speech() = default;

    std::weak_ptr<Speech> m_self;
    std::string m_voice;
    std::string m_device { kSystemDefaultDevice };
    float m_volume { 1 };
    std::weak_ptr<AudioOutput> m_output;
    VoiceId m_playing { 0 };
    std::shared_ptr<SampleStream> m_stream;
};

}
