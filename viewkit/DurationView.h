#pragma once

#include "viewkit/Wall.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrel {

// What a duration display shows: two digit groups, each with a one-letter unit.
struct DurationDigits {
    std::string firstLabel;
    std::string secondLabel;
    std::string firstDigits;
    std::string secondDigits;
    bool operator==(const DurationDigits&) const = default;
};

// A count-down in two large digit groups: minutes and seconds ("M", "S") below an hour,
// hours and minutes ("H", "M") from an hour on; dashes without units while the time is not
// to be shown. The owner marks it as needing display after changing what it shows.
class DurationView : public Wall {
public:
    static std::shared_ptr<DurationView> create(ui::Rect frame = {});

    std::int64_t seconds() const { return m_seconds; }
    void setSeconds(std::int64_t seconds) { m_seconds = seconds; }
    bool disabled() const { return m_disabled; }
    void setDisabled(bool disabled) { m_disabled = disabled; }
    bool displayTime() const { return m_displayTime; }
    void setDisplayTime(bool displayTime) { m_displayTime = displayTime; }

    DurationDigits durationDigits() const;
    ui::Size intrinsicContentSize() const override { return { 200, 80 }; }
    // Its owner marks it, so a new second draws the display alone, not its whole window.
    bool marksItsOwnChanges() const override { return true; }

protected:
    friend class Wall;
    explicit DurationView(ui::Rect frame);
    void finishCreation() override;

    // A drawing-kit routine of the display family.
    using KitRoutine = void (*)(std::string_view firstLabel, std::string_view secondLabel, std::string_view firstDigits,
        std::string_view secondDigits, double digitSize, double labelBottomInset, double labelSize, bool disabled);
    // The wall's background becomes the display, drawn by the routine.
    void setDisplayRoutine(KitRoutine routine);

    // The sizes of this member of the display family, handed to the drawing kit.
    virtual double digitSize() const { return 68; }
    virtual double labelBottomInset() const { return 12; }
    virtual double labelSize() const { return 12; }

private:
    std::int64_t m_seconds { 0 };
    bool m_disabled { false };
    bool m_displayTime { true };
};

}
