#pragma once

#include "attention/TitleOnlyNoteWindow.h"

namespace ostrel {

// The note window of a banner with a description: the title, and the message in smaller
// type below it. Both wrap rather than run off the note.
class NoteWindow final : public TitleOnlyNoteWindow {
public:
    // Lines wrap at this width, so that a long message makes a taller note, not a wider one.
    static constexpr double kTextWidth = 328;

    static std::shared_ptr<NoteWindow> create();

    const std::shared_ptr<ui::TextField>& messageLabel() const { return m_messageLabel; }

protected:
    void buildContentView() override;

private:
    NoteWindow() = default;

    std::shared_ptr<ui::TextField> m_messageLabel;
};

}
