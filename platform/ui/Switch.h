#pragma once

#include "platform/ui/Control.h"

#include <memory>

namespace ui {

// An on/off switch: a click or the space bar flips it and reports through onAction.
class Switch : public Control {
public:
    static std::shared_ptr<Switch> create(bool on = false);

    bool isOn() const { return m_on; }
    // ControlStateValue, as buttons have.
    int state() const { return m_on ? 1 : 0; }
    void setState(int state);

    Size intrinsicContentSize() const override;
    void mouseDown(const Event& event) override;
    void keyDown(const Event& event) override;

protected:
    explicit Switch(bool on);
    void drawOwnLook(gfx::GraphicsContext& context) override;

private:
    void flip();
    bool m_on { false };
};

}
