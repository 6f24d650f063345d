#include "platform/media/SoundFile.h"

#include "platform/base/Diagnostics.h"

#include <map>
#include <mutex>
#include <sndfile.h>
#include <tuple>
#include <vector>

namespace media {

namespace {

struct Stamp {
    std::uintmax_t size { 0 };
    std::filesystem::file_time_type modified {};
    bool operator==(const Stamp&) const = default;
};

struct Decoded {
    Stamp stamp;
    std::shared_ptr<const SoundData> data;
};

struct Cache {
    std::mutex mutex;
    std::map<std::filesystem::path, Decoded> decoded;
    std::map<std::tuple<std::filesystem::path, int, bool>, std::shared_ptr<const SoundData>> resampled;
};

Cache& cache()
{
    static Cache instance;
    return instance;
}

// Hours of audio would exhaust memory; nothing the program plays is longer than a minute.
constexpr sf_count_t kLongestFrames = sf_count_t(48000) * 60 * 10;

std::shared_ptr<const SoundData> decodeFile(const std::filesystem::path& path)
{
    SF_INFO info {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        base::diagnostic("Cannot decode sound file " + path.string() + ": " + sf_strerror(nullptr));
        return nullptr;
    }
    std::shared_ptr<const SoundData> result;
    if (info.channels <= 0 || info.samplerate <= 0 || info.frames < 0 || info.frames > kLongestFrames) {
        base::diagnostic("Sound file " + path.string() + " has an unusable format");
    } else {
        std::vector<float> samples(std::size_t(info.frames) * info.channels);
        sf_count_t read = sf_readf_float(file, samples.data(), info.frames);
        if (read <= 0 && info.frames > 0)
            base::diagnostic("Sound file " + path.string() + " holds no readable samples");
        else
            result = SoundData::fromInterleaved(samples.data(), std::size_t(read), info.channels, info.samplerate, path);
    }
    sf_close(file);
    return result;
}

}

std::shared_ptr<const SoundData> SoundFile::decode(const std::filesystem::path& path)
{
    std::error_code error;
    Stamp stamp { std::filesystem::file_size(path, error), {} };
    if (error) {
        base::diagnostic("Sound file " + path.string() + " is missing");
        return nullptr;
    }
    stamp.modified = std::filesystem::last_write_time(path, error);

    auto& c = cache();
    {
        std::lock_guard lock(c.mutex);
        auto found = c.decoded.find(path);
        if (found != c.decoded.end() && found->second.stamp == stamp)
            return found->second.data;
    }
    auto data = decodeFile(path);
    if (!data)
        return nullptr;
    std::lock_guard lock(c.mutex);
    c.decoded[path] = { stamp, data };
    std::erase_if(c.resampled, [&](const auto& entry) { return std::get<0>(entry.first) == path; });
    return data;
}

std::shared_ptr<const SoundData> SoundFile::atRate(
    const std::shared_ptr<const SoundData>& sound, int sampleRate, bool periodic)
{
    if (!sound || sound->sampleRate == sampleRate)
        return sound;
    if (sound->source.empty())
        return resample(*sound, sampleRate, periodic);
    auto& c = cache();
    auto key = std::make_tuple(sound->source, sampleRate, periodic);
    {
        std::lock_guard lock(c.mutex);
        auto found = c.resampled.find(key);
        if (found != c.resampled.end())
            return found->second;
    }
    auto converted = resample(*sound, sampleRate, periodic);
    std::lock_guard lock(c.mutex);
    c.resampled[key] = converted;
    return converted;
}

void SoundFile::clearCache()
{
    auto& c = cache();
    std::lock_guard lock(c.mutex);
    c.decoded.clear();
    c.resampled.clear();
}

}
