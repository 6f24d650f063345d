#pragma once

#include "viewkit/BubbleViewWithArrowOnTop.h"
#include "viewkit/UpdatedViewType.h"

#include "core/DataModel.h"

#include "platform/base/Responder.h"
#include "platform/ui/Slider.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ostrel {

// The row of bubbles above a duration slider (values in minutes): each bubble names a
// quarter hour to come (10:15, 10:30 …) and points at the slider's tick for the minutes until
// then; a click sets the duration that ends there. A bubble whose minutes the slider does
// not reach is hidden: the row never asks the slider for a tick outside its range. Bubbles
// are placed by frame and recomputed on every refresh, duration change and click.
class TimeBubbleView : public ui::View, public UpdatedViewType, public ValueChangeListener {
public:
    // A row over the slider (which it holds), 26 points high, with its bubbles made. The owner
    // places it above the slider, in the same superview, and registers it with DataModel.
    static std::shared_ptr<TimeBubbleView> createNewTimeBubbleView(std::shared_ptr<ui::Slider> slider);

    const std::shared_ptr<ui::Slider>& associatedSlider() const { return m_associatedSlider; }
    void setAssociatedSlider(std::shared_ptr<ui::Slider> slider) { m_associatedSlider = std::move(slider); }
    int maxNumberOfBubbles() const { return m_maxNumberOfBubbles; }
    const std::vector<std::shared_ptr<BubbleViewWithArrowOnTop>>& bubbleViews() const { return m_bubbleViews; }
    // Per bubble: the minutes from now until its time, and that time.
    const std::vector<std::int64_t>& bubbleDurations() const { return m_bubbleDurations; }
    const std::vector<double>& bubbleDates() const { return m_bubbleDates; }
    double minSliderValue() const { return m_minSliderValue; }
    void setMinSliderValue(double value) { m_minSliderValue = value; }
    double sliderInset() const { return m_sliderInset; }
    double viewInset() const { return m_viewInset; }

    // What a click does with the bubble's minutes: by default the planned duration
    // ("durationInSeconds") becomes them; the break preparation puts its own.
    std::function<void(std::int64_t minutes)> setNewDurationFunc;

    virtual void buildBubbles();
    virtual void bubbleClicked(BubbleViewWithArrowOnTop& bubble);
    // Part of the row's interface; nothing calls them and they do nothing.
    virtual void activate() { }
    virtual void deactivate() { }
    virtual void prepare() { }
    void updateState() override;
    void valueHasChanged() override;
    virtual void positionBubbleViews();
    // The row draws nothing of its own; its bubbles mark their own changes.
    bool marksItsOwnChanges() const override { return true; }

protected:
    explicit TimeBubbleView(ui::Rect frame);
    const base::ActionTable& actionTable() const override;

    template<typename T>
    static std::shared_ptr<T> make(std::shared_ptr<ui::Slider> slider)
    {
        std::shared_ptr<T> row(new T(ui::Rect {}));
        row->m_associatedSlider = std::move(slider);
        row->setTranslatesAutoresizingMaskIntoConstraints(false);
        row->buildBubbles();
        return row;
    }
    // The index of the bubble among the row's, or -1.
    int indexOf(const BubbleViewWithArrowOnTop& bubble) const;

    std::shared_ptr<ui::Slider> m_associatedSlider;
    int m_maxNumberOfBubbles { 10 };
    std::vector<std::shared_ptr<BubbleViewWithArrowOnTop>> m_bubbleViews;
    std::vector<std::int64_t> m_bubbleDurations;
    std::vector<double> m_bubbleDates;
    double m_minSliderValue { 2.0 };
    double m_sliderInset { 9.0 };
    double m_viewInset { 8.0 };

private:
    void bubbleClickedAction(const base::Sender& sender);
    // A bubble's title names a minute; it is formatted again only when its minute changes
    // (a change of time zone shows from the next minute on). Formatting every bubble every
    // second was a tenth of a counting screen's cost.
    void titleBubble(std::size_t index, double date);
    std::vector<std::int64_t> m_titledMinutes;
};

}
