#include "breaks/PomodoroBreakViewController.h"

#include "core/DataModel.h"
#include "drawing/OstrelStyleKit.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/DataModelBindings.h"
#include "viewkit/IntegerTextField.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/Wall.h"

#include "platform/base/Diagnostics.h"
#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr const char* kLabels[] = { "1st Break", "2nd Break", "3rd Break", "4th Break" };

using BindField = void (*)(const DataModel&, ui::TextField&);
using UnbindField = void (*)(ui::TextField&);
constexpr BindField kBindField[] = { bindFirstPomodoroBreakDurationInMinutes, bindSecondPomodoroBreakDurationInMinutes,
    bindThirdPomodoroBreakDurationInMinutes, bindFourthPomodoroBreakDurationInMinutes };
constexpr UnbindField kUnbindField[] = { unbindFirstPomodoroBreakDurationInMinutes, unbindSecondPomodoroBreakDurationInMinutes,
    unbindThirdPomodoroBreakDurationInMinutes, unbindFourthPomodoroBreakDurationInMinutes };

}

std::shared_ptr<PomodoroBreakViewController> PomodoroBreakViewController::create(DataModel& model)
{
    return NiblessViewController::create<PomodoroBreakViewController>(false, model);
}

PomodoroBreakViewController::PomodoroBreakViewController(DataModel& model)
    : m_model(&model)
{
}

void PomodoroBreakViewController::build()
{
    auto wall = Wall::create();
    wall->setIdentifier("Pomodoro Break Durations");
    setView(wall);
    auto [left, right] = wall->split(SplittingSize::relative, 0.5, SplitDirection::left);
    auto [first, second] = left->split(SplittingSize::relative, 0.5, SplitDirection::left);
    auto [third, fourth] = right->split(SplittingSize::relative, 0.5, SplitDirection::left);
    int index = 0;
    for (auto* column : { first.get(), second.get(), third.get(), fourth.get() })
        decorate(*column, index++);
    bind(*wall);
    m_listOfRadioButtons.assign(m_radioButtons.begin(), m_radioButtons.end());
    update();
}

void PomodoroBreakViewController::decorate(Wall& column, int index)
{
    column.setBorderColor(OstrelStyleKit::n10());
    column.setDrawRightBorder(true);
    auto& factory = column.factory();
    std::weak_ptr<NiblessViewController> weakSelf = weak_from_this();
    auto selfOf = [weakSelf] { return std::static_pointer_cast<PomodoroBreakViewController>(weakSelf.lock()); };

    auto radio = ui::Button::create(kLabels[index], ui::ButtonType::Radio);
    radio->setControlSize(ui::ControlSize::Small);
    radio->setTag(index);
    radio->onAction = [selfOf, index] {
        if (auto self = selfOf()) {
            self->m_model->setPomodoroCounter(index);
            self->update();
        }
    };
    factory.internalAddBrick(radio, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Top, A::Top).place(A::Left, A::Left);
    });

    auto field = factory.integerTextField(25, 2, 60, [&radio](LayoutConstraintMaker& maker) {
        maker.and_(*radio).place(A::Top, A::Bottom).pin(A::Left, A::Left, 0);
        maker.width(30);
    });
    field->setControlSize(ui::ControlSize::Mini);
    auto minutes = factory.label("Minutes", [&field](LayoutConstraintMaker& maker) {
        maker.and_(*field).place(A::Left, A::Right).pin(A::FirstBaseline, A::FirstBaseline, 0);
    });
    minutes->setFont(gfx::Font::system(gfx::Font::miniSystemFontSize));

    // The switches of the last two columns set the height all four share.
    if (index >= 2) {
        auto enable = factory.smartCheckBoxButton("Enable", [selfOf](bool) {
            if (auto self = selfOf())
                self->update();
        }, [&field](LayoutConstraintMaker& maker) {
            maker.and_(*field).place(A::Top, A::Bottom).pin(A::Left, A::Left, 0);
            maker.container().place(A::Bottom, A::Bottom);
        });
        enable->setControlSize(ui::ControlSize::Mini);
        (index == 2 ? m_checkBox3 : m_checkBox4) = enable;
    }

    m_radioButtons[static_cast<std::size_t>(index)] = radio;
    m_inputFields[static_cast<std::size_t>(index)] = field;
}

void PomodoroBreakViewController::bind(Wall& view)
{
    for (std::size_t slot = 0; slot < m_inputFields.size(); ++slot)
        kBindField[slot](*m_model, *m_inputFields[slot]);
    bindThirdPomodoroBreakEnabled(*m_model, *m_checkBox3);
    bindFourthPomodoroBreakEnabled(*m_model, *m_checkBox4);

    std::array<std::weak_ptr<IntegerTextField>, 4> fields;
    for (std::size_t slot = 0; slot < fields.size(); ++slot)
        fields[slot] = m_inputFields[slot];
    std::weak_ptr<CheckBoxBrick> third = m_checkBox3;
    std::weak_ptr<CheckBoxBrick> fourth = m_checkBox4;
    view.endOfLifeBag().add([fields, third, fourth] {
        for (std::size_t slot = 0; slot < fields.size(); ++slot) {
            if (auto field = fields[slot].lock())
                kUnbindField[slot](*field);
        }
        if (auto box = third.lock())
            unbindThirdPomodoroBreakEnabled(*box);
        if (auto box = fourth.lock())
            unbindFourthPomodoroBreakEnabled(*box);
    });
}

void PomodoroBreakViewController::update()
{
    if (!m_checkBox3 || !m_checkBox4 || !m_inputFields[2] || !m_inputFields[3] || !m_radioButtons[2] || !m_radioButtons[3])
        base::fatal("PomodoroBreakViewController: update before the third and fourth slots were built");
    bool fourthOn = m_model->fourthPomodoroBreakEnabled();
    bool thirdOn = m_model->thirdPomodoroBreakEnabled();
    m_model->pomodoroSlots = fourthOn ? 4 : thirdOn ? 3 : 2;
    int64_t current = m_model->computedPomodoroCounter();
    for (const auto& radio : m_radioButtons)
        radio->setState(radio->tag() == current ? ui::ControlStateValue::On : ui::ControlStateValue::Off);

    // The fourth slot only after the third; the third stays while the fourth is on.
    bool third = fourthOn || thirdOn;
    m_checkBox3->setEnabled(!fourthOn);
    m_checkBox3->setHidden(fourthOn);
    m_checkBox4->setEnabled(third);
    m_inputFields[2]->setEnabled(third);
    m_radioButtons[2]->setEnabled(third);
    m_inputFields[3]->setEnabled(fourthOn);
    m_radioButtons[3]->setEnabled(fourthOn);
}

}
