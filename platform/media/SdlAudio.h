#pragma once

#include "platform/media/AudioBackend.h"

namespace media {

// The sound card through SDL2's audio. Without a usable sound system (CI has no card) SDL's
// "dummy" driver is taken instead, which pulls frames at the real pace and drops them.
// SDL's audio is started when a device is first listed or opened, not at start-up: some of
// its drivers keep a thread that looks for new devices ten times a second. Once started it
// stays: stopping it unloads the sound libraries, whose thread-local data other threads
// still point to.
class SdlAudio final : public AudioBackend {
public:
    static std::shared_ptr<SdlAudio> create();
    ~SdlAudio() override;

    std::vector<AudioDevice> outputDevices() override;
    std::unique_ptr<AudioStream> open(const std::string& identifier) override;

    // Whether SDL's audio is started now.
    bool isStarted() const { return m_initialised; }

private:
    SdlAudio() = default;
    bool start();
    void switchToDummy(const std::string& reason);

    bool m_initialised { false };
    bool m_dummy { false };
};

}
