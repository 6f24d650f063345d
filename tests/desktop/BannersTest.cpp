#include "platform/desktop/Banners.h"

#include "tests/desktop/DesktopTesting.h"
#include "tests/support/TemporaryHome.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <dbus/dbus.h>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using desktop::Banner;
using desktop::Banners;

namespace {
// A session bus of the test's own, which starts no services: whatever notification server
// the machine has installed never answers here.
class PrivateBus {
public:
    explicit PrivateBus(const std::filesystem::path& folder)
    {
        std::filesystem::path config = folder / "bus.conf";
        std::ofstream(config) << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
                                 "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                                 "<busconfig><type>session</type><listen>unix:dir="
                              << folder.string()
                              << "</listen><policy context=\"default\"><allow user=\"*\"/>"
                                 "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/>"
                                 "</policy></busconfig>\n";
        int out[2];
        if (pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::string configArgument = "--config-file=" + config.string();
        const char* argv[] = { "dbus-daemon", configArgument.c_str(), "--nofork", "--print-address=1", nullptr };
        if (posix_spawnp(&m_pid, "dbus-daemon", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
            m_pid = 0;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        // The daemon prints its address once it listens; reading it is the wait.
        char buffer[512];
        ssize_t length = m_pid ? read(out[0], buffer, sizeof buffer - 1) : 0;
        close(out[0]);
        if (length > 0) {
            m_address.assign(buffer, std::size_t(length));
            m_address.erase(m_address.find_last_not_of('\n') + 1);
        }
    }
    ~PrivateBus()
    {
        if (m_pid) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    const std::string& address() const { return m_address; }

private:
    pid_t m_pid { 0 };
    std::string m_address;
};

// Answers as a notification server does and remembers what it was asked.
class FakeNotificationServer {
public:
    struct Notification {
        std::string summary;
        std::string body;
        std::vector<std::string> actions;
        std::string soundName;
        int expires { 0 };
    };

    FakeNotificationServer(const std::string& address, std::vector<std::string> capabilities)
        : m_capabilities(std::move(capabilities))
    {
        m_connection = dbus_connection_open_private(address.c_str(), nullptr);
        if (!m_connection || !dbus_bus_register(m_connection, nullptr))
            return;
        if (dbus_bus_request_name(m_connection, "org.freedesktop.Notifications", DBUS_NAME_FLAG_DO_NOT_QUEUE, nullptr)
            != DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER)
            return;
        dbus_connection_add_filter(m_connection, &FakeNotificationServer::filter, this, nullptr);
        m_thread = std::thread([this] {
            while (!m_stop && dbus_connection_read_write_dispatch(m_connection, 50)) { }
        });
    }
    ~FakeNotificationServer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_connection) {
            dbus_connection_close(m_connection);
            dbus_connection_unref(m_connection);
        }
    }
    bool isServing() const { return m_thread.joinable(); }

    std::vector<Notification> notifications()
    {
        std::lock_guard lock(m_mutex);
        return m_notifications;
    }
    std::vector<dbus_uint32_t> closed()
    {
        std::lock_guard lock(m_mutex);
        return m_closed;
    }

private:
    static DBusHandlerResult filter(DBusConnection* connection, DBusMessage* message, void* data)
    {
        auto* self = static_cast<FakeNotificationServer*>(data);
        const char* interface = "org.freedesktop.Notifications";
        DBusMessage* reply = nullptr;
        if (dbus_message_is_method_call(message, interface, "GetCapabilities")) {
            reply = dbus_message_new_method_return(message);
            DBusMessageIter args;
            DBusMessageIter array;
            dbus_message_iter_init_append(reply, &args);
            dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "s", &array);
            for (const auto& capability : self->m_capabilities) {
                const char* value = capability.c_str();
                dbus_message_iter_append_basic(&array, DBUS_TYPE_STRING, &value);
            }
            dbus_message_iter_close_container(&args, &array);
        } else if (dbus_message_is_method_call(message, interface, "Notify")) {
            std::lock_guard lock(self->m_mutex);
            self->m_notifications.push_back(read(message));
            reply = dbus_message_new_method_return(message);
            dbus_uint32_t id = dbus_uint32_t(100 + self->m_notifications.size());
            dbus_message_append_args(reply, DBUS_TYPE_UINT32, &id, DBUS_TYPE_INVALID);
        } else if (dbus_message_is_method_call(message, interface, "CloseNotification")) {
            dbus_uint32_t id = 0;
            dbus_message_get_args(message, nullptr, DBUS_TYPE_UINT32, &id, DBUS_TYPE_INVALID);
            std::lock_guard lock(self->m_mutex);
            self->m_closed.push_back(id);
            reply = dbus_message_new_method_return(message);
        } else {
            return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
        }
        dbus_connection_send(connection, reply, nullptr);
        dbus_message_unref(reply);
        return DBUS_HANDLER_RESULT_HANDLED;
    }

    static std::string nextString(DBusMessageIter* iter)
    {
        const char* value = "";
        if (dbus_message_iter_get_arg_type(iter) == DBUS_TYPE_STRING)
            dbus_message_iter_get_basic(iter, &value);
        dbus_message_iter_next(iter);
        return value;
    }

    static Notification read(DBusMessage* message)
    {
        Notification notification;
        DBusMessageIter args;
        dbus_message_iter_init(message, &args);
        nextString(&args);
        dbus_message_iter_next(&args);
        nextString(&args);
        notification.summary = nextString(&args);
        notification.body = nextString(&args);
        DBusMessageIter actions;
        dbus_message_iter_recurse(&args, &actions);
        while (dbus_message_iter_get_arg_type(&actions) == DBUS_TYPE_STRING)
            notification.actions.push_back(nextString(&actions));
        dbus_message_iter_next(&args);
        DBusMessageIter hints;
        dbus_message_iter_recurse(&args, &hints);
        while (dbus_message_iter_get_arg_type(&hints) == DBUS_TYPE_DICT_ENTRY) {
            DBusMessageIter entry;
            DBusMessageIter variant;
            dbus_message_iter_recurse(&hints, &entry);
            std::string key = nextString(&entry);
            dbus_message_iter_recurse(&entry, &variant);
            if (key == "sound-name")
                notification.soundName = nextString(&variant);
            dbus_message_iter_next(&hints);
        }
        dbus_message_iter_next(&args);
        dbus_int32_t expires = 0;
        dbus_message_iter_get_basic(&args, &expires);
        notification.expires = expires;
        return notification;
    }

    std::vector<std::string> m_capabilities;
    DBusConnection* m_connection { nullptr };
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
    std::mutex m_mutex;
    std::vector<Notification> m_notifications;
    std::vector<dbus_uint32_t> m_closed;
};

class BannersOnABus : public testing::Test {
protected:
    void SetUp() override
    {
        bus = std::make_unique<PrivateBus>(home.path());
        if (bus->address().empty())
            GTEST_SKIP() << "dbus-daemon cannot run here";
        const char* previous = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        m_previousAddress = previous ? std::optional<std::string>(previous) : std::nullopt;
        setenv("DBUS_SESSION_BUS_ADDRESS", bus->address().c_str(), 1);
    }
    void TearDown() override
    {
        if (m_previousAddress)
            setenv("DBUS_SESSION_BUS_ADDRESS", m_previousAddress->c_str(), 1);
        else
            unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    ostrel::test::TemporaryHome home;
    std::unique_ptr<PrivateBus> bus;

private:
    std::optional<std::string> m_previousAddress;
};
}

TEST_F(BannersOnABus, BannersReachTheServerAndAreClosedThere)
{
    FakeNotificationServer server(bus->address(), { "body", "body-markup", "actions" });
    ASSERT_TRUE(server.isServing());
    auto banners = Banners::create();
    Banners::Id first = banners->show({ "10 minutes left", "Write <report> & send", "message-new-instant", false, "" });
    Banners::Id second = banners->show({ "Time slice elapsed", "", "", true, "Hide" });
    banners->show({ "Break", "", "", false, "" });
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);
    banners->close(first);
    banners->closeAll();
    banners->close(second) /* already closed: nothing more is sent */;
    banners.reset(); // waits for the requests made so far

    auto shown = server.notifications();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].summary, "10 minutes left");
    EXPECT_EQ(shown[0].body, "Write &lt;report&gt; &amp; send") << "the server reads markup";
    EXPECT_EQ(shown[0].soundName, "message-new-instant");
    EXPECT_EQ(shown[0].expires, -1);
    EXPECT_TRUE(shown[0].actions.empty());
    EXPECT_EQ(shown[1].expires, 0) << "sticky";
    EXPECT_EQ(shown[1].actions, (std::vector<std::string> { "dismiss", "Hide" }));
    auto closed = server.closed();
    std::sort(closed.begin(), closed.end());
    EXPECT_EQ(closed, (std::vector<dbus_uint32_t> { 101, 102, 103 }));
}

TEST_F(BannersOnABus, PlainTextGoesAsItIsToAServerWithoutMarkup)
{
    FakeNotificationServer server(bus->address(), { "body" });
    ASSERT_TRUE(server.isServing());
    auto banners = Banners::create();
    banners->show({ "Title", "a < b & c", "", false, "" });
    banners.reset();
    ASSERT_EQ(server.notifications().size(), 1u);
    EXPECT_EQ(server.notifications()[0].body, "a < b & c");
}

TEST_F(BannersOnABus, WithoutAServerBannersAreLoggedOnceAndNothingFails)
{
    desktop::test::LogLines log;
    auto banners = Banners::create();
    EXPECT_NE(banners->show({ "One", "", "", false, "" }), 0u);
    banners->show({ "Two", "", "", true, "Hide" });
    banners->closeAll();
    banners.reset();
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_NE(log.lines[0].find("banners are not shown"), std::string::npos);
}

TEST(BannersTest, WithoutASessionBusNothingIsTriedAndThatIsSaidOnce)
{
    ostrel::test::TemporaryHome home;
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    desktop::test::LogLines log;
    auto banners = Banners::create();
    EXPECT_EQ(banners->show({ "One", "", "", false, "" }), 0u);
    EXPECT_EQ(banners->show({ "Two", "", "", false, "" }), 0u);
    banners->closeAll();
    EXPECT_EQ(log.lines, std::vector<std::string> { "no session bus: banners are not shown" });
}

TEST(BannersTest, TheRecordingStubKeepsWhatWasShownAndWhatIsStillOpen)
{
    desktop::RecordingBanners banners;
    auto first = banners.show({ "A", "", "", false, "" });
    auto second = banners.show({ "B", "b", "", true, "Hide" });
    banners.close(first);
    EXPECT_EQ(banners.shown().size(), 2u);
    EXPECT_EQ(banners.shown()[1], (Banner { "B", "b", "", true, "Hide" }));
    EXPECT_EQ(banners.open(), std::set<Banners::Id> { second });
    banners.closeAll();
    EXPECT_TRUE(banners.open().empty());
}

TEST_F(BannersOnABus, TextThatIsNoUtf8ArrivesWithReplacementCharacters)
{
    FakeNotificationServer server(bus->address(), { "body" });
    ASSERT_TRUE(server.isServing());
    auto banners = Banners::create();
    // As a name read from a damaged log file might be: a lone byte of Latin-1, a cut sequence.
    banners->show({ "Caf\xe9", "ok \xe2\x82", "bell\xff", false, "Hide\x80" });
    banners.reset();
    ASSERT_EQ(server.notifications().size(), 1u);
    auto shown = server.notifications()[0];
    EXPECT_EQ(shown.summary, "Caf\xef\xbf\xbd");
    EXPECT_EQ(shown.body, "ok \xef\xbf\xbd");
    EXPECT_EQ(shown.soundName, "bell\xef\xbf\xbd");
    EXPECT_EQ(shown.actions, (std::vector<std::string> { "dismiss", "Hide\xef\xbf\xbd" }));
}
