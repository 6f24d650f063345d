#pragma once

#include "tools/soundgen/Synth.h"

#include <functional>
#include <string>
#include <vector>

namespace soundgen {

struct Recipe {
    std::string name;
    std::function<Samples()> make;
};

// Every sound the library's lists name, by file name.
const std::vector<Recipe>& recipes();

}
