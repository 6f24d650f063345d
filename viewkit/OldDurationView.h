#pragma once

#include "viewkit/TimeControlBottomView.h"

#include "platform/ui/View.h"

#include <cstdint>
#include <memory>

namespace ostrel {

// Lets the user type a duration in minutes while it has the keyboard: a digit sets that many
// minutes, and a second digit within a second of the first makes a two-digit number with it.
// The panel keeps the result within its range. Keys with Control, Option or Command, and keys
// that are no digit, go on to the next responder.
class OldDurationView : public ui::View {
public:
    static std::shared_ptr<OldDurationView> create(ui::Rect frame = {});

    double lastDigitAccepted() const { return m_lastDigitAccepted; }
    std::int64_t lastDigitThatWasAccepted() const { return m_lastDigitThatWasAccepted; }
    const std::shared_ptr<TimeControlBottomView>& timeControlBottomView() const { return m_timeControlBottomView; }
    void setTimeControlBottomView(std::shared_ptr<TimeControlBottomView> panel) { m_timeControlBottomView = std::move(panel); }

    bool acceptsFirstResponder() const override { return true; }
    void keyDown(const ui::Event& event) override;

private:
    explicit OldDurationView(ui::Rect frame);

    double m_lastDigitAccepted;
    std::int64_t m_lastDigitThatWasAccepted { 0 };
    std::shared_ptr<TimeControlBottomView> m_timeControlBottomView;
};

}
