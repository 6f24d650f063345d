#pragma once

#include "platform/base/Defaults.h"
#include "platform/base/Files.h"
#include "platform/base/Json.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace ostrel::test {

// Any bytes as the settings file in `folder` (which it empties first): a file that is no
// settings dictionary is kept aside whole and the store starts empty; otherwise every value
// reads back as the file has it, through every typed read, and survives the store's own
// rewrite. Answers what went wrong, if anything.
inline std::optional<std::string> settingsFileProblem(std::string_view bytes, const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored))
        fs::remove_all(entry.path(), ignored);
    fs::path file = folder / "defaults.json";
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));

    auto document = base::parseJson(bytes);
    const base::Value::Dictionary* stored = document ? document->asDictionary() : nullptr;
    auto defaults = base::Defaults::create(file);
    if (!stored) {
        if (fs::exists(file))
            return "a damaged settings file was left where the next write replaces it";
        int copies = 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (++copies > 1 || base::files::readBytes(entry.path(), bytes.size() + 1) != std::string(bytes))
                return "a damaged settings file was not kept aside whole";
        }
        if (copies != 1)
            return "a damaged settings file was not kept aside";
        return std::nullopt;
    }

    const std::string touched = "ostrel.check.touched";
    for (const auto& [key, value] : *stored) {
        auto read = defaults->object(key);
        if (!read || !(*read == value))
            return "the value of \"" + key + "\" reads back different";
        // Whatever the value, a typed read converts it or answers nothing.
        (void)defaults->boolean(key);
        (void)defaults->integer(key);
        (void)defaults->real(key);
        (void)defaults->string(key);
        (void)defaults->data(key);
        (void)defaults->array(key);
        (void)defaults->dictionary(key);
    }
    defaults->set(touched, base::Value(true));
    if (!defaults->synchronize())
        return "the settings could not be written back";
    auto again = base::Defaults::create(file);
    for (const auto& [key, value] : *stored) {
        auto read = again->object(key);
        if (key != touched && (!read || !(*read == value)))
            return "the value of \"" + key + "\" changed when the store rewrote the file";
    }
    if (!again->boolean(touched))
        return "a value set was not written";
    return std::nullopt;
}

}
