#pragma once

#include "viewkit/Wall.h"

#include <functional>
#include <memory>

namespace ostrel {

// The rest screen's lock: a press calls the click closure, but only while the lock is
// enabled (its ring full); otherwise the press is ignored. The ring is the wall's
// background drawing. It takes the keyboard (never from a click): Space and Return press
// it, so holding either down ends the break once the ring fills, as a held click would.
class LockButtonWall final : public Wall {
public:
    static std::shared_ptr<LockButtonWall> create(ui::Rect frame = {});

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    std::function<void()> buttonClickFunc;

    void mouseDown(const ui::Event& event) override;
    bool acceptsFirstResponder() const override { return true; }
    bool focusesOnClick() const override { return false; }
    void keyDown(const ui::Event& event) override;
    // Its owner marks it whenever the ring moves.
    bool marksItsOwnChanges() const override { return true; }

private:
    friend class Wall;
    explicit LockButtonWall(ui::Rect frame);
    void press();

    bool m_enabled { true };
};

}
