#pragma once

#include "viewkit/FragmentStackView.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/TagTokenField.h"

#include "platform/base/Timer.h"
#include "platform/ui/Window.h"

#include <memory>
#include <string>

// The view kit in one window: a title fragment, label fragments with their wheel menus, a
// section the "Notes" menu hides, skinned bricks of both skins, walls with borders and
// splits, and a tag field with its pull-down bound to the "tags" setting.
class Gallery {
public:
    static constexpr double kWidth = 560;
    static constexpr double kHeight = 560;

    // The window's top left at `topLeft` on the screen (y up).
    explicit Gallery(ui::Point topLeft);

    ui::Window& window() const { return *m_window; }

    // For the end-to-end test: prints where the parts it clicks are, in X's root
    // coordinates ("wheel x y", "section x y w h", "tagfield …", "pulldown x y"), again
    // whenever they move, and
    // each time the wheel or tag menu shows, its items
    // with their rows ("menu wheel 1 x y w h Hide Notes"), and
    // the tag field's tokens whenever the "tags" setting changes ("tags a,b").
    void reportPositions();

private:
    void addNotes();
    void addBricks();
    void addWalls();
    void addTags();
    std::string positions();
    void reportMenu(const char* name, ui::PopUpButton& button, bool& reported);

    std::shared_ptr<ui::Window> m_window;
    std::shared_ptr<ostrel::FragmentStackView> m_stack;
    std::shared_ptr<ostrel::LabelFragment> m_notesLabel;
    std::shared_ptr<ostrel::HideableFragmentWall> m_notesSection;
    std::shared_ptr<ostrel::TagTokenField> m_tagField;
    std::shared_ptr<ui::PopUpButton> m_tagPullDown;
    std::shared_ptr<base::Timer> m_menuWatch;
    bool m_wheelMenuReported { false };
    bool m_tagMenuReported { false };
    std::string m_lastPositions;
};
