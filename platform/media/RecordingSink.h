#pragma once

#include "platform/media/AudioBackend.h"

#include <map>
#include <set>

namespace media {

// An output for tests: records every voice started, stopped or changed, and mixes only when
// the test pulls frames, so what was heard is exact and nothing depends on the wall clock.
class RecordingSink final : public AudioBackend {
public:
    static std::shared_ptr<RecordingSink> create(int sampleRate = 48000);

    // The devices the sink pretends are connected (none at first).
    void setDevices(std::vector<AudioDevice> devices) { m_devices = std::move(devices); }
    // A connected device that refuses to open.
    void setBroken(const std::string& identifier) { m_broken.insert(identifier); }

    const std::vector<VoiceEvent>& events() const { return m_events; }
    std::vector<VoiceEvent> eventsOf(VoiceEvent::Kind kind) const;
    // Mixes the next frames of a device (interleaved stereo) and keeps them; silence for a
    // device that was never opened.
    std::vector<float> pull(const std::string& device, std::size_t frames);
    // Every frame pulled from the device so far.
    const std::vector<float>& recorded(const std::string& device) const;

    int sampleRate() const { return m_sampleRate; }
    // Whether the output holds the device open now.
    bool isOpen(const std::string& device) const { return m_mixers.contains(device); }

    std::vector<AudioDevice> outputDevices() override { return m_devices; }
    std::unique_ptr<AudioStream> open(const std::string& identifier) override;
    void voiceEvent(const VoiceEvent& event) override { m_events.push_back(event); }

private:
    class Stream;
    explicit RecordingSink(int sampleRate)
        : m_sampleRate(sampleRate)
    {
    }

    int m_sampleRate { 48000 };
    std::vector<AudioDevice> m_devices;
    std::set<std::string> m_broken;
    std::vector<VoiceEvent> m_events;
    std::map<std::string, Mixer*> m_mixers;
    std::map<std::string, std::vector<float>> m_recorded;
};

}
