#pragma once

#include "platform/media/AudioBackend.h"

#include <memory>

namespace media {

// The sound card through SDL2's audio. Without a usable sound system (CI has no card) SDL's
// "dummy" driver is taken instead, which pulls frames at the real pace and drops them.
// SDL's audio is started only while a device is open or listed: some of its drivers keep a
// thread that looks for new devices ten times a second. The libraries it loads stay loaded.
class SdlAudio final : public AudioBackend, public std::enable_shared_from_this<SdlAudio> {
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
    // Stops SDL's audio once no stream of ours is open.
    void stopIfUnused();
    void streamClosed();
    void switchToDummy(const std::string& reason);

    bool m_initialised { false };
    bool m_dummy { false };
    int m_openStreams { 0 };
};

}
