#include "platform/ui/TrayIcon.h"

#include "platform/base/Diagnostics.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"

#include <cairo.h>
#include <dbus/dbus.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

namespace ui {

namespace {

constexpr const char* kWatcher = "org.kde.StatusNotifierWatcher";
constexpr const char* kWatcherPath = "/StatusNotifierWatcher";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr int kCallTimeoutMs = 1000;

// Where the session bus listens; we never start one.
std::optional<std::string> busAddress()
{
    const char* given = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (given && *given)
        return std::string(given);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if (runtime && runtime[0] == '/' && std::filesystem::is_socket(std::filesystem::path(runtime) / "bus", error))
        return "unix:path=" + (std::filesystem::path(runtime) / "bus").string();
    return std::nullopt;
}

struct MessageRef {
    DBusMessage* message { nullptr };
    ~MessageRef()
    {
        if (message)
            dbus_message_unref(message);
    }
};

void appendVariant(DBusMessageIter* iter, int type, const void* value)
{
    char signature[2] = { static_cast<char>(type), 0 };
    DBusMessageIter variant;
    dbus_message_iter_open_container(iter, DBUS_TYPE_VARIANT, signature, &variant);
    dbus_message_iter_append_basic(&variant, type, value);
    dbus_message_iter_close_container(iter, &variant);
}

void appendStringVariant(DBusMessageIter* iter, const std::string& text)
{
    const char* value = text.c_str();
    appendVariant(iter, DBUS_TYPE_STRING, &value);
}

// ARGB32 in network byte order, not premultiplied, as the item protocol carries icons.
std::vector<unsigned char> iconPixels(const std::shared_ptr<gfx::Image>& image)
{
    const int side = TrayIcon::kIconSide;
    std::vector<unsigned char> bytes;
    if (!image)
        return bytes;
    auto bitmap = gfx::Bitmap::create(side, side);
    {
        auto context = bitmap->makeContext(1, true);
        gfx::GraphicsContext::MakeCurrent current(*context);
        gfx::Size size = image->size();
        double scale = std::min(side / std::max(1.0, size.width), side / std::max(1.0, size.height));
        gfx::Rect target((side - size.width * scale) / 2, (side - size.height * scale) / 2, size.width * scale, size.height * scale);
        // Panels are dark: a template image is drawn light, as the strip draws it.
        if (image->isTemplate())
            image->drawTinted(target, gfx::Color::white(0.95));
        else
            image->draw(target);
    }
    cairo_surface_t* surface = bitmap->cairoSurface();
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    bytes.reserve(static_cast<std::size_t>(side * side * 4));
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < side; ++x) {
            std::uint32_t pixel = row[x];
            unsigned a = pixel >> 24;
            auto straight = [a](unsigned c) { return static_cast<unsigned char>(a ? std::min(255u, c * 255 / a) : 0); };
            bytes.push_back(static_cast<unsigned char>(a));
            bytes.push_back(straight((pixel >> 16) & 0xff));
            bytes.push_back(straight((pixel >> 8) & 0xff));
            bytes.push_back(straight(pixel & 0xff));
        }
    }
    return bytes;
}

void appendIconPixmap(DBusMessageIter* iter, const std::shared_ptr<gfx::Image>& image)
{
    DBusMessageIter variant, array, entry, bytes;
    dbus_message_iter_open_container(iter, DBUS_TYPE_VARIANT, "a(iiay)", &variant);
    dbus_message_iter_open_container(&variant, DBUS_TYPE_ARRAY, "(iiay)", &array);
    std::vector<unsigned char> pixels = iconPixels(image);
    if (!pixels.empty()) {
        dbus_int32_t side = TrayIcon::kIconSide;
        dbus_message_iter_open_container(&array, DBUS_TYPE_STRUCT, nullptr, &entry);
        dbus_message_iter_append_basic(&entry, DBUS_TYPE_INT32, &side);
        dbus_message_iter_append_basic(&entry, DBUS_TYPE_INT32, &side);
        dbus_message_iter_open_container(&entry, DBUS_TYPE_ARRAY, "y", &bytes);
        const unsigned char* data = pixels.data();
        dbus_message_iter_append_fixed_array(&bytes, DBUS_TYPE_BYTE, &data, static_cast<int>(pixels.size()));
        dbus_message_iter_close_container(&entry, &bytes);
        dbus_message_iter_close_container(&array, &entry);
    }
    dbus_message_iter_close_container(&variant, &array);
    dbus_message_iter_close_container(iter, &variant);
}

const char* const kIntrospection = R"xml(<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">
<node>
  <interface name="org.kde.StatusNotifierItem">
    <property name="Category" type="s" access="read"/>
    <property name="Id" type="s" access="read"/>
    <property name="Title" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="WindowId" type="i" access="read"/>
    <property name="IconName" type="s" access="read"/>
    <property name="IconPixmap" type="a(iiay)" access="read"/>
    <property name="ItemIsMenu" type="b" access="read"/>
    <property name="XAyatanaLabel" type="s" access="read"/>
    <method name="Activate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="SecondaryActivate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="ContextMenu"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="Scroll"><arg name="delta" type="i" direction="in"/><arg name="orientation" type="s" direction="in"/></method>
    <signal name="NewTitle"/>
    <signal name="NewIcon"/>
    <signal name="XAyatanaNewLabel"><arg type="s"/><arg type="s"/></signal>
  </interface>
</node>
)xml";

const std::vector<std::string>& propertyNames()
{
    static const std::vector<std::string> names { "Category", "Id", "Title", "Status", "WindowId", "IconName",
        "IconPixmap", "ItemIsMenu", "XAyatanaLabel" };
    return names;
}

// One property's value, appended as a variant. False for a name we do not have.
bool appendProperty(DBusMessageIter* iter, const std::string& name, const TrayIcon::Face& face)
{
    if (name == "Category")
        appendStringVariant(iter, "ApplicationStatus");
    else if (name == "Id")
        appendStringVariant(iter, "ostrel");
    else if (name == "Title")
        appendStringVariant(iter, face.title.empty() ? "Ostrel" : face.title);
    else if (name == "Status")
        appendStringVariant(iter, "Active");
    else if (name == "IconName")
        appendStringVariant(iter, "");
    else if (name == "XAyatanaLabel")
        appendStringVariant(iter, face.title);
    else if (name == "WindowId") {
        dbus_int32_t none = 0;
        appendVariant(iter, DBUS_TYPE_INT32, &none);
    } else if (name == "ItemIsMenu") {
        dbus_bool_t no = FALSE;
        appendVariant(iter, DBUS_TYPE_BOOLEAN, &no);
    } else if (name == "IconPixmap")
        appendIconPixmap(iter, face.image);
    else
        return false;
    return true;
}

DBusHandlerResult handleMessage(DBusConnection*, DBusMessage* message, void* data)
{
    return static_cast<TrayIcon*>(data)->handle(message) ? DBUS_HANDLER_RESULT_HANDLED : DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
}

}

std::unique_ptr<TrayIcon> TrayIcon::connect(FaceSource face, Pressed pressed)
{
    auto address = busAddress();
    if (!address)
        return nullptr;
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_connection_open_private(address->c_str(), &error);
    if (connection && !dbus_bus_register(connection, &error)) {
        dbus_connection_close(connection);
        dbus_connection_unref(connection);
        connection = nullptr;
    }
    if (!connection) {
        base::diagnostic(std::string("status item: no session bus (") + (error.message ? error.message : "unknown") + ")");
        dbus_error_free(&error);
        return nullptr;
    }
    dbus_connection_set_exit_on_disconnect(connection, FALSE);
    std::unique_ptr<TrayIcon> tray(new TrayIcon(connection, std::move(face), std::move(pressed)));
    if (!tray->registerWithWatcher())
        return nullptr;
    return tray;
}

TrayIcon::TrayIcon(DBusConnection* connection, FaceSource face, Pressed pressed)
    : m_connection(connection)
    , m_face(std::move(face))
    , m_pressed(std::move(pressed))
{
}

TrayIcon::~TrayIcon()
{
    *m_alive = false;
    if (m_source)
        base::RunLoop::main().removeSource(m_source);
    if (m_connection) {
        dbus_connection_unregister_object_path(m_connection, kObjectPath);
        dbus_connection_close(m_connection);
        dbus_connection_unref(m_connection);
    }
}

bool TrayIcon::registerWithWatcher()
{
    // Only a watcher that has a host to show items makes the tray worth using.
    MessageRef ask { dbus_message_new_method_call(kWatcher, kWatcherPath, kProperties, "Get") };
    const char* interface = kWatcher;
    const char* property = "IsStatusNotifierHostRegistered";
    dbus_message_append_args(ask.message, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &property, DBUS_TYPE_INVALID);
    DBusError error;
    dbus_error_init(&error);
    MessageRef reply { dbus_connection_send_with_reply_and_block(m_connection, ask.message, kCallTimeoutMs, &error) };
    bool hosted = false;
    DBusMessageIter iter, variant;
    if (reply.message && dbus_message_iter_init(reply.message, &iter) && dbus_message_iter_get_arg_type(&iter) == DBUS_TYPE_VARIANT) {
        dbus_message_iter_recurse(&iter, &variant);
        if (dbus_message_iter_get_arg_type(&variant) == DBUS_TYPE_BOOLEAN) {
            dbus_bool_t value = FALSE;
            dbus_message_iter_get_basic(&variant, &value);
            hosted = value;
        }
    }
    dbus_error_free(&error);
    if (!hosted)
        return false;

    static int serial = 0;
    m_busName = "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
    if (dbus_bus_request_name(m_connection, m_busName.c_str(), DBUS_NAME_FLAG_DO_NOT_QUEUE, &error) != DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER) {
        dbus_error_free(&error);
        return false;
    }
    static const DBusObjectPathVTable vtable { nullptr, &handleMessage, nullptr, nullptr, nullptr, nullptr };
    if (!dbus_connection_register_object_path(m_connection, kObjectPath, &vtable, this))
        return false;

    MessageRef registration { dbus_message_new_method_call(kWatcher, kWatcherPath, kWatcher, "RegisterStatusNotifierItem") };
    const char* name = m_busName.c_str();
    dbus_message_append_args(registration.message, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID);
    MessageRef registered { dbus_connection_send_with_reply_and_block(m_connection, registration.message, kCallTimeoutMs, &error) };
    if (!registered.message) {
        base::diagnostic(std::string("status item: the tray refused the item (") + (error.message ? error.message : "unknown") + ")");
        dbus_error_free(&error);
        return false;
    }
    int fd = -1;
    if (!dbus_connection_get_unix_fd(m_connection, &fd))
        return false;
    // Common mode: the tray still answers while a menu or an alert runs.
    m_source = base::RunLoop::main().addSource(fd, POLLIN, base::RunLoop::Mode::Common, [this](short) { dispatch(); });
    dispatch();
    return true;
}

void TrayIcon::dispatch()
{
    dbus_connection_read_write(m_connection, 0);
    while (dbus_connection_dispatch(m_connection) == DBUS_DISPATCH_DATA_REMAINS) {
    }
}

int TrayIcon::handle(DBusMessage* message)
{
    auto reply = [&](DBusMessage* answer) {
        dbus_connection_send(m_connection, answer, nullptr);
        dbus_message_unref(answer);
        dbus_connection_flush(m_connection);
        return 1;
    };
    auto error = [&](const char* name, const std::string& text) {
        return reply(dbus_message_new_error(message, name, text.c_str()));
    };
    if (dbus_message_is_method_call(message, "org.freedesktop.DBus.Introspectable", "Introspect")) {
        DBusMessage* answer = dbus_message_new_method_return(message);
        dbus_message_append_args(answer, DBUS_TYPE_STRING, &kIntrospection, DBUS_TYPE_INVALID);
        return reply(answer);
    }
    if (dbus_message_is_method_call(message, kProperties, "Get")) {
        const char* interface = nullptr;
        const char* property = nullptr;
        if (!dbus_message_get_args(message, nullptr, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &property, DBUS_TYPE_INVALID))
            return error(DBUS_ERROR_INVALID_ARGS, "expected an interface and a property");
        DBusMessage* answer = dbus_message_new_method_return(message);
        DBusMessageIter iter;
        dbus_message_iter_init_append(answer, &iter);
        if (!appendProperty(&iter, property, m_face())) {
            dbus_message_unref(answer);
            return error(DBUS_ERROR_UNKNOWN_PROPERTY, std::string("no property ") + property);
        }
        return reply(answer);
    }
    if (dbus_message_is_method_call(message, kProperties, "GetAll")) {
        DBusMessage* answer = dbus_message_new_method_return(message);
        DBusMessageIter iter, dict, entry;
        dbus_message_iter_init_append(answer, &iter);
        dbus_message_iter_open_container(&iter, DBUS_TYPE_ARRAY, "{sv}", &dict);
        Face face = m_face();
        for (const auto& name : propertyNames()) {
            dbus_message_iter_open_container(&dict, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
            const char* key = name.c_str();
            dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
            appendProperty(&entry, name, face);
            dbus_message_iter_close_container(&dict, &entry);
        }
        dbus_message_iter_close_container(&iter, &dict);
        return reply(answer);
    }
    bool left = dbus_message_is_method_call(message, kInterface, "Activate") || dbus_message_is_method_call(message, kInterface, "SecondaryActivate");
    bool right = dbus_message_is_method_call(message, kInterface, "ContextMenu");
    if (left || right) {
        dbus_int32_t x = 0;
        dbus_int32_t y = 0;
        dbus_message_get_args(message, nullptr, DBUS_TYPE_INT32, &x, DBUS_TYPE_INT32, &y, DBUS_TYPE_INVALID);
        std::weak_ptr<bool> alive = m_alive;
        Pressed pressed = m_pressed;
        // The host's y counts down from the top of the screens; ours counts up.
        base::RunLoop::main().post([alive, pressed, right, x, y] {
            if (alive.lock() && pressed)
                pressed(right, Point(x, y));
        });
        return reply(dbus_message_new_method_return(message));
    }
    if (dbus_message_is_method_call(message, kInterface, "Scroll"))
        return reply(dbus_message_new_method_return(message));
    return 0;
}

void TrayIcon::emit(const char* signal)
{
    MessageRef message { dbus_message_new_signal(kObjectPath, kInterface, signal) };
    if (std::string(signal) == "XAyatanaNewLabel") {
        std::string title = m_face().title;
        const char* label = title.c_str();
        const char* guide = "";
        dbus_message_append_args(message.message, DBUS_TYPE_STRING, &label, DBUS_TYPE_STRING, &guide, DBUS_TYPE_INVALID);
    }
    dbus_connection_send(m_connection, message.message, nullptr);
}

void TrayIcon::update()
{
    Face face = m_face();
    if (face.title != m_told.title) {
        emit("NewTitle");
        emit("XAyatanaNewLabel");
    }
    if (face.image != m_told.image)
        emit("NewIcon");
    m_told = std::move(face);
    dbus_connection_flush(m_connection);
}

}
