#pragma once

#include "viewkit/TimeIndicatorWall.h"

#include <cstdint>
#include <functional>

namespace ostrel {

// Before a slice starts: how many minutes it is planned to last ("Duration: 25 Minutes") and
// at what time it would end if it started now. Every refresh reads the duration afresh. The
// setting is outside input, so it is read through the data model, which keeps it within a day.
class DefineDurationTimeIndicatorWall final : public TimeIndicatorWall {
public:
    static std::shared_ptr<DefineDurationTimeIndicatorWall> create(ui::Rect frame = {});
    // Hidden while the setting under `storageKey` is true.
    static std::shared_ptr<DefineDurationTimeIndicatorWall> create(const std::string& storageKey, bool isHiddenByDefault);

    std::function<std::int32_t()> obtainDurationInSecondsFunc;
    std::function<std::int32_t()> obtainDurationInMinutesFunc;

    const std::shared_ptr<AttributedLabel>& durationTextField() const { return m_durationTextField; }
    void setDurationTextField(std::shared_ptr<AttributedLabel> field) { m_durationTextField = std::move(field); }
    const std::shared_ptr<AttributedLabel>& endDateField() const { return m_endDateField; }
    void setEndDateField(std::shared_ptr<AttributedLabel> field) { m_endDateField = std::move(field); }

    void updateState() override;

private:
    friend class Wall;
    explicit DefineDurationTimeIndicatorWall(ui::Rect frame);
    void build() override;

    std::shared_ptr<AttributedLabel> m_durationTextField;
    std::shared_ptr<AttributedLabel> m_endDateField;
};

}
