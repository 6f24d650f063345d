#include "states/ModernUIState.h"

#include "states/CommandPopUpAccess.h"
#include "states/MainWindowAccess.h"
#include "states/StateFragmentStackView.h"

#include "command/MatchingItemCollector.h"
#include "core/Clock.h"
#include "drawing/OstrelStyleKit.h"
#include "mainwindow/MainWindowController.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/TitleFragment.h"
#include "viewkit/UpdatedViewType.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/Button.h"
#include "platform/ui/StackView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

namespace ostrel {

using A = ui::LayoutAttribute;

ModernUIState::ModernUIState(DataModel& model)
    : BaseState(model)
{
}

ModernUIState::~ModernUIState()
{
    if (m_updateTimer)
        m_updateTimer->stop();
}

void ModernUIState::createStackView()
{
    m_fragmentStackView = StateFragmentStackView::create();
    auto& stack = *m_fragmentStackView;
    stack.setTranslatesAutoresizingMaskIntoConstraints(false);
    stack.setContentHuggingPriority(1000, ui::Orientation::Vertical);
    stack.setAlignment(A::Leading);
    stack.setEdgeInsets({});
    stack.setSpacing(0);
    infoWall()->factory().internalAddBrick(m_fragmentStackView, [](LayoutConstraintMaker& maker) {
        maker.fillContainer();
        maker.minHeight(120);
    });
    stack.backgroundDrawingFunc = [](const ui::Rect& dirty) {
        auto& context = gfx::GraphicsContext::requireCurrent();
        context.save();
        context.setFillColor(OstrelStyleKit::n4());
        context.fillRect(dirty);
        context.restore();
    };
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    m_visibilityListener = stack.visibilityChangeEmitter()->addColdListener([weakSelf](const bool&) {
        auto self = std::static_pointer_cast<ModernUIState>(weakSelf.lock());
        if (!self)
            return;
        self->m_compressWindowDebouncer.run([weakSelf] {
            if (auto screen = std::static_pointer_cast<ModernUIState>(weakSelf.lock()))
                screen->compressMainWindow();
        });
    });
}

void ModernUIState::compressMainWindow()
{
    auto* controller = MainWindowAccess::controller();
    if (!controller)
        return;
    makeRoomForSqueezedFragments();
    controller->compressWindow();
}

void ModernUIState::makeRoomForSqueezedFragments()
{
    // A fragment shown in a window compressed to the screen's earlier content finds no room, and
    // the stack, which hugs what it shows, leaves it out for good. The window grows by what such
    // fragments need, they are shown again into that room, and the compression then fits the
    // window to everything shown. A fragment may need more in place than it measures alone:
    // a few rounds settle it.
    auto& stack = *m_fragmentStackView;
    auto* window = stack.window();
    for (int round = 0; window && round < 4; ++round) {
        std::vector<std::shared_ptr<ui::View>> squeezed;
        double wanted = 0;
        for (const auto& fragment : stack.arrangedSubviews()) {
            if (stack.isDetached(fragment.get()) && !fragment->isHidden()
                && stack.visibilityPriority(fragment.get()) > ui::VisibilityPriority::NotVisible) {
                squeezed.push_back(fragment);
                wanted += fragment->fittingSize().height + stack.spacing();
            }
        }
        if (squeezed.empty())
            return;
        ui::Rect frame = window->frame();
        window->setFrame(ui::Rect(frame.minX(), frame.minY() - wanted, frame.width(), frame.height() + wanted));
        for (const auto& fragment : squeezed)
            stack.FragmentStackView::showFragment(*fragment);
        window->layoutIfNeeded();
    }
}

void ModernUIState::createAndInstallTitleFragment(const std::string& title)
{
    m_titleFragment = TitleFragment::titleFragment(title, m_fragmentStackView);
}

std::pair<std::shared_ptr<HideableFragmentWall>, std::shared_ptr<Wall>> ModernUIState::createOptionFragment(
    const std::string& storageKey, bool isHiddenByDefault)
{
    auto fragment = HideableFragmentWall::create(storageKey, isHiddenByDefault);
    fragment->backgroundDrawingFunc = [](const ui::Rect& frame) { OstrelStyleKit::drawOptionFragmentBar(frame); };
    auto& factory = fragment->factory();
    auto orLabel = factory.label("- OR -", [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::CenterX, A::CenterX, 0).place(A::Top, A::Top);
    });
    auto content = factory.wall(std::nullopt, [orLabel](LayoutConstraintMaker& maker) {
        maker.and_(*orLabel).place(A::Top, A::Bottom);
        maker.container().pin(A::CenterX, A::CenterX, 0).place(A::Bottom, A::Bottom);
    });
    return { fragment, content };
}

void ModernUIState::addTimeScale(LabelFragment& labelFragment,
    const std::shared_ptr<RawRepresentableUserDefaultsVariable<TimeScale>>& variable)
{
    static const std::pair<const char*, TimeScale> scales[] = {
        { "Show \u00BE of an hour", TimeScale::fortyFiveMinutes },
        { "Show 1 hour", TimeScale::oneHour },
        { "Show 1\u00BD hours", TimeScale::oneAndAHalfHour },
        { "Show 2 hours", TimeScale::twoHours },
    };
    for (const auto& [title, scale] : scales) {
        TimeScale chosen = scale;
        labelFragment.addItem(SmartMenuItem::create(
            title, [variable, chosen] { variable->setValue(chosen); },
            [variable, chosen](ui::MenuItem& item) {
                item.setState(variable->value() == chosen ? ui::ControlStateValue::On : ui::ControlStateValue::Off);
            }));
    }
}

void ModernUIState::collectMatchingItemsForTextEditor(MatchingItemCollector& collector, const std::string& storageKeyPostFix)
{
    collector.addObjectiveFieldOnOffOption("Half Height Text View", "halfHeightObjectiveTextView" + storageKeyPostFix);
    collector.addObjectiveFieldVisibilityOption("Tag Editor", "hideTagEditor" + storageKeyPostFix);
    collector.addObjectiveFieldOptionGroup();
}

void ModernUIState::collectMatchinItemsForDurationSlider(MatchingItemCollector& collector, const std::string& storageKeyPostfix)
{
    collector.addDurationSliderVisibilityItem("Show Calendar Events", "hideCalendarEvents" + storageKeyPostfix);
    collector.addDurationSliderVisibilityItem("Show Quarter Hour Indicators", "hideBubbles" + storageKeyPostfix);
    collector.addDurationSliderVisibilityItem("Show Duration and End Date", "hideDurationAndEndDate" + storageKeyPostfix);
    collector.addDurationSliderOptionGroup();
}

void ModernUIState::addUpdatableView(std::shared_ptr<UpdatedViewType> view)
{
    if (view)
        m_updatableViewList.push_back(std::move(view));
}

void ModernUIState::addLeadingUpdatableView(std::shared_ptr<UpdatedViewType> view)
{
    if (view)
        m_updatableViewList.insert(m_updatableViewList.begin(), std::move(view));
}

void ModernUIState::updateUpdatableViews()
{
    // For the eye only: while the window is off the screen they wait, and its coming back
    // brings them up to date (see activate()).
    if (auto* window = m_fragmentStackView ? m_fragmentStackView->window() : nullptr; window && !window->isVisible())
        return;
    // A view's refresh may add views; those wait for the next refresh.
    auto views = m_updatableViewList;
    for (const auto& view : views)
        view->updateState();
}

void ModernUIState::activate()
{
    // Once before the screen goes into the window, which may draw it at once as it fits
    // itself to the screen: the read-outs showed their placeholders ("00 Minutes", no end)
    // or the end time of the last visit until the next refresh. Once after, for the views
    // placed by the layout (the bubbles under the slider).
    updateUpdatableViews();
    BaseState::activate();
    updateUpdatableViews();
    // The refresh is for the eye: it rests while the window is off the screen (a hidden
    // program that woke every second would drain a laptop for nothing) and catches up when
    // the window comes back.
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    ui::Window* window = m_fragmentStackView ? m_fragmentStackView->window() : nullptr;
    m_windowShownOrHidden = window ? window->addVisibilityObserver([weakSelf](ui::Window& shownOrHidden) {
        auto self = std::static_pointer_cast<ModernUIState>(weakSelf.lock());
        if (!self)
            return;
        if (shownOrHidden.isVisible())
            self->updateUpdatableViews();
        self->refreshWhileShown(shownOrHidden.isVisible());
    })
                                   : nullptr;
    refreshWhileShown(!window || window->isVisible());
}

void ModernUIState::refreshWhileShown(bool shown)
{
    if (m_updateTimer)
        m_updateTimer->stop();
    m_updateTimer.reset();
    if (!shown || refreshesWithItsTicks())
        return;
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    m_updateTimer = Clock::timerWithSimulatedTimeInterval(1.0, true, [weakSelf](base::Timer&) {
        if (auto self = std::static_pointer_cast<ModernUIState>(weakSelf.lock()))
            self->updateUpdatableViews();
    });
}

void ModernUIState::deactivate()
{
    m_windowShownOrHidden.reset();
    if (m_updateTimer)
        m_updateTimer->stop();
    BaseState::deactivate();
}

void ModernUIState::closeOtherPopUps(PopUpKind kind)
{
    if (kind == PopUpKind::durationPopOver && CommandPopUpAccess::isRunning())
        CommandPopUpAccess::dismiss();
}

}
