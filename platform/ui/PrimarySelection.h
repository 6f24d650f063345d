#pragma once

#include <functional>
#include <optional>
#include <string>

namespace ui {

// The desktop's primary selection: the text last selected in any program, which a middle
// click pastes. Selecting text claims it; the text is taken from its view once the run loop
// turns, so a drag that changes the selection at every step hands the desktop one text.
// Without a display (tests) it stays within the program.
class PrimarySelection {
public:
    using Provider = std::function<std::optional<std::string>()>;
    // Where the selection meets the desktop (the window backend's).
    struct System {
        std::function<void(const std::string&)> setText;
        std::function<std::optional<std::string>()> text;
    };

    static PrimarySelection& shared();

    // The provider answers the selected text now, or none once its view is gone.
    void claim(Provider provider);
    // What a middle click pastes: ours if we selected last, else another program's.
    std::optional<std::string> text();

    void setSystem(System system) { m_system = std::move(system); }

private:
    PrimarySelection() = default;
    void publish();

    Provider m_pending;
    std::optional<std::string> m_text;
    System m_system;
};

}
