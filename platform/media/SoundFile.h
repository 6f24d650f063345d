#pragma once

#include <filesystem>
#include <memory>

#include "platform/media/SoundData.h"

namespace media {

// Sound files (AIFF, WAV, Ogg Vorbis) decoded through libsndfile. Each file is decoded once
// and kept, and each rate it is played at is computed once; a file that changed on disk
// since (a different size or modification time) is decoded again.
class SoundFile {
public:
    // The file as it is, or nullptr (with a diagnostic line) when it is missing or cannot be
    // decoded.
    static std::shared_ptr<const SoundData> decode(const std::filesystem::path& path);

    // The sound at the given rate, cached by file and rate.
    static std::shared_ptr<const SoundData> atRate(
        const std::shared_ptr<const SoundData>& sound, int sampleRate, bool periodic);

    static void clearCache();
};

}
