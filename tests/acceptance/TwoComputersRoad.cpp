// Two computers keep one log in a shared (Dropbox) folder: each logs a slice into a day file
// of its own, named for its own network card, and each reads the other's. The second
// computer is the program in a home of its own that sees a network card of its own: a made-up
// /sys/class/net mounted over the machine's in a mount namespace of that program alone.
#include "Road.h"

#include "log/ComputerIdentifier.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace ostrel::acceptance {
namespace {

namespace fs = std::filesystem;

class TwoComputersRoad : public Road {
protected:
    void SetUp() override
    {
        Road::SetUp();
        // Without mount namespaces (a container that forbids them) there is no second card.
        if (std::system("unshare -rm --propagation private true >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "unshare cannot make a mount namespace here";
        fs::create_directories(sharedLogs());
    }

    fs::path shared() const { return m_home.path() / "Dropbox"; }
    fs::path sharedLogs() const { return shared() / "Ostrel" / "System Logs"; }

    nlohmann::json settings() const
    {
        return { { "dropboxSync", true }, { "dropboxLocation", shared().string() }, { "durationInSeconds", 120 },
            { "shouldUseSoftBreak", false } };
    }

    // The other computer's program: its network card is eth0 with the address given.
    Launch onTheOtherComputer(const std::string& address)
    {
        fs::path cards = m_other.path() / "net";
        fs::create_directories(cards / "eth0" / "device");
        std::ofstream(cards / "eth0" / "address") << address << "\n";
        Launch launch = Launch::atSpeed(60);
        launch.program = "/usr/bin/unshare";
        launch.arguments = { "-rm", "--propagation", "private", "sh", "-c",
            "mount --bind \"$1\" /sys/class/net && exec \"$2\"", "sh", cards.string(), Program::built().string() };
        return launch;
    }

    // A slice typed, run and logged; answers once its entry has been read back with the
    // log's others, `entries` in all.
    void logSlice(Program& program, const std::string& objective, int entries)
    {
        auto main = mainWindow(program);
        ASSERT_TRUE(desktop().focus(main) && desktop().type(objective));
        std::size_t before = program.lineCount();
        ASSERT_TRUE(desktop().key("Return"));
        ASSERT_TRUE(program.waitForScreen("RateTimeSliceState", 30, before)) << program.transcript();
        ASSERT_TRUE(desktop().focus(mainWindow(program)) && desktop().key("Return"));
        ASSERT_TRUE(program.waitForLine("loading " + std::to_string(entries) + " time slices", 20, before))
            << program.transcript();
    }

    static std::vector<std::string> dayFileNames(const fs::path& folder)
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename().string().rfind("System Log Day ", 0) == 0)
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    Home m_other;
};

TEST_F(TwoComputersRoad, EachWritesItsOwnDayFileAndReadsTheOthers)
{
    std::string here = ComputerIdentifier::current();
    ASSERT_NE(here, "default") << "this machine's network card names none of its files";
    auto withSettings = Home::returningUser();
    withSettings.update(settings());

    auto& first = startReturning(settings(), Launch::atSpeed(60));
    logSlice(first, "Written here", 1);
    EXPECT_EQ(stop(), "exit 0");

    // The other computer finds this one's entry, and adds its own beside it.
    m_other.writeSettings(withSettings);
    auto other = Program::start(m_other, onTheOtherComputer("0a:1b:2c:3d:4e:5f"));
    ASSERT_TRUE(other);
    ASSERT_TRUE(other->waitForLine("loading 1 time slices", 30)) << other->transcript();
    logSlice(*other, "Written there", 2);
    auto ended = other->stop();
    EXPECT_TRUE(ended && ended->cleanly()) << other->transcript();

    auto names = dayFileNames(sharedLogs());
    ASSERT_EQ(names.size(), 2u) << "each computer writes a day file of its own";
    auto named = [&](const std::string& computer) {
        return std::any_of(names.begin(), names.end(),
            [&](const std::string& name) { return name.ends_with(" (" + computer + ").rtfd"); });
    };
    EXPECT_TRUE(named(here)) << names[0] << ", " << names[1];
    EXPECT_TRUE(named("a1b2c3d4e5f")) << names[0] << ", " << names[1];

    // Back here, both entries are read.
    auto& again = startReturning(settings(), Launch::atSpeed(60));
    EXPECT_TRUE(again.waitForLine("loading 2 time slices", 30)) << again.transcript();
    EXPECT_EQ(stop(), "exit 0");
}

}
}
