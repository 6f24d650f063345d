#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace ostrel::loggen {

// What a generated log folder looks like: a run of days ending on `lastDay`, each with its
// slices spread over up to three computers' day files, the oldest days in the two older
// formats that earlier installations left behind.
struct Options {
    int years { 10 };
    int computers { 1 };
    int minSlicesPerDay { 10 };
    int maxSlicesPerDay { 20 };
    std::uint32_t seed { 1 };
    // Local date of the newest day, seconds since the reference date; 0 means 2026-12-31.
    double lastDay { 0 };
    // The oldest days as plain-text files named with an identifier of four hyphenated parts
    // (CR LF line ends, some fields missing) ...
    int plainTextDays { 0 };
    // ... and the next ones as packages named without a computer identifier.
    int unnamedDays { 0 };
};

struct Summary {
    std::size_t files { 0 };
    std::size_t slices { 0 };
    std::size_t bytes { 0 };
};

// Writes the folder (created when missing); existing files of the same names are replaced.
Summary generate(const std::filesystem::path& folder, const Options& options);

}
