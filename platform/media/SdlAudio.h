#pragma once

#include "platform/media/AudioBackend.h"

#include <memory>
#include <thread>

namespace media {

// The sound card through SDL2's audio. Without a usable sound system (CI has no card) SDL's
// "dummy" driver is taken instead, which pulls frames at the real pace and drops them.
// SDL's audio is started only while a device is open or listed: some of its drivers keep a
// thread that looks for new devices ten times a second. The libraries it loads stay loaded.
// Stopping waits for that thread's next look, up to a tenth of a second, so it is done on a
// thread of its own: listing the devices as the program starts no longer holds up its window.
class SdlAudio final : public AudioBackend, public std::enable_shared_from_this<SdlAudio> {
public:
    static std::shared_ptr<SdlAudio> create();
    ~SdlAudio() override;

    std::vector<AudioDevice> outputDevices() override;
    std::unique_ptr<AudioStream> open(const std::string& identifier) override;

    // Whether SDL's audio is started now (a stop under way counts as stopped).
    bool isStarted() const { return m_initialised; }
    // Waits until a stop under way is over. Starting again waits for it anyway.
    void waitUntilStopped();

private:
    SdlAudio() = default;
    bool start();
    // Stops SDL's audio once no stream of ours is open.
    void stopIfUnused();
    void streamClosed();
    void switchToDummy(const std::string& reason);

    bool m_initialised { false };
    std::thread m_stopping;
    bool m_dummy { false };
    int m_openStreams { 0 };
};

}
