#pragma once

#include <cstdint>
#include <functional>

namespace media {

struct AudioDevice;
struct SoundData;
struct SpeechVoice;
class AudioBackend;
class AudioOutput;
class AudioStream;
class LoopPlayer;
class Mixer;
class RecordingSink;
class SampleStream;
class Sound;
class Speech;

// Identifies one playing sound, speech or loop for as long as it sounds; 0 is never used.
using VoiceId = std::uint64_t;

// Hands work to the main thread; base::MainQueue::async is the one the program gives.
using Poster = std::function<void(std::function<void()>)>;

}
