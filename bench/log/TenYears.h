#pragma once

#include <filesystem>

namespace bench {

// The generated ten-year log folder (3,650 day files, about 55,000 slices), made once and
// kept in the temporary folder between runs.
const std::filesystem::path& tenYears();

// A fresh program's state: no file cached, no tag known.
void forgetEverything();

}
