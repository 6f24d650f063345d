#include "platform/desktop/Banners.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/SerialQueue.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <dbus/dbus.h>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

namespace desktop {

namespace {
constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
// A server that does not answer within this is taken as absent for that request.
constexpr int kReplyTimeoutMs = 2000;

// The session bus as libdbus would find it, but never by starting one of our own.
std::optional<std::string> sessionBusAddress()
{
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address)
        return std::string(address);
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
        std::error_code error;
        std::filesystem::path bus = std::filesystem::path(runtime) / "bus";
        if (std::filesystem::is_socket(bus, error))
            return "unix:path=" + bus.string();
    }
    return std::nullopt;
}

std::string escapedMarkup(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// libdbus aborts the whole program on a string that is not UTF-8, and a task's name may come
// from a damaged log file: each malformed sequence goes as U+FFFD instead.
std::string wellFormedUtf8(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = byte < 0x80 ? 1 : byte >= 0xc2 && byte <= 0xdf ? 2 : byte >= 0xe0 && byte <= 0xef ? 3
            : byte >= 0xf0 && byte <= 0xf4                                                     ? 4
                                                                                               : 0;
        std::uint32_t point = length == 1 ? byte : byte & (0x7f >> length);
        std::size_t k = 1;
        for (; length > 1 && k < length && i + k < text.size(); ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80)
                break;
            point = (point << 6) | (next & 0x3f);
        }
        bool complete = length == 1 || (length > 1 && k == length);
        bool overlong = (length == 3 && point < 0x800) || (length == 4 && point < 0x10000);
        if (!complete || overlong || point > 0x10ffff || (point >= 0xd800 && point <= 0xdfff)) {
            result += "\xef\xbf\xbd";
            i += std::max<std::size_t>(k, 1);
            continue;
        }
        result.append(text, i, length);
        i += length;
    }
    return result;
}

void appendString(DBusMessageIter* iter, const std::string& text)
{
    std::string wellFormed = wellFormedUtf8(text);
    const char* value = wellFormed.c_str();
    dbus_message_iter_append_basic(iter, DBUS_TYPE_STRING, &value);
}

class DBusBanners final : public Banners {
public:
    explicit DBusBanners(std::optional<std::string> address)
        : m_address(std::move(address))
    {
        if (m_address)
            m_queue = std::make_unique<base::SerialQueue>("banners");
    }

    // Requests already made still reach the server, so that closing banners at the end works.
    ~DBusBanners() override
    {
        m_queue.reset();
        if (m_connection) {
            dbus_connection_close(m_connection);
            dbus_connection_unref(m_connection);
        }
    }

    Id show(const Banner& banner) override
    {
        if (!m_address) {
            if (!m_toldNoBus)
                base::diagnostic("no session bus: banners are not shown");
            m_toldNoBus = true;
            return 0;
        }
        Id id = ++m_lastId;
        m_open.insert(id);
        post([this, id, banner] { notify(id, banner); });
        return id;
    }

    void close(Id id) override
    {
        if (m_open.erase(id))
            post([this, id] { closeOnServer(id); });
    }

    void closeAll() override
    {
        for (Id id : m_open)
            post([this, id] { closeOnServer(id); });
        m_open.clear();
    }

private:
    void post(std::function<void()> task) { m_queue->async(std::move(task)); }

    // The worker thread's own from here on.

    bool connect()
    {
        if (m_connection && dbus_connection_get_is_connected(m_connection))
            return true;
        if (m_connection) {
            dbus_connection_unref(m_connection);
            m_connection = nullptr;
        }
        DBusError error;
        dbus_error_init(&error);
        m_connection = dbus_connection_open_private(m_address->c_str(), &error);
        if (m_connection && !dbus_bus_register(m_connection, &error)) {
            dbus_connection_close(m_connection);
            dbus_connection_unref(m_connection);
            m_connection = nullptr;
        }
        if (!m_connection) {
            report(std::string("cannot reach the session bus: ") + (error.message ? error.message : "unknown error"));
            dbus_error_free(&error);
            return false;
        }
        dbus_connection_set_exit_on_disconnect(m_connection, FALSE);
        m_capabilitiesKnown = false;
        return true;
    }

    // Servers that understand markup in the body would read "<" and "&" of a plain text as
    // markup, and some drop the whole banner over it.
    void learnCapabilities()
    {
        DBusMessage* call = dbus_message_new_method_call(kService, kPath, kService, "GetCapabilities");
        DBusMessage* reply = this->call(call);
        if (!reply)
            return;
        bool markup = false;
        DBusMessageIter iter;
        DBusMessageIter array;
        if (dbus_message_iter_init(reply, &iter) && dbus_message_iter_get_arg_type(&iter) == DBUS_TYPE_ARRAY) {
            dbus_message_iter_recurse(&iter, &array);
            while (dbus_message_iter_get_arg_type(&array) == DBUS_TYPE_STRING) {
                const char* capability = nullptr;
                dbus_message_iter_get_basic(&array, &capability);
                markup = markup || std::string_view(capability) == "body-markup";
                dbus_message_iter_next(&array);
            }
        }
        dbus_message_unref(reply);
        m_markup = markup;
        m_capabilitiesKnown = true;
    }

    // Sends and waits for the reply; the reply, or nullptr with the failure logged.
    DBusMessage* call(DBusMessage* message)
    {
        if (!message)
            return nullptr;
        DBusError error;
        dbus_error_init(&error);
        DBusMessage* reply = dbus_connection_send_with_reply_and_block(m_connection, message, kReplyTimeoutMs, &error);
        dbus_message_unref(message);
        if (!reply) {
            report(std::string("no notification server answered: ") + (error.message ? error.message : "unknown error"));
            dbus_error_free(&error);
            return nullptr;
        }
        m_failing = false;
        return reply;
    }

    // Once per run of failures: a missing server would otherwise fill the log every minute.
    void report(const std::string& line)
    {
        if (!m_failing)
            base::diagnostic(line + "; banners are not shown");
        m_failing = true;
    }

    void notify(Id id, const Banner& banner)
    {
        if (!connect())
            return;
        // Asked again until a server answers: one may start after we did.
        if (!m_capabilitiesKnown)
            learnCapabilities();
        DBusMessage* message = dbus_message_new_method_call(kService, kPath, kService, "Notify");
        if (!message)
            return;
        DBusMessageIter args;
        dbus_message_iter_init_append(message, &args);
        appendString(&args, "Ostrel");
        dbus_uint32_t replaces = 0;
        dbus_message_iter_append_basic(&args, DBUS_TYPE_UINT32, &replaces);
        appendString(&args, "");
        appendString(&args, banner.title);
        appendString(&args, m_markup ? escapedMarkup(banner.body) : banner.body);

        DBusMessageIter actions;
        dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "s", &actions);
        if (!banner.button.empty()) {
            appendString(&actions, "dismiss");
            appendString(&actions, banner.button);
        }
        dbus_message_iter_close_container(&args, &actions);

        DBusMessageIter hints;
        dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "{sv}", &hints);
        if (!banner.soundName.empty()) {
            DBusMessageIter entry;
            DBusMessageIter variant;
            dbus_message_iter_open_container(&hints, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
            appendString(&entry, "sound-name");
            dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "s", &variant);
            appendString(&variant, banner.soundName);
            dbus_message_iter_close_container(&entry, &variant);
            dbus_message_iter_close_container(&hints, &entry);
        }
        dbus_message_iter_close_container(&args, &hints);
        dbus_int32_t expires = banner.sticky ? 0 : -1;
        dbus_message_iter_append_basic(&args, DBUS_TYPE_INT32, &expires);

        DBusMessage* reply = call(message);
        if (!reply)
            return;
        dbus_uint32_t serverId = 0;
        if (dbus_message_get_args(reply, nullptr, DBUS_TYPE_UINT32, &serverId, DBUS_TYPE_INVALID) && serverId != 0)
            m_serverIds[id] = serverId;
        dbus_message_unref(reply);
    }

    void closeOnServer(Id id)
    {
        auto found = m_serverIds.find(id);
        if (found == m_serverIds.end() || !connect())
            return;
        dbus_uint32_t serverId = found->second;
        m_serverIds.erase(found);
        DBusMessage* message = dbus_message_new_method_call(kService, kPath, kService, "CloseNotification");
        if (!message)
            return;
        dbus_message_append_args(message, DBUS_TYPE_UINT32, &serverId, DBUS_TYPE_INVALID);
        if (DBusMessage* reply = call(message))
            dbus_message_unref(reply);
    }

    std::optional<std::string> m_address;
    // Main thread.
    Id m_lastId { 0 };
    std::set<Id> m_open;
    bool m_toldNoBus { false };
    // The queue's thread.
    DBusConnection* m_connection { nullptr };
    bool m_markup { false };
    bool m_capabilitiesKnown { false };
    bool m_failing { false };
    std::map<Id, dbus_uint32_t> m_serverIds;
    // Blocking calls to the bus go here, never onto the main thread.
    std::unique_ptr<base::SerialQueue> m_queue;
};
}

std::unique_ptr<Banners> Banners::create()
{
    return std::make_unique<DBusBanners>(sessionBusAddress());
}

Banners::Id RecordingBanners::show(const Banner& banner)
{
    m_shown.push_back(banner);
    Id id = m_shown.size();
    m_open.insert(id);
    return id;
}

}
