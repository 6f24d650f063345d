// soundgen OUTPUT_FOLDER NAME...: writes each named sound as OUTPUT_FOLDER/NAME.aif (mono,
// 48 kHz, 16-bit). Run by the build, so the repository holds no audio.
#include "tools/soundgen/Recipes.h"

#include <cstdio>
#include <filesystem>
#include <sndfile.h>
#include <string>

namespace {

bool write(const std::filesystem::path& path, const soundgen::Samples& samples)
{
    SF_INFO info {};
    info.samplerate = soundgen::kRate;
    info.channels = 1;
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    // Written beside the target and renamed, so an interrupted build leaves no half file.
    auto temporary = path.parent_path() / ("." + path.filename().string() + ".tmp");
    SNDFILE* file = sf_open(temporary.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "soundgen: cannot write %s: %s\n", temporary.c_str(), sf_strerror(nullptr));
        return false;
    }
    sf_count_t written = sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    std::error_code error;
    if (written != sf_count_t(samples.size()) || (std::filesystem::rename(temporary, path, error), error)) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: soundgen OUTPUT_FOLDER NAME...\n");
        return 2;
    }
    std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    int failures = 0;
    for (int index = 2; index < argc; ++index) {
        std::string name = argv[index];
        const soundgen::Recipe* recipe = nullptr;
        for (const auto& candidate : soundgen::recipes()) {
            if (candidate.name == name)
                recipe = &candidate;
        }
        if (!recipe) {
            std::fprintf(stderr, "soundgen: no recipe for %s\n", name.c_str());
            ++failures;
            continue;
        }
        if (!write(folder / (name + ".aif"), recipe->make()))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
