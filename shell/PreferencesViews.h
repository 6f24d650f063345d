#pragma once

#include "platform/ui/PopUpButton.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TabView.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/View.h"

#include <memory>
#include <optional>
#include <string>

namespace ostrel {

// The preferences window's flat grey look: the window's background, framed scroll views, tab
// views without tabs, divider lines and the pane pull-downs. Drawing is in each view's own
// coordinates; the cells draw into the rectangle they are handed.

// The window's background, as the drawing kit paints it.
class PreferencesView : public ui::View {
public:
    static std::shared_ptr<PreferencesView> create(ui::Rect frame = {});
    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext& context, const ui::Rect& dirty) override;

protected:
    explicit PreferencesView(ui::Rect frame);
};

// A scroll view that draws only a one-point grey frame around its bounds.
class PreferencesBorderedScrollView : public ui::ScrollView {
public:
    static std::shared_ptr<PreferencesBorderedScrollView> create();
    void draw(gfx::GraphicsContext& context, const ui::Rect& dirty) override;

protected:
    PreferencesBorderedScrollView() = default;
};

// The pane switcher: a stop of the Tab walk of its own (never taken by a click), in which
// Left, Right, Home and End choose the pane, as a row of tabs does; Ctrl+PageDown and
// Ctrl+PageUp choose the next and previous pane, round the ends, wherever the keyboard is.
// The ring goes around the chosen item rather than the whole width of the window.
class PreferencesToolbar : public ui::Toolbar {
public:
    static std::shared_ptr<PreferencesToolbar> create();
    bool acceptsFirstResponder() const override { return !items().empty(); }
    bool focusesOnClick() const override { return false; }
    void keyDown(const ui::Event& event) override;
    bool performKeyEquivalent(const ui::Event& event) override;
    void draw(gfx::GraphicsContext& context, const ui::Rect& dirty) override;
    void mouseDown(const ui::Event& event) override;
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;

protected:
    PreferencesToolbar();

private:
    // Only the keyboard brings the focus here; a click puts the ring away, as the window's does.
    bool m_ringShown { false };
    std::optional<std::size_t> selectedIndex() const;
    // Clicks the item `step` places from the chosen one, round the ends.
    void step(int step);
    void choose(std::size_t index);
};

// A tab view drawn as the platform draws one.
class PreferencesTabView : public ui::TabView {
public:
    static std::shared_ptr<PreferencesTabView> create();

protected:
    PreferencesTabView() = default;
};

// A tab view without tabs: in the light appearance a grey panel with a darker line along its
// top; in the dark one, as the platform draws.
class PreferencesTablessTabView : public ui::TabView {
public:
    static std::shared_ptr<PreferencesTablessTabView> create();
    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext& context, const ui::Rect& dirty) override;

protected:
    PreferencesTablessTabView() = default;
};

// A one-point light grey line across the middle of its rectangle, 4 points in from both ends.
class DividerCell : public ui::View {
public:
    static std::shared_ptr<DividerCell> create(ui::Rect frame = {});
    // Counted from its top, as the controls that hold cells count.
    bool isFlipped() const override { return true; }
    void drawInteriorWithFrame(gfx::GraphicsContext& context, const ui::Rect& frame) const;
    void draw(gfx::GraphicsContext& context, const ui::Rect& dirty) override;
    ui::Size intrinsicContentSize() const override { return { kNoIntrinsicMetric, 9 }; }

protected:
    explicit DividerCell(ui::Rect frame);
};

// A pull-down that shows its title with a right-facing arrow, framed in grey: the pane
// choosers of the window.
class PreferencesPanePullDownButton : public ui::PopUpButton {
public:
    static std::shared_ptr<PreferencesPanePullDownButton> create();
    void drawWithFrame(gfx::GraphicsContext& context, const ui::Rect& frame) const;
    virtual bool isBottom() const { return false; }

protected:
    PreferencesPanePullDownButton();
    void drawOwnLook(gfx::GraphicsContext& context) override;
};

// The same at the bottom of a column.
class PreferencesPanePullDownBottomButton : public PreferencesPanePullDownButton {
public:
    static std::shared_ptr<PreferencesPanePullDownBottomButton> create();
    bool isBottom() const override { return true; }

protected:
    PreferencesPanePullDownBottomButton() = default;
};

// A row of a preferences table: its label only shows the text, and a click anywhere on the
// row goes to the table, which chooses the row.
class PreferencesTableCell : public ui::View {
public:
    static std::shared_ptr<PreferencesTableCell> create(ui::Rect frame, const std::string& text, const gfx::Font& font,
        double indent);
    ui::View* hitTest(ui::Point point) override;

protected:
    explicit PreferencesTableCell(ui::Rect frame);
};

// The grey of the frames and lines; one point wide, drawn inside the rectangle.
void framePreferencesRect(gfx::GraphicsContext& context, const ui::Rect& rect, const gfx::Color& color);

}
