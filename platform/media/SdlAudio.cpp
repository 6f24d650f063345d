#include "platform/media/SdlAudio.h"

#include "platform/base/Diagnostics.h"
#include "platform/media/LoadedLibraries.h"
#include "platform/media/Mixer.h"

#include <SDL2/SDL.h>
#include <atomic>
#include <functional>
#include <string>

namespace media {

namespace {

constexpr int kPreferredRate = 48000;
// About 10 ms at 48 kHz: short enough that a sound starts when it is asked for.
constexpr Uint16 kBufferFrames = 512;

class SdlStream final : public AudioStream {
public:
    SdlStream(const std::string& identifier, std::function<void()> onClosed)
        : m_onClosed(std::move(onClosed))
    {
        SDL_AudioSpec want {};
        want.freq = kPreferredRate;
        want.format = AUDIO_F32SYS;
        want.channels = 2;
        want.samples = kBufferFrames;
        want.callback = &SdlStream::callback;
        want.userdata = this;
        SDL_AudioSpec have {};
        const char* name = identifier == kSystemDefaultDevice ? nullptr : identifier.c_str();
        m_device = SDL_OpenAudioDevice(name, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (m_device != 0)
            m_sampleRate = have.freq;
    }

    ~SdlStream() override
    {
        if (m_device != 0)
            SDL_CloseAudioDevice(m_device);
        if (m_onClosed)
            m_onClosed();
    }

    bool isOpen() const { return m_device != 0; }
    int sampleRate() const override { return m_sampleRate; }

    void start(Mixer& mixer) override
    {
        m_mixer.store(&mixer);
        SDL_PauseAudioDevice(m_device, 0);
    }

private:
    static void callback(void* userdata, Uint8* stream, int length)
    {
        auto* self = static_cast<SdlStream*>(userdata);
        auto* out = reinterpret_cast<float*>(stream);
        std::size_t frames = std::size_t(length) / (2 * sizeof(float));
        if (auto* mixer = self->m_mixer.load())
            mixer->mix(out, frames);
        else
            SDL_memset(stream, 0, std::size_t(length));
    }

    SDL_AudioDeviceID m_device { 0 };
    int m_sampleRate { kPreferredRate };
    std::function<void()> m_onClosed;
    std::atomic<Mixer*> m_mixer { nullptr };
};

}

std::shared_ptr<SdlAudio> SdlAudio::create() { return std::shared_ptr<SdlAudio>(new SdlAudio); }

bool SdlAudio::start()
{
    // SDL's audio may not start again before its last stop is over.
    waitUntilStopped();
    bool wasInitialised = m_initialised;
    if (!m_initialised && !m_dummy) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
            m_initialised = true;
        else
            switchToDummy(SDL_GetError());
    } else if (!m_initialised) {
        m_initialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    }
    // The sound libraries SDL loaded stay when it stops again: see keepLoadedLibrariesForGood.
    if (m_initialised && !wasInitialised)
        keepLoadedLibrariesForGood();
    return m_initialised;
}

void SdlAudio::stopIfUnused()
{
    if (m_initialised && m_openStreams == 0) {
        m_initialised = false;
        waitUntilStopped();
        m_stopping = std::thread([] { SDL_QuitSubSystem(SDL_INIT_AUDIO); });
    }
}

void SdlAudio::waitUntilStopped()
{
    if (m_stopping.joinable())
        m_stopping.join();
}

void SdlAudio::streamClosed()
{
    --m_openStreams;
    stopIfUnused();
}

void SdlAudio::switchToDummy(const std::string& reason)
{
    base::diagnostic("No sound system is usable (" + reason + "); sound plays into nothing");
    waitUntilStopped();
    if (m_initialised)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    // SDL only takes its dummy driver when asked for it by name.
    SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    m_initialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    m_dummy = true;
    if (!m_initialised)
        base::diagnostic(std::string("SDL's dummy audio driver failed too: ") + SDL_GetError());
}

SdlAudio::~SdlAudio()
{
    waitUntilStopped();
    if (m_initialised)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::vector<AudioDevice> SdlAudio::outputDevices()
{
    std::vector<AudioDevice> devices;
    if (!start())
        return devices;
    int count = SDL_GetNumAudioDevices(0);
    for (int index = 0; index < count; ++index) {
        const char* name = SDL_GetAudioDeviceName(index, 0);
        // SDL names a device by its name alone, so the name is its identifier too.
        if (name && *name)
            devices.push_back({ name, name });
    }
    stopIfUnused();
    return devices;
}

std::unique_ptr<AudioStream> SdlAudio::open(const std::string& identifier)
{
    if (!start())
        return nullptr;
    auto closed = [weak = weak_from_this()] {
        if (auto self = weak.lock())
            self->streamClosed();
    };
    ++m_openStreams;
    auto stream = std::make_unique<SdlStream>(identifier, closed);
    if (!stream->isOpen() && identifier == kSystemDefaultDevice && !m_dummy) {
        // A driver that loads but has no card behind it (a headless machine).
        std::string why = SDL_GetError();
        // Counted again before the failed stream goes, so that its closing does not stop SDL's
        // audio on a thread while the dummy driver starts here.
        ++m_openStreams;
        stream.reset();
        switchToDummy(why);
        if (!m_initialised) {
            --m_openStreams;
            return nullptr;
        }
        stream = std::make_unique<SdlStream>(identifier, closed);
    }
    if (!stream->isOpen()) {
        base::diagnostic("Cannot open audio device " + identifier + ": " + SDL_GetError());
        return nullptr;
    }
    // A device's own plug-ins are loaded as it opens.
    keepLoadedLibrariesForGood();
    return stream;
}

}
