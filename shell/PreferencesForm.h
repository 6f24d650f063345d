#pragma once

#include "viewkit/SettingsBinding.h"

#include "platform/ui/View.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace base {
class Defaults;
}
namespace ui {
class Button;
class ColorWell;
class PopUpButton;
class Slider;
class TextField;
class TextView;
}

namespace ostrel {

// Lays a pane of the preferences window out from the top down: headings with a divider,
// then rows of a right-aligned label and controls side by side. The controls it makes are
// bound to their settings keys. The pane is a fixed form, so rows are placed by frame.
class PreferencesForm {
public:
    static constexpr double kMargin = 16;

    PreferencesForm(std::shared_ptr<base::Defaults> store, double width, double labelWidth = 170);

    // The pane's view, as tall as the rows so far.
    const std::shared_ptr<ui::View>& view() const { return m_view; }
    double height() const { return m_y + kMargin; }

    void heading(const std::string& title);
    void gap(double points = 8);
    // A label in the left column (none for an empty text), then the controls from left to
    // right; a width of 0 takes the control's own, or the rest of the row when it has none.
    using Placed = std::pair<std::shared_ptr<ui::View>, double>;
    void row(const std::string& label, std::vector<Placed> controls);
    // A line of smaller grey text across the controls' column.
    void note(const std::string& text);

    // Controls bound to a key of the store, not yet placed.
    std::shared_ptr<ui::Button> checkBox(const std::string& title, const std::string& key);
    std::shared_ptr<ui::Slider> slider(const std::string& key, double minValue, double maxValue, int tickMarks = 0);
    std::shared_ptr<ui::TextField> textField(const std::string& key, SettingsBindingOptions options = {});
    // Items by title and tag; the selected item's tag is the stored number. `action` runs
    // after the choice is stored.
    std::shared_ptr<ui::PopUpButton> popUp(const std::string& key, const std::vector<std::pair<std::string, int>>& items,
        std::function<void()> action = {});
    // A colour kept archived under the key; a value that does not read shows the registered one.
    std::shared_ptr<ui::ColorWell> colorWell(const std::string& key);
    // A few lines of text that the store keeps plain.
    std::shared_ptr<ui::TextView> textArea(const std::string& key);
    // Unbound.
    static std::shared_ptr<ui::Button> button(const std::string& title, std::function<void()> action);
    static std::shared_ptr<ui::TextField> label(const std::string& text);
    // An empty sheet that counts from its top, as the form's own view does.
    static std::shared_ptr<ui::View> sheet(ui::Size size);

    const std::shared_ptr<base::Defaults>& store() const { return m_store; }

private:
    std::shared_ptr<base::Defaults> m_store;
    std::shared_ptr<ui::View> m_view;
    double m_width;
    double m_labelWidth;
    double m_y { kMargin };
};

}
