#pragma once

#include "platform/base/RunLoop.h"
#include "platform/ui/Geometry.h"

#include <functional>
#include <memory>
#include <string>

typedef struct DBusConnection DBusConnection;
typedef struct DBusMessage DBusMessage;

namespace gfx {
class Image;
}

namespace ui {

// The status item as a StatusNotifierItem on the session bus, for desktops whose panel hosts
// such items: the icon, the title as its label, and clicks handed back (left, right, at a
// point of the screen). Clicks are handled on a later turn of the main loop, never inside
// the bus's own dispatch.
class TrayIcon {
public:
    struct Face {
        std::shared_ptr<gfx::Image> image;
        std::string title;
    };
    using FaceSource = std::function<Face()>;
    using Pressed = std::function<void(bool right, Point screenPoint)>;

    // None without a session bus, or without a tray host on it.
    static std::unique_ptr<TrayIcon> connect(FaceSource face, Pressed pressed);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Tells the host the icon and title changed.
    void update();
    const std::string& busName() const { return m_busName; }

    static constexpr const char* kObjectPath = "/StatusNotifierItem";
    static constexpr const char* kInterface = "org.kde.StatusNotifierItem";
    static constexpr int kIconSide = 22;

    // One message of the bus for our object; non-zero when handled. Called by the dispatch.
    int handle(DBusMessage* message);

private:
    TrayIcon(DBusConnection* connection, FaceSource face, Pressed pressed);
    bool registerWithWatcher();
    void dispatch();
    void emit(const char* signal);

    DBusConnection* m_connection { nullptr };
    FaceSource m_face;
    Pressed m_pressed;
    std::string m_busName;
    base::RunLoop::SourceId m_source { 0 };
    // What the host was last told, so that a ticking title does not resend the icon.
    Face m_told;
    // Guards clicks posted to the main loop against a tray icon gone before they run.
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
};

}
