#pragma once

#include <memory>
#include <string>

namespace base {
class Defaults;
}
namespace media {
class Speech;
}

namespace ostrel {

// Speaks the handlers' texts at the volume "speechReminderVolume", and not at all while
// every sound is muted. An English text is never given to a voice of another language.
class SpeechManager {
public:
    static SpeechManager& sharedManager();
    static void setSharedManager(std::shared_ptr<SpeechManager> manager);
    static std::shared_ptr<SpeechManager> create(std::shared_ptr<base::Defaults> store);

    // Returns at once; a text still being spoken is cut off by the new one.
    void speakString(const std::string& text);
    void cutOffInMidSentence();

    // The synthesizer of the last text; none before the first.
    const std::shared_ptr<media::Speech>& synth() const { return m_synth; }

private:
    explicit SpeechManager(std::shared_ptr<base::Defaults> store)
        : m_store(std::move(store))
    {
    }

    std::shared_ptr<base::Defaults> m_store;
    std::shared_ptr<media::Speech> m_synth;
};

}
