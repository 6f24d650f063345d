#pragma once

#include <memory>

namespace base {
class Defaults;
}

namespace ostrel {

class KVOResponder;

// Keeps the diagnostic log's switch in step with the "loggerIsOn" setting, including
// changes made from outside the program. Until it exists nothing is logged.
class DebugManager : public std::enable_shared_from_this<DebugManager> {
public:
    static std::shared_ptr<DebugManager> create(std::shared_ptr<base::Defaults> store);
    // Null until the start-up wiring has woken the instance.
    static std::shared_ptr<DebugManager> sharedDebugManager();
    void awakeFromNib();

private:
    DebugManager() = default;
    std::shared_ptr<KVOResponder> m_loggerIsOnObserver;
};

}
