#pragma once

#include "platform/media/AudioBackend.h"

namespace media {

// The sound card through SDL2's audio. Without a usable sound system (CI has no card) SDL's
// "dummy" driver is taken instead, which pulls frames at the real pace and drops them.
class SdlAudio final : public AudioBackend {
public:
    static std::shared_ptr<SdlAudio> create();
    ~SdlAudio() override;

    std::vector<AudioDevice> outputDevices() override;
    std::unique_ptr<AudioStream> open(const std::string& identifier) override;

private:
    SdlAudio() = default;
    void switchToDummy(const std::string& reason);

    bool m_initialised { false };
    bool m_dummy { false };
};

}
