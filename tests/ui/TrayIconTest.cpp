#include "UiFixture.h"

#include "platform/base/Timer.h"
#include "platform/ui/StatusItem.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dbus/dbus.h>
#include <mutex>
#include <thread>

using namespace ui;

namespace {

// A private session bus with a tray watcher on it that has a host, as a desktop panel would.
class FakeDesktop {
public:
    FakeDesktop()
    {
        FILE* daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null", "r");
        if (!daemon)
            return;
        char address[512] = {};
        char pid[32] = {};
        if (std::fgets(address, sizeof address, daemon) && std::fgets(pid, sizeof pid, daemon)) {
            m_address = address;
            m_address.erase(m_address.find_last_not_of("\n") + 1);
            m_pid = std::atoi(pid);
        }
        pclose(daemon);
        if (m_address.empty())
            return;
        m_previous = std::getenv("DBUS_SESSION_BUS_ADDRESS") ? std::getenv("DBUS_SESSION_BUS_ADDRESS") : "";
        setenv("DBUS_SESSION_BUS_ADDRESS", m_address.c_str(), 1);
        m_watcher = connect();
        dbus_bus_request_name(m_watcher, "org.kde.StatusNotifierWatcher", DBUS_NAME_FLAG_DO_NOT_QUEUE, nullptr);
        static const DBusObjectPathVTable vtable { nullptr, &FakeDesktop::watcherMessage, nullptr, nullptr, nullptr, nullptr };
        dbus_connection_register_object_path(m_watcher, "/StatusNotifierWatcher", &vtable, this);
        m_thread = std::thread([this] {
            while (!m_stop && dbus_connection_read_write_dispatch(m_watcher, 20)) {
            }
        });
        m_host = connect();
    }
    ~FakeDesktop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        for (DBusConnection* connection : { m_watcher, m_host })
            if (connection) {
                dbus_connection_close(connection);
                dbus_connection_unref(connection);
            }
        if (m_pid > 0)
            kill(m_pid, SIGTERM);
        if (!m_address.empty())
            setenv("DBUS_SESSION_BUS_ADDRESS", m_previous.c_str(), 1);
    }

    bool ready() const { return m_watcher && m_host; }
    std::string registeredItem()
    {
        std::lock_guard lock(m_mutex);
        return m_registered;
    }

    // Calls the item as the panel would, running the main loop until it answers.
    DBusMessage* call(const std::string& service, const char* interface, const char* method,
        const std::function<void(DBusMessage*)>& arguments)
    {
        DBusMessage* message = dbus_message_new_method_call(service.c_str(), "/StatusNotifierItem", interface, method);
        arguments(message);
        DBusPendingCall* pending = nullptr;
        dbus_connection_send_with_reply(m_host, message, &pending, 2000);
        dbus_message_unref(message);
        // The host's own connection is no source of the loop: a short timer keeps it turning.
        int turns = 0;
        auto turn = base::Timer::create(0.01, true, base::RunLoop::Mode::Common, [](base::Timer&) { });
        base::RunLoop::main().runUntil([&] {
            dbus_connection_read_write_dispatch(m_host, 0);
            return dbus_pending_call_get_completed(pending) || ++turns > 2000;
        });
        turn->invalidate();
        DBusMessage* reply = dbus_pending_call_steal_reply(pending);
        dbus_pending_call_unref(pending);
        return reply;
    }

private:
    DBusConnection* connect()
    {
        DBusConnection* connection = dbus_connection_open_private(m_address.c_str(), nullptr);
        if (connection && !dbus_bus_register(connection, nullptr)) {
            dbus_connection_close(connection);
            dbus_connection_unref(connection);
            return nullptr;
        }
        return connection;
    }
    static DBusHandlerResult watcherMessage(DBusConnection* connection, DBusMessage* message, void* data)
    {
        auto* self = static_cast<FakeDesktop*>(data);
        DBusMessage* reply = dbus_message_new_method_return(message);
        if (dbus_message_is_method_call(message, "org.freedesktop.DBus.Properties", "Get")) {
            DBusMessageIter iter, variant;
            dbus_message_iter_init_append(reply, &iter);
            dbus_message_iter_open_container(&iter, DBUS_TYPE_VARIANT, "b", &variant);
            dbus_bool_t yes = TRUE;
            dbus_message_iter_append_basic(&variant, DBUS_TYPE_BOOLEAN, &yes);
            dbus_message_iter_close_container(&iter, &variant);
        } else if (dbus_message_is_method_call(message, "org.kde.StatusNotifierWatcher", "RegisterStatusNotifierItem")) {
            const char* name = "";
            dbus_message_get_args(message, nullptr, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID);
            std::lock_guard lock(self->m_mutex);
            self->m_registered = name;
        }
        dbus_connection_send(connection, reply, nullptr);
        dbus_message_unref(reply);
        return DBUS_HANDLER_RESULT_HANDLED;
    }

    std::string m_address;
    std::string m_previous;
    int m_pid { 0 };
    DBusConnection* m_watcher { nullptr };
    DBusConnection* m_host { nullptr };
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
    std::mutex m_mutex;
    std::string m_registered;
};

std::string stringProperty(FakeDesktop& desktop, const std::string& service, const char* name)
{
    DBusMessage* reply = desktop.call(service, "org.freedesktop.DBus.Properties", "Get", [name](DBusMessage* message) {
        const char* interface = "org.kde.StatusNotifierItem";
        dbus_message_append_args(message, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID);
    });
    std::string value = "(no answer)";
    DBusMessageIter iter, variant;
    if (reply && dbus_message_iter_init(reply, &iter) && dbus_message_iter_get_arg_type(&iter) == DBUS_TYPE_VARIANT) {
        dbus_message_iter_recurse(&iter, &variant);
        const char* text = nullptr;
        if (dbus_message_iter_get_arg_type(&variant) == DBUS_TYPE_STRING) {
            dbus_message_iter_get_basic(&variant, &text);
            value = text;
        }
    }
    if (reply)
        dbus_message_unref(reply);
    return value;
}

using TrayIconTest = UiTest;

TEST_F(TrayIconTest, ItemOnATrayShowsItsTitleAndHandsClicksBack)
{
    FakeDesktop desktop;
    if (!desktop.ready())
        GTEST_SKIP() << "no dbus-daemon to run a private session bus";
    auto item = StatusItem::create(StatusItem::Presentation::Tray);
    ASSERT_TRUE(item->isInTray());
    EXPECT_EQ(item->stripWindow(), nullptr);
    std::string service = desktop.registeredItem();
    EXPECT_EQ(service.rfind("org.kde.StatusNotifierItem-", 0), 0u) << service;

    item->button()->setTitle("24:59 ");
    EXPECT_EQ(stringProperty(desktop, service, "XAyatanaLabel"), "24:59 ");
    EXPECT_EQ(stringProperty(desktop, service, "Title"), "24:59 ");

    std::vector<Event::Type> presses;
    item->onClick = [&] { presses.push_back(app().currentEvent()->type()); };
    DBusMessage* reply = desktop.call(service, "org.kde.StatusNotifierItem", "ContextMenu", [](DBusMessage* message) {
        dbus_int32_t x = 1300;
        dbus_int32_t y = 10;
        dbus_message_append_args(message, DBUS_TYPE_INT32, &x, DBUS_TYPE_INT32, &y, DBUS_TYPE_INVALID);
    });
    ASSERT_NE(reply, nullptr);
    dbus_message_unref(reply);
    loop().runOnce();
    EXPECT_EQ(presses, std::vector<Event::Type> { Event::Type::RightMouseDown });
}

TEST_F(TrayIconTest, WithoutABusTheItemKeepsToItsStrip)
{
    std::string previous = std::getenv("DBUS_SESSION_BUS_ADDRESS") ? std::getenv("DBUS_SESSION_BUS_ADDRESS") : "";
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
    auto item = StatusItem::create(StatusItem::Presentation::Tray);
    EXPECT_FALSE(item->isInTray());
    EXPECT_NE(item->stripWindow(), nullptr);
    setenv("DBUS_SESSION_BUS_ADDRESS", previous.c_str(), 1);
}

}
