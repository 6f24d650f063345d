#pragma once

#include "platform/base/Responder.h"
#include "platform/gfx/Image.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace ui {

class Menu;

// One entry of a menu: a title that runs a closure or sends an action by name along the
// responder chain, or a separator, or the way into a submenu.
class MenuItem : public std::enable_shared_from_this<MenuItem> {
public:
    static std::shared_ptr<MenuItem> create(std::string title, std::function<void(MenuItem&)> action = {},
        std::string keyEquivalent = {});
    static std::shared_ptr<MenuItem> createWithAction(std::string title, std::string actionName,
        std::string keyEquivalent = {});
    static std::shared_ptr<MenuItem> separator();
    virtual ~MenuItem() = default;

    bool isSeparator() const { return m_separator; }
    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }

    // Run when the item is chosen, before any action by name.
    std::function<void(MenuItem&)> onAction;
    // Decides whether the item is enabled each time its menu is validated; none: enabled.
    std::function<bool(MenuItem&)> validate;

    // An action by name ("startTimeSlice:") for the target, or the responder chain without one.
    const std::string& actionName() const { return m_actionName; }
    void setActionName(std::string name) { m_actionName = std::move(name); }
    // Not owned; the target outlives the menus that name it.
    base::Responder* target() const { return m_target; }
    void setTarget(base::Responder* target) { m_target = target; }

    // A character, with ModifierFlag bits; Command by default, as menus show their shortcuts.
    const std::string& keyEquivalent() const { return m_keyEquivalent; }
    void setKeyEquivalent(std::string key) { m_keyEquivalent = std::move(key); }
    std::uint32_t keyEquivalentModifierMask() const { return m_keyModifiers; }
    void setKeyEquivalentModifierMask(std::uint32_t mask) { m_keyModifiers = mask; }

    // ControlStateValue: a check mark when on, the off-state image (if any) when off.
    int state() const { return m_state; }
    void setState(int state) { m_state = state; }
    const std::shared_ptr<gfx::Image>& offStateImage() const { return m_offStateImage; }
    void setOffStateImage(std::shared_ptr<gfx::Image> image) { m_offStateImage = std::move(image); }
    const std::shared_ptr<gfx::Image>& image() const { return m_image; }
    void setImage(std::shared_ptr<gfx::Image> image) { m_image = std::move(image); }

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden) { m_hidden = hidden; }

    const std::shared_ptr<Menu>& submenu() const { return m_submenu; }
    void setSubmenu(std::shared_ptr<Menu> submenu);
    bool hasSubmenu() const { return static_cast<bool>(m_submenu); }
    // The menu holding this item, or nullptr.
    Menu* menu() const { return m_menu; }

    // Runs the closure, then the action by name. False when neither did anything.
    bool perform();

protected:
    // For items that carry more than a closure (a menu item with its own before-display work).
    MenuItem() = default;

private:
    friend class Menu;

    bool m_separator { false };
    std::string m_title;
    std::string m_actionName;
    base::Responder* m_target { nullptr };
    std::string m_keyEquivalent;
    std::uint32_t m_keyModifiers { 1u << 20 };
    int m_state { 0 };
    std::shared_ptr<gfx::Image> m_offStateImage;
    std::shared_ptr<gfx::Image> m_image;
    int m_tag { 0 };
    bool m_enabled { true };
    bool m_hidden { false };
    std::shared_ptr<Menu> m_submenu;
    // Not owned: the menu owns its items and clears this when it lets one go.
    Menu* m_menu { nullptr };
};

}
