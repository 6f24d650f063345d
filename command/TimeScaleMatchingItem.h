#pragma once

#include "command/MatchingItem.h"
#include "core/DataModel.h"

#include <memory>

namespace base {
class Defaults;
}

namespace ostrel {

// Cycles the duration slider's time scale: 1 hour, 1½ hours, 2 hours, ¾ hour, 1 hour.
class TimeScaleMatchingItem final : public MatchingItem {
public:
    static std::shared_ptr<TimeScaleMatchingItem> create(base::Defaults& defaults, std::string title,
        std::string storageKey = "timeSliceTimeScale");

    // A missing or unknown value reads as one hour, the registered default.
    TimeScale currentTimeScale() const;
    void execute() override;

private:
    TimeScaleMatchingItem(base::Defaults& defaults, std::string title, std::string storageKey);

    // Non-owning: the defaults outlive every gathering of entries.
    base::Defaults* m_defaults { nullptr };
    std::string m_storageKey;
};

}
