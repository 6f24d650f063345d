#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// The generated ten-year log folder (3,650 day files, about 55,000 slices), made once and
// kept in the temporary folder between runs.
const std::filesystem::path& tenYears();

// A fresh program's state: no file cached, no tag known.
void forgetEverything();

// Every plain file under the folder, in name order.
std::vector<std::string> filesIn(const std::filesystem::path& folder);

// Seconds one `cat` of the files takes, its output thrown away: what reading them costs a
// program that only wants their bytes. None when it failed.
std::optional<double> catSeconds(const std::vector<std::string>& files);

}
