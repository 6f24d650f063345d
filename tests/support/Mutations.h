#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::test {

// Bounded random damage for the mutation cases that stand beside each fuzz target in the
// ordinary test run: cuts, inserted tokens of the format, overwritten bytes and repeated
// pieces, the edits a fuzzer starts with. A fixed seed brings a failure back on every run.
class Mutations {
public:
    Mutations(std::uint32_t seed, std::initializer_list<std::string_view> tokens)
        : m_random(seed)
        , m_tokens(tokens)
    {
    }

    // One to six edits of `data`.
    std::string of(std::string data)
    {
        int edits = 1 + int(m_random() % 6);
        for (int e = 0; e < edits && !data.empty(); ++e) {
            std::size_t at = m_random() % data.size();
            switch (m_random() % 4) {
            case 0:
                data.erase(at, 1 + m_random() % 8);
                break;
            case 1:
                if (!m_tokens.empty())
                    data.insert(at, m_tokens[m_random() % m_tokens.size()]);
                break;
            case 2:
                data[at] = char(m_random());
                break;
            default:
                data.insert(at, data.substr(m_random() % data.size(), m_random() % 40));
            }
        }
        return data;
    }

    // The files a fuzz target starts from (`folder` below the source tree, as
    // "tests/base/fuzz/seeds/fuzz_settings_file"), sorted by name: the valid samples the
    // mutation cases damage.
    static std::vector<std::string> seeds(const std::string& folder)
    {
        const char* source = std::getenv("OSTREL_SOURCE");
        std::vector<std::filesystem::path> paths;
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(source ? source : ".") / folder, ignored))
            paths.push_back(entry.path());
        std::sort(paths.begin(), paths.end());
        std::vector<std::string> contents;
        for (const auto& path : paths) {
            std::ifstream file(path, std::ios::binary);
            contents.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }
        return contents;
    }

private:
    std::mt19937 m_random;
    std::vector<std::string_view> m_tokens;
};

}
