#pragma once

#include "mainwindow/NowAndLaterBoardTextView.h"

namespace ostrel {

// The pad text view as the objective field of the screens and of the log entry editor: no
// page behind it, and a placeholder while it is empty.
class ObjectiveTextView : public NowAndLaterBoardTextView {
public:
    static constexpr const char* kPlaceholder = "Give a one sentence description of your objective for the next time slice. "
                                                "Be as specific as possible and clearly set the limits of what you are going to do.";

    // Made ready for the inactive highlight, when start-up gave one.
    static std::shared_ptr<ObjectiveTextView> create();

    // Without a page there is nothing to reveal: the desktop's warning sound.
    void revealInFinder(const base::Sender& sender = {}) override;
    void draw(gfx::GraphicsContext& context, const ui::Rect& dirty) override;
    // An objective is one sentence: Return presses the window's default button (start, log,
    // save), as in a one-line field; Shift+Return or Alt+Return still break the line.
    void keyDown(const ui::Event& event) override;

protected:
    ObjectiveTextView() = default;
};

}
