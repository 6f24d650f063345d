#pragma once

#include "platform/base/Responder.h"
#include "platform/ui/Forward.h"

namespace ui {

// The base layer's responder, taught the window system's events: each one not handled here
// goes on to the next responder, as far as the chain reaches.
class Responder : public base::Responder {
public:
    virtual void mouseDown(const Event& event) { passOn(&Responder::mouseDown, event); }
    virtual void mouseUp(const Event& event) { passOn(&Responder::mouseUp, event); }
    virtual void mouseDragged(const Event& event) { passOn(&Responder::mouseDragged, event); }
    virtual void mouseMoved(const Event& event) { passOn(&Responder::mouseMoved, event); }
    virtual void rightMouseDown(const Event& event) { passOn(&Responder::rightMouseDown, event); }
    virtual void rightMouseUp(const Event& event) { passOn(&Responder::rightMouseUp, event); }
    virtual void otherMouseDown(const Event& event) { passOn(&Responder::otherMouseDown, event); }
    virtual void otherMouseUp(const Event& event) { passOn(&Responder::otherMouseUp, event); }
    virtual void scrollWheel(const Event& event) { passOn(&Responder::scrollWheel, event); }
    virtual void keyDown(const Event& event) { passOn(&Responder::keyDown, event); }
    virtual void keyUp(const Event& event) { passOn(&Responder::keyUp, event); }
    virtual void flagsChanged(const Event& event) { passOn(&Responder::flagsChanged, event); }

    // Whether a window may make this its first responder (key events come here first).
    virtual bool acceptsFirstResponder() const { return false; }
    // Asked when the window is about to make or unmake this the first responder; false refuses.
    virtual bool becomeFirstResponder() { return true; }
    virtual bool resignFirstResponder() { return true; }

    ui::Responder* nextUiResponder() const { return dynamic_cast<ui::Responder*>(nextResponder()); }

private:
    void passOn(void (Responder::*method)(const Event&), const Event& event)
    {
        if (auto* next = nextUiResponder())
            (next->*method)(event);
    }
};

}
