#pragma once

#include "platform/gfx/Color.h"

#include <memory>
#include <optional>

namespace ostrel {

class CommandEnvironment;
class PopUpWindowContentViewController;

// What the pop-up asks of whoever runs it: the search line's colours and height and the
// bread-crumb colour (none: the platform's own), and a word just before each opening.
class PopUpWindowContentViewControllerDelegate {
public:
    virtual ~PopUpWindowContentViewControllerDelegate() = default;

    // The controller served; set by CommandPopUpWindow::makePopUpWindow.
    std::shared_ptr<PopUpWindowContentViewController> controller() const { return m_controller.lock(); }
    void setController(const std::shared_ptr<PopUpWindowContentViewController>& controller) { m_controller = controller; }

    virtual void prepareForRun() { }
    virtual std::optional<gfx::Color> searchFieldTextColor() const { return std::nullopt; }
    virtual std::optional<gfx::Color> searchFieldDisabledTextColor() const { return std::nullopt; }
    virtual std::optional<gfx::Color> drillDownLabelTextFieldColor() const { return std::nullopt; }
    virtual std::optional<double> constantHeightSearchField() const { return std::nullopt; }

private:
    // Weak: the controller owns its delegate.
    std::weak_ptr<PopUpWindowContentViewController> m_controller;
};

// The application's delegate: the style kit's colours, a search line 32 points high, and the
// current screen closing its own popovers before the pop-up opens.
class OstrelPopUpWindowContentViewControllerDelegate final : public PopUpWindowContentViewControllerDelegate {
public:
    // Non-owning: the environment is the application shell, which outlives the pop-up.
    explicit OstrelPopUpWindowContentViewControllerDelegate(CommandEnvironment& environment)
        : m_environment(&environment)
    {
    }

    void prepareForRun() override;
    std::optional<gfx::Color> searchFieldTextColor() const override;
    std::optional<gfx::Color> searchFieldDisabledTextColor() const override;
    std::optional<gfx::Color> drillDownLabelTextFieldColor() const override;
    std::optional<double> constantHeightSearchField() const override { return 32.0; }

private:
    CommandEnvironment* m_environment { nullptr };
};

}
