#pragma once

#include "viewkit/AttributedLabel.h"
#include "viewkit/BubbleViewWithArrowOnTop.h"
#include "viewkit/UpdatedViewType.h"

#include "core/DataModel.h"

#include "platform/base/Responder.h"
#include "platform/ui/View.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace ostrel {

// The older panel under a duration slider of 2 to 60 minutes, as wide as the slider: the
// planned minutes, the time a slice of that length would end, one-word estimates of
// motivation and resistance, and four quarter-hour bubbles along the slider's scale; a
// bubble click asks for its minutes. It reads and writes the slice duration of DataModel and
// follows its changes. Made in code with its fields as members; no screen places it.
class TimeControlBottomView : public ui::View, public ValueChangeListener {
public:
    static std::shared_ptr<TimeControlBottomView> create(ui::Rect frame);

    const std::shared_ptr<AttributedLabel>& durationTextField() const { return m_durationTextField; }
    const std::shared_ptr<AttributedLabel>& endDateField() const { return m_endDateField; }
    // These three may be absent; the steps that fill them are then skipped.
    const std::shared_ptr<ui::TextField>& motivationTextField() const { return m_motivationTextField; }
    void setMotivationTextField(std::shared_ptr<ui::TextField> field) { m_motivationTextField = std::move(field); }
    const std::shared_ptr<ui::TextField>& resistanceTextField() const { return m_resistanceTextField; }
    void setResistanceTextField(std::shared_ptr<ui::TextField> field) { m_resistanceTextField = std::move(field); }
    const std::shared_ptr<ui::TextField>& minutesField() const { return m_minutesField; }
    void setMinutesField(std::shared_ptr<ui::TextField> field) { m_minutesField = std::move(field); }
    const std::shared_ptr<BubbleViewWithArrowOnTop>& bubble1() const { return m_bubble1; }
    const std::shared_ptr<BubbleViewWithArrowOnTop>& bubble2() const { return m_bubble2; }
    const std::shared_ptr<BubbleViewWithArrowOnTop>& bubble3() const { return m_bubble3; }
    const std::shared_ptr<BubbleViewWithArrowOnTop>& bubble4() const { return m_bubble4; }
    // Refreshed first on every update; held weakly.
    void setLinkedTopView(const std::shared_ptr<UpdatedViewType>& view) { m_linkedTopView = view; }

    double totalWidth() const { return m_totalWidth; }
    double tickDelta() const { return m_tickDelta; }
    double offset() const { return m_offset; }
    std::int64_t bubble1Duration() const { return m_bubble1Duration; }
    std::int64_t bubble2Duration() const { return m_bubble2Duration; }
    std::int64_t bubble3Duration() const { return m_bubble3Duration; }
    std::int64_t bubble4Duration() const { return m_bubble4Duration; }
    double firstDate() const { return m_firstDate; }
    double secondDate() const { return m_secondDate; }
    double thirdDate() const { return m_thirdDate; }
    double fourthDate() const { return m_fourthDate; }

    static constexpr std::int64_t minSliderValue() { return 2; }
    static constexpr std::int64_t maxSliderValue() { return 60; }

    // The duration this panel shows and sets, in DataModel.
    virtual std::int64_t duration() const;
    virtual std::int64_t durationInSeconds() const;
    virtual void registerListener();
    virtual void setDurationInMinutes(std::int64_t minutes);

    void awakeFromNib();
    // Hides the bubbles and fields; activate() registers with DataModel and shows the fields
    // (the next positioning shows the bubbles).
    void prepare();
    void activate();
    void valueHasChanged() override { updateState(); }
    // Kept within 2 … 60 minutes.
    void attemptToSetDurationTo(std::int64_t minutes);
    double computedEndDate() const;
    void updateTotalDurationField();
    // For subclasses; run by updateState.
    virtual void updateOtherFields() { }
    void updateState();
    void positionBubbleViews();
    void bubbleClicked(const BubbleViewWithArrowOnTop& bubble);

protected:
    explicit TimeControlBottomView(ui::Rect frame);
    const base::ActionTable& actionTable() const override;
    template<typename T>
    static std::shared_ptr<T> make(ui::Rect frame)
    {
        std::shared_ptr<T> panel(new T(frame));
        panel->build();
        panel->awakeFromNib();
        return panel;
    }

private:
    // Lays out what the archive would have: fields on the left, estimates on the right,
    // bubbles along the top.
    void build();
    std::shared_ptr<ui::TextField> addLabel(const std::string& title, ui::Rect frame);
    std::vector<BubbleViewWithArrowOnTop*> bubbles() const;
    // The five fields, those present.
    void setFieldsHidden(bool hidden);
    void bubbleClickedAction(const base::Sender& sender);

    std::shared_ptr<AttributedLabel> m_durationTextField;
    std::shared_ptr<AttributedLabel> m_endDateField;
    std::shared_ptr<ui::TextField> m_motivationTextField;
    std::shared_ptr<ui::TextField> m_resistanceTextField;
    std::shared_ptr<ui::TextField> m_minutesField;
    std::shared_ptr<BubbleViewWithArrowOnTop> m_bubble1;
    std::shared_ptr<BubbleViewWithArrowOnTop> m_bubble2;
    std::shared_ptr<BubbleViewWithArrowOnTop> m_bubble3;
    std::shared_ptr<BubbleViewWithArrowOnTop> m_bubble4;
    std::weak_ptr<UpdatedViewType> m_linkedTopView;

    double m_totalWidth { 0 };
    double m_tickDelta { 0 };
    double m_offset { 0 };
    std::int64_t m_bubble1Duration { 0 };
    std::int64_t m_bubble2Duration { 0 };
    std::int64_t m_bubble3Duration { 0 };
    std::int64_t m_bubble4Duration { 0 };
    double m_firstDate { 0 };
    double m_secondDate { 0 };
    double m_thirdDate { 0 };
    double m_fourthDate { 0 };
};

}
