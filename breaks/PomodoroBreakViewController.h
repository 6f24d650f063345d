#pragma once

#include "viewkit/NiblessViewController.h"

#include <array>
#include <memory>
#include <vector>

namespace ui {
class Button;
}

namespace ostrel {

class CheckBoxBrick;
class DataModel;
class IntegerTextField;
class Wall;

// The Pomodoro style's panel: four break lengths in minutes side by side, the third and
// fourth switchable, and radio buttons showing (and choosing) which length the next timed
// break takes. The lengths and switches are settings; the rotation is the model's.
class PomodoroBreakViewController final : public NiblessViewController {
public:
    // Built at once. The model outlives the panel.
    static std::shared_ptr<PomodoroBreakViewController> create(DataModel& model);

    // First to fourth; empty until built.
    const std::vector<std::shared_ptr<ui::Button>>& listOfRadioButtons() const { return m_listOfRadioButtons; }
    const std::shared_ptr<CheckBoxBrick>& checkBox3() const { return m_checkBox3; }
    const std::shared_ptr<CheckBoxBrick>& checkBox4() const { return m_checkBox4; }
    const std::shared_ptr<IntegerTextField>& inputField1() const { return m_inputFields[0]; }
    const std::shared_ptr<IntegerTextField>& inputField2() const { return m_inputFields[1]; }
    const std::shared_ptr<IntegerTextField>& inputField3() const { return m_inputFields[2]; }
    const std::shared_ptr<IntegerTextField>& inputField4() const { return m_inputFields[3]; }
    // The field of a slot, 0 to 3.
    const std::shared_ptr<IntegerTextField>& inputField(int slot) const { return m_inputFields.at(static_cast<std::size_t>(slot)); }

    void build() override;
    // The number of enabled slots into the model, and which radio, switch and field is on,
    // enabled or shown.
    void update();

private:
    friend class NiblessViewController;
    explicit PomodoroBreakViewController(DataModel& model);
    void decorate(Wall& column, int index);
    void bind(Wall& view);

    DataModel* m_model { nullptr };
    std::vector<std::shared_ptr<ui::Button>> m_listOfRadioButtons;
    std::shared_ptr<CheckBoxBrick> m_checkBox3;
    std::shared_ptr<CheckBoxBrick> m_checkBox4;
    std::array<std::shared_ptr<IntegerTextField>, 4> m_inputFields;
    std::array<std::shared_ptr<ui::Button>, 4> m_radioButtons;
};

}
