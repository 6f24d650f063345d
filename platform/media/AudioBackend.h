#pragma once

#include "platform/media/Forward.h"

#include <memory>
#include <string>
#include <vector>

namespace media {

// The identifier of the entry that follows whatever the system currently calls its default.
inline constexpr const char* kSystemDefaultDevice = "useSystemDefault";

struct AudioDevice {
    std::string identifier;
    std::string name;

    bool operator==(const AudioDevice&) const = default;
};

// What the output tells its backend about a voice; only the recording sink cares.
struct VoiceEvent {
    enum class Kind { Started, Stopped, VolumeChanged, Finished };
    Kind kind { Kind::Started };
    VoiceId voice { 0 };
    std::string label;
    std::string device;
    float volume { 1 };
    bool loop { false };

    bool operator==(const VoiceEvent&) const = default;
};

// One open output: pulls mixed frames from its mixer once started, until destroyed.
class AudioStream {
public:
    virtual ~AudioStream() = default;
    virtual int sampleRate() const = 0;
    // The mixer must outlive the stream.
    virtual void start(Mixer& mixer) = 0;
};

// Where mixed sound goes: the sound card through SDL, or a recording that tests read.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // The devices present now, without the system default entry.
    virtual std::vector<AudioDevice> outputDevices() = 0;

    // Opens a device by identifier (kSystemDefaultDevice for the default), paused; nullptr
    // when it cannot be opened.
    virtual std::unique_ptr<AudioStream> open(const std::string& identifier) = 0;

    virtual void voiceEvent(const VoiceEvent&) { }
};

}
