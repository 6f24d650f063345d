#include "platform/media/AudioOutput.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/MainQueue.h"
#include "platform/media/SampleStream.h"
#include "platform/media/SdlAudio.h"
#include "platform/media/SoundData.h"
#include "platform/media/SoundFile.h"

#include <algorithm>
#include <cmath>

namespace media {

namespace {

// Stands in for the real output until start-up installs one: plays into nothing.
class SilentBackend final : public AudioBackend {
public:
    std::vector<AudioDevice> outputDevices() override { return {}; }
    std::unique_ptr<AudioStream> open(const std::string&) override { return nullptr; }
};

std::mutex& installedMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<AudioOutput>& installed()
{
    static std::shared_ptr<AudioOutput> output;
    return output;
}

}

std::shared_ptr<AudioOutput> AudioOutput::create(Poster poster, std::shared_ptr<AudioBackend> backend)
{
    return std::shared_ptr<AudioOutput>(new AudioOutput(std::move(poster), std::move(backend)));
}

AudioOutput::AudioOutput(Poster poster, std::shared_ptr<AudioBackend> backend)
    : m_poster(std::move(poster))
    , m_backend(std::move(backend))
{
}

namespace {
// Long enough that a sound every few seconds (ticking, warnings) keeps its device open.
constexpr double kCloseSilentDeviceAfter = 10;
}

AudioOutput::~AudioOutput()
{
    if (m_closeSilentDevices)
        m_closeSilentDevices->invalidate();
    // Streams first: their threads read the mixers.
    for (auto& [identifier, output] : m_outputs)
        output.stream.reset();
}

void AudioOutput::install(std::shared_ptr<AudioOutput> output)
{
    std::lock_guard lock(installedMutex());
    installed() = std::move(output);
}

std::shared_ptr<AudioOutput> AudioOutput::startProgramOutput()
{
    auto output = create([](std::function<void()> task) { base::MainQueue::async(std::move(task)); }, SdlAudio::create());
    install(output);
    return output;
}

std::shared_ptr<AudioOutput> AudioOutput::current()
{
    std::lock_guard lock(installedMutex());
    if (!installed()) {
        base::diagnostic("Sound was asked for before the audio output was started; it plays into nothing");
        installed() = create([](std::function<void()> task) { task(); }, std::make_shared<SilentBackend>());
    }
    return installed();
}

std::vector<AudioDevice> AudioOutput::outputDevices()
{
    std::vector<AudioDevice> devices { { kSystemDefaultDevice, "System Default" } };
    for (auto& device : m_backend->outputDevices())
        devices.push_back(std::move(device));
    return devices;
}

Mixer* AudioOutput::open(const std::string& identifier)
{
    auto found = m_outputs.find(identifier);
    if (found != m_outputs.end())
        return found->second.mixer.get();
    auto stream = m_backend->open(identifier);
    if (!stream)
        return nullptr;
    auto mixer = std::make_unique<Mixer>(stream->sampleRate());
    mixer->on_voice_finished = [weak = weak_from_this(), poster = m_poster](VoiceId voice, bool completed) {
        poster([weak, voice, completed] {
            if (auto self = weak.lock())
                self->finished(voice, completed);
        });
    };
    stream->start(*mixer);
    auto* result = mixer.get();
    m_outputs[identifier] = { std::move(mixer), std::move(stream) };
    return result;
}

std::pair<std::string, Mixer*> AudioOutput::resolve(const std::string& requested)
{
    if (!requested.empty() && requested != kSystemDefaultDevice) {
        auto devices = m_backend->outputDevices();
        bool present = std::any_of(
            devices.begin(), devices.end(), [&](const AudioDevice& device) { return device.identifier == requested; });
        if (present) {
            if (auto* mixer = open(requested))
                return { requested, mixer };
            base::diagnostic("Audio device " + requested + " cannot be opened; playing on the system default");
        } else {
            base::diagnostic("Audio device " + requested + " is not connected; playing on the system default");
            auto gone = m_outputs.find(requested);
            if (gone != m_outputs.end()) {
                gone->second.stream.reset();
                m_outputs.erase(gone);
                std::vector<VoiceId> orphans;
                for (const auto& [voice, playing] : m_playing) {
                    if (playing.device == requested)
                        orphans.push_back(voice);
                }
                for (auto voice : orphans)
                    finished(voice, false);
            }
        }
    }
    return { kSystemDefaultDevice, open(kSystemDefaultDevice) };
}

int AudioOutput::sampleRate(const std::string& device)
{
    auto [identifier, mixer] = resolve(device);
    return mixer ? mixer->sampleRate() : 48000;
}

VoiceId AudioOutput::start(VoiceSource source, const PlayOptions& options, FinishedHandler onFinished)
{
    auto [device, mixer] = resolve(options.device);
    if (!mixer) {
        base::diagnostic("No audio output can be opened; " + options.label + " is not played");
        return 0;
    }
    if (source.sound) {
        source.sound = SoundFile::atRate(source.sound, mixer->sampleRate(), source.loop);
        double start = std::max(0.0, options.startSeconds);
        source.startFrame = std::size_t(std::llround(start * mixer->sampleRate()));
    }
    VoiceId voice = m_nextVoice++;
    float volume = std::clamp(options.volume, 0.0f, 1.0f);
    m_playing[voice] = { device, options.label, volume, std::move(onFinished) };
    m_backend->voiceEvent({ VoiceEvent::Kind::Started, voice, options.label, device, volume, source.loop });
    mixer->add(voice, std::move(source), volume);
    return voice;
}

VoiceId AudioOutput::play(
    const std::shared_ptr<const SoundData>& sound, const PlayOptions& options, FinishedHandler onFinished)
{
    if (!sound)
        return 0;
    return start({ .sound = sound, .loop = options.loop }, options, std::move(onFinished));
}

VoiceId AudioOutput::play(
    const std::shared_ptr<SampleStream>& stream, const PlayOptions& options, FinishedHandler onFinished)
{
    if (!stream)
        return 0;
    return start({ .stream = stream }, options, std::move(onFinished));
}

Mixer* AudioOutput::mixerOf(VoiceId voice) const
{
    auto playing = m_playing.find(voice);
    if (playing == m_playing.end())
        return nullptr;
    auto output = m_outputs.find(playing->second.device);
    return output == m_outputs.end() ? nullptr : output->second.mixer.get();
}

void AudioOutput::stop(VoiceId voice, double fadeSeconds)
{
    auto* mixer = mixerOf(voice);
    if (!mixer)
        return;
    auto& playing = m_playing[voice];
    if (playing.stopped || !mixer->stop(voice, fadeSeconds))
        return;
    playing.stopped = true;
    m_backend->voiceEvent({ VoiceEvent::Kind::Stopped, voice, playing.label, playing.device, playing.volume, false });
}

void AudioOutput::setVolume(VoiceId voice, float volume)
{
    auto* mixer = mixerOf(voice);
    if (!mixer)
        return;
    auto& playing = m_playing[voice];
    playing.volume = std::clamp(volume, 0.0f, 1.0f);
    mixer->setVolume(voice, playing.volume);
    m_backend->voiceEvent(
        { VoiceEvent::Kind::VolumeChanged, voice, playing.label, playing.device, playing.volume, false });
}

bool AudioOutput::isPlaying(VoiceId voice) const
{
    auto* mixer = mixerOf(voice);
    return mixer && mixer->contains(voice);
}

std::optional<double> AudioOutput::position(VoiceId voice) const
{
    auto* mixer = mixerOf(voice);
    return mixer ? mixer->position(voice) : std::nullopt;
}

std::string AudioOutput::deviceOf(VoiceId voice) const
{
    auto playing = m_playing.find(voice);
    return playing == m_playing.end() ? std::string() : playing->second.device;
}

void AudioOutput::finished(VoiceId voice, bool completed)
{
    auto found = m_playing.find(voice);
    if (found == m_playing.end())
        return;
    auto playing = std::move(found->second);
    m_playing.erase(found);
    m_backend->voiceEvent({ VoiceEvent::Kind::Finished, voice, playing.label, playing.device, playing.volume, false });
    if (m_playing.empty()) {
        if (m_closeSilentDevices)
            m_closeSilentDevices->invalidate();
        m_closeSilentDevices = base::Timer::create(kCloseSilentDeviceAfter, false, base::RunLoop::Mode::Common,
            [weak = weak_from_this()](base::Timer&) {
                if (auto self = weak.lock())
                    self->closeSilentDevices();
            });
    }
    if (playing.onFinished)
        playing.onFinished(completed);
}

void AudioOutput::closeSilentDevices()
{
    m_closeSilentDevices.reset();
    for (auto output = m_outputs.begin(); output != m_outputs.end();) {
        bool silent = std::none_of(m_playing.begin(), m_playing.end(),
            [&](const auto& playing) { return playing.second.device == output->first; });
        if (silent) {
            // The stream first: its thread reads the mixer.
            output->second.stream.reset();
            output = m_outputs.erase(output);
        } else {
            ++output;
        }
    }
}

}
