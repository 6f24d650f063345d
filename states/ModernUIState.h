#pragma once

#include "states/BaseState.h"

#include "core/DataModel.h"
#include "core/Debouncer.h"
#include "core/EndOfLifeBag.h"
#include "core/ListenerList.h"
#include "core/Variables.h"

#include "platform/ui/ObserverList.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ui {
class Constraint;
}

namespace ostrel {

class HideableFragmentWall;
class KVOResponder;
class LabelFragment;
class ObjectiveTextView;
class SmartTimerWrapper;
class StateFragmentStackView;
class TagTokenField;
class TextIndicatorsView;
class TitleFragment;
class UpdatedViewType;

// The base of every screen in use: a stack of collapsible fragments in the info wall (title,
// objective field with its tag editor, option fragments whose visibility lives in settings),
// views refreshed once a second while the screen is current, and the objective-field entries
// of the command pop-up. A burst of fragments hidden or shown compresses the main window
// once, 0.1 seconds after the last.
class ModernUIState : public BaseState {
public:
    ~ModernUIState() override;

    const std::shared_ptr<LabelFragment>& objectiveLabelFragment() const { return m_objectiveLabelFragment; }
    const std::shared_ptr<HideableFragmentWall>& objectiveTextViewFragment() const { return m_objectiveTextViewFragment; }
    const std::shared_ptr<ObjectiveTextView>& objectiveTextView() const { return m_objectiveTextView; }
    const std::shared_ptr<ui::Constraint>& objectiveTextViewHeightLayoutConstraint() const
    {
        return m_objectiveTextViewHeightLayoutConstraint;
    }
    const std::shared_ptr<KVOResponder>& kvoHalfHeightObjectiveTextViewResponder() const
    {
        return m_kvoHalfHeightObjectiveTextViewResponder;
    }
    const std::shared_ptr<TagTokenField>& tagTokenField() const { return m_tagTokenField; }
    const std::shared_ptr<StateFragmentStackView>& fragmentStackView() const { return m_fragmentStackView; }
    const std::shared_ptr<TitleFragment>& titleFragment() const { return m_titleFragment; }
    EndOfLifeBag& endOfLifeBag() { return m_endOfLifeBag; }
    const std::shared_ptr<SmartTimerWrapper>& updateTimer() const { return m_updateTimer; }
    std::vector<std::shared_ptr<UpdatedViewType>> updatableViewList() const { return m_updatableViewList; }

    void activate() override;
    void deactivate() override;

    // Base rule: before the quick-duration pop-over opens, a running command pop-up is
    // dismissed; before the command pop-up opens, nothing (screens with a pop-over close it).
    void closeOtherPopUps(PopUpKind kind) override;

    // The fragment stack filling the info wall; every screen's build() starts with it.
    void createStackView();
    void createAndInstallTitleFragment(const std::string& title);
    // The objective's label row, its formatting indicators, the field and the tag editor,
    // their settings keys made from the roots and `storageKeyPostfix`.
    void setupObjectiveTextView(bool isFirstLabel, bool isHideable, bool makeFirstResponder,
        std::optional<std::string> customTitle, const std::string& storageKeyPostfix);
    // The label row alone ("Objective:" unless a label is given), with its indicator view.
    std::pair<std::shared_ptr<LabelFragment>, std::shared_ptr<TextIndicatorsView>> createAndInstallObjectiveLabelFragment(
        std::optional<std::string> customLabel, bool isFirstLabel);
    // A collapsible "- OR -" section for an alternative course of action, hidden while its
    // key is true: the fragment (not yet installed) and the wall the caller fills.
    std::pair<std::shared_ptr<HideableFragmentWall>, std::shared_ptr<Wall>> createOptionFragment(
        const std::string& storageKey, bool isHiddenByDefault);
    // The four duration scales as check-marked entries of a label's wheel menu.
    void addTimeScale(LabelFragment& labelFragment, const std::shared_ptr<RawRepresentableUserDefaultsVariable<TimeScale>>& variable);

    void collectMatchingItemsForTextEditor(MatchingItemCollector& collector, const std::string& storageKeyPostFix);
    // The three parts around a duration slider, their keys the roots and the postfix.
    void collectMatchinItemsForDurationSlider(MatchingItemCollector& collector, const std::string& storageKeyPostfix);

    void addUpdatableView(std::shared_ptr<UpdatedViewType> view);
    // Refreshed before every view already there.
    void addLeadingUpdatableView(std::shared_ptr<UpdatedViewType> view);
    void updateUpdatableViews();

protected:
    explicit ModernUIState(DataModel& model);

    // What the debouncer runs: the main window fitted to the screen's new content.
    virtual void compressMainWindow();
    // Screens that run a clock refresh their views with its tick: a timer of their own,
    // apart from the tick by a fraction of a second, would wake the program twice a second.
    virtual bool refreshesWithItsTicks() const { return false; }

private:
    // The one-second refresh of the updatable views, running only while the window shows.
    void refreshWhileShown(bool shown);
    std::pair<std::shared_ptr<LabelFragment>, std::shared_ptr<TextIndicatorsView>> installObjectiveLabelFragment(
        std::optional<std::string> customLabel, bool isFirstLabel, std::optional<std::string> hidingKey);
    void updateObjectiveTextViewHeight(const std::string& halfHeightKey);
    void makeRoomForSqueezedFragments();

    std::shared_ptr<LabelFragment> m_objectiveLabelFragment;
    std::shared_ptr<HideableFragmentWall> m_objectiveTextViewFragment;
    std::shared_ptr<ObjectiveTextView> m_objectiveTextView;
    std::shared_ptr<ui::Constraint> m_objectiveTextViewHeightLayoutConstraint;
    std::shared_ptr<KVOResponder> m_kvoHalfHeightObjectiveTextViewResponder;
    std::shared_ptr<TagTokenField> m_tagTokenField;
    std::shared_ptr<StateFragmentStackView> m_fragmentStackView;
    std::shared_ptr<TitleFragment> m_titleFragment;
    std::shared_ptr<SmartTimerWrapper> m_updateTimer;
    ui::ObserverToken m_windowShownOrHidden;
    std::vector<std::shared_ptr<UpdatedViewType>> m_updatableViewList;
    Debouncer m_compressWindowDebouncer { 0.1 };
    ListenerToken m_visibilityListener;
    // Last, so its closures run while the views above still exist.
    EndOfLifeBag m_endOfLifeBag;
};

}
