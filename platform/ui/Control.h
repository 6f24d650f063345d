#pragma once

#include "platform/gfx/Font.h"
#include "platform/ui/View.h"

#include <functional>
#include <string>

namespace ui {

class Control;

enum class ControlSize { Regular, Small, Mini };

// What a skin draws in place of a control's own look. It answers false to leave the
// drawing to the control, as when it has nothing for the control's current state.
using ControlDrawHook = std::function<bool(Control& control, gfx::GraphicsContext& context, const Rect& bounds)>;

// A view the user works: it reports through one stored closure, run whenever its value
// changes by the user's hand or it is pressed. Without a skin's hook it draws a plain dark
// look of our own. Controls count y downwards, as text reads.
class Control : public View {
public:
    // Runs on every change the user makes and on a press; read the new value from the control.
    std::function<void()> onAction;

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    ControlSize controlSize() const { return m_size; }
    // Also sets the font to the system font of that size.
    virtual void setControlSize(ControlSize size);
    const gfx::Font& font() const { return m_font; }
    void setFont(gfx::Font font);
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

    void setDrawHook(ControlDrawHook hook);
    bool hasDrawHook() const { return static_cast<bool>(m_drawHook); }

    // The point size of the system font at a control size.
    static double systemFontSize(ControlSize size);

    bool isFlipped() const override { return true; }
    bool acceptsFirstResponder() const override { return m_enabled && m_acceptsFirstResponder; }
    void setRefusesFirstResponder(bool refuses) { m_acceptsFirstResponder = !refuses; }
    // Off unless a control opts in (fields, date pickers): a click on a button leaves the
    // keyboard where the user was typing. Tab still reaches every control.
    bool focusesOnClick() const override { return m_focusesOnClick; }
    void setFocusesOnClick(bool focuses) { m_focusesOnClick = focuses; }
    // Whether Return that this control leaves untyped goes on to the window's default button:
    // true only where Return means "done" (a single-line field, a slider, a date picker).
    virtual bool passesReturnToDefaultButton() const { return false; }
    void draw(gfx::GraphicsContext& context, const Rect& dirty) final;

protected:
    explicit Control(Rect frame);
    // The control's own look, drawn when no hook does.
    virtual void drawOwnLook(gfx::GraphicsContext& context) = 0;
    void sendAction();

private:
    bool m_enabled { true };
    bool m_acceptsFirstResponder { true };
    bool m_focusesOnClick { false };
    bool m_highlighted { false };
    ControlSize m_size { ControlSize::Regular };
    gfx::Font m_font { gfx::Font::system(gfx::Font::systemFontSize) };
    int m_tag { 0 };
    ControlDrawHook m_drawHook;
};

}
