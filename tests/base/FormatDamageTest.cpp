#include "tests/base/fuzz/PropertyListCheck.h"
#include "tests/base/fuzz/SettingsFileCheck.h"
#include "tests/support/Mutations.h"

#include "platform/base/Diagnostics.h"

#include <filesystem>
#include <gtest/gtest.h>

// The fuzz targets' checks, on a bounded number of damaged copies of their seeds.

namespace {
struct Quiet {
    Quiet() { m_previous = base::setDiagnosticSink([](std::string_view) {}); }
    ~Quiet() { base::setDiagnosticSink(m_previous); }
    base::DiagnosticSink m_previous;
};
}

TEST(SettingsFileDamage, RandomMutationsKeepEveryValueOrTheWholeFileAside)
{
    Quiet quiet;
    auto samples = ostrel::test::Mutations::seeds("tests/base/fuzz/seeds/fuzz_settings_file");
    ASSERT_FALSE(samples.empty());
    std::filesystem::path folder = std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "damage";
    std::filesystem::create_directories(folder);
    ostrel::test::Mutations mutations(20261207, { "{", "}", "[", "]", ":", ",", "\"", "null", "$data", "$date", "\\u00", "1e400", "-", "\xFF" });
    for (int round = 0; round < 300; ++round) {
        std::string data = mutations.of(samples[std::size_t(round) % samples.size()]);
        auto problem = ostrel::test::settingsFileProblem(data, folder);
        ASSERT_FALSE(problem) << *problem << " in:\n" << data;
    }
}

TEST(PropertyListDamage, RandomMutationsNeverCrashAndStayStable)
{
    Quiet quiet;
    auto samples = ostrel::test::Mutations::seeds("tests/base/fuzz/seeds/fuzz_property_list");
    ASSERT_FALSE(samples.empty());
    ostrel::test::Mutations mutations(20261208, { "<dict>", "</dict>", "<key>k</key>", "<array>", "</array>", "<real>",
        "</real>", "<integer>", "<data>", "<date>", "&amp;", "&#0;", "<![CDATA[", "]]>", "<!DOCTYPE x [<!ENTITY e \"ee\">]>", "\xFF" });
    for (int round = 0; round < 2000; ++round) {
        std::string data = mutations.of(samples[std::size_t(round) % samples.size()]);
        auto problem = ostrel::test::propertyListProblem(data);
        ASSERT_FALSE(problem) << *problem << " in:\n" << data;
    }
}
