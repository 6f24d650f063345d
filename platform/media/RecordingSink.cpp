#include "platform/media/RecordingSink.h"

#include "platform/media/Mixer.h"

#include <algorithm>

namespace media {

class RecordingSink::Stream final : public AudioStream {
public:
    Stream(RecordingSink& sink, std::string identifier)
        : m_sink(sink)
        , m_identifier(std::move(identifier))
    {
    }
    ~Stream() override { m_sink.m_mixers.erase(m_identifier); }

    int sampleRate() const override { return m_sink.m_sampleRate; }
    void start(Mixer& mixer) override { m_sink.m_mixers[m_identifier] = &mixer; }

private:
    RecordingSink& m_sink;
    std::string m_identifier;
};

std::shared_ptr<RecordingSink> RecordingSink::create(int sampleRate)
{
    return std::shared_ptr<RecordingSink>(new RecordingSink(sampleRate));
}

std::vector<VoiceEvent> RecordingSink::eventsOf(VoiceEvent::Kind kind) const
{
    std::vector<VoiceEvent> result;
    std::copy_if(m_events.begin(), m_events.end(), std::back_inserter(result),
        [&](const VoiceEvent& event) { return event.kind == kind; });
    return result;
}

std::unique_ptr<AudioStream> RecordingSink::open(const std::string& identifier)
{
    if (m_broken.contains(identifier))
        return nullptr;
    return std::make_unique<Stream>(*this, identifier);
}

std::vector<float> RecordingSink::pull(const std::string& device, std::size_t frames)
{
    std::vector<float> out(frames * 2, 0.0f);
    auto mixer = m_mixers.find(device);
    if (mixer != m_mixers.end())
        mixer->second->mix(out.data(), frames);
    auto& recorded = m_recorded[device];
    recorded.insert(recorded.end(), out.begin(), out.end());
    return out;
}

const std::vector<float>& RecordingSink::recorded(const std::string& device) const
{
    static const std::vector<float> none;
    auto found = m_recorded.find(device);
    return found == m_recorded.end() ? none : found->second;
}

}
