#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// One user-facing alert, in the program's own words.
struct AlertRequest {
    enum class Style { Warning, Informational, Critical };

    Style style { Style::Warning };
    std::string message;
    std::string informativeText;
    // Left to right as the user reads them; the first is the default. None means one "OK".
    std::vector<std::string> buttons;
    // The check box under the text, shown when a title is given.
    std::optional<std::string> suppressionTitle;
    // The button Escape chooses; -1: the one titled "Cancel", if there is one.
    int escapeButton { -1 };
    // Shows a help button that calls this, leaving the alert up.
    std::function<void()> help;
    // The default button does what cannot be undone (deleting a page for good). Where nobody
    // can answer, such a question is answered with its escape button, never with that one.
    bool destructive { false };

    static constexpr const char* kStandardSuppressionTitle = "Do not show this message again";

    std::vector<std::string> buttonTitles() const;
    int escapeButtonIndex() const;
};

struct AlertAnswer {
    int button { 0 };
    bool suppressed { false };
    bool operator==(const AlertAnswer&) const = default;
};

// The seam every alert goes through: the window system installs real, modal alerts; tests
// install a closure that answers; with nothing installed the alert is logged and answered
// as nobody-there answers it (answerForNobody), so a headless run never blocks.
class AlertPresenter {
public:
    using Handler = std::function<AlertAnswer(const AlertRequest&)>;

    static AlertAnswer present(const AlertRequest& alert);
    // What a run without anybody to answer takes, logged: the default button, or for a
    // destructive question its escape button (Cancel).
    static AlertAnswer answerForNobody(const AlertRequest& alert, std::string_view why = {});

    // An empty handler restores the logging default. Returns the previous handler.
    static Handler install(Handler handler);
    // How many alerts were presented so far: a caller whose step failed tells the user only
    // when nothing below it already did, so that one failure makes one alert.
    static std::uint64_t presentedCount();
};

}
