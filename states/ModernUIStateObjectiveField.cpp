#include "states/ModernUIState.h"

#include "states/MainWindowAccess.h"
#include "states/StateFragmentStackView.h"

#include "core/KVOResponder.h"
#include "mainwindow/BorderedBackgroundView.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/ObjectiveTextView.h"
#include "mainwindow/TextIndicatorsView.h"
#include "mainwindow/TextScrollView.h"
#include "viewkit/DataModelBindings.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/TagTokenField.h"
#include "viewkit/TagTokenFieldHelper.h"

#include "platform/base/Defaults.h"
#include "platform/ui/ScrollView.h"

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr double kFullHeight = 100;
constexpr double kHalfHeight = 54;
constexpr double kFieldFragmentWidth = 436;
constexpr double kTextWidth = 420;

// Constraints of a subview that is not a brick, installed on its container.
void constrain(ui::View& container, ui::View& subject, const std::function<void(LayoutConstraintMaker&)>& closure)
{
    subject.setTranslatesAutoresizingMaskIntoConstraints(false);
    LayoutConstraintMaker maker(subject);
    closure(maker);
    container.addConstraints(maker.constraints());
}

}

std::pair<std::shared_ptr<LabelFragment>, std::shared_ptr<TextIndicatorsView>> ModernUIState::createAndInstallObjectiveLabelFragment(
    std::optional<std::string> customLabel, bool isFirstLabel)
{
    return installObjectiveLabelFragment(std::move(customLabel), isFirstLabel, std::nullopt);
}

std::pair<std::shared_ptr<LabelFragment>, std::shared_ptr<TextIndicatorsView>> ModernUIState::installObjectiveLabelFragment(
    std::optional<std::string> customLabel, bool isFirstLabel, std::optional<std::string> hidingKey)
{
    std::string title = customLabel.value_or("Objective:");
    auto label = LabelFragment::labelFragment(title);
    label->setIsFirstLabel(isFirstLabel);
    if (hidingKey)
        label->configure(*hidingKey, false);
    m_fragmentStackView->addFragment(label);
    m_objectiveLabelFragment = label;
    auto indicators = TextIndicatorsView::create();
    label->addSubview(indicators);
    auto wheel = label->wheelButton();
    constrain(*label, *indicators, [&wheel](LayoutConstraintMaker& maker) {
        maker.and_(*wheel).pin(A::Right, A::Left, 0);
        maker.container().pin(A::CenterY, A::CenterY, 0);
        maker.width(134).height(26);
    });
    return { label, indicators };
}

void ModernUIState::setupObjectiveTextView(bool isFirstLabel, bool isHideable, bool makeFirstResponder,
    std::optional<std::string> customTitle, const std::string& storageKeyPostfix)
{
    const std::string fieldKey = "objectiveTextField" + storageKeyPostfix;
    const std::string halfHeightKey = "halfHeightObjectiveTextView" + storageKeyPostfix;
    const std::string tagEditorKey = "hideTagEditor" + storageKeyPostfix;
    auto store = model().store();

    auto [label, indicators] = installObjectiveLabelFragment(customTitle, isFirstLabel, fieldKey);

    double height = store->boolean(halfHeightKey) ? kHalfHeight : kFullHeight;
    m_objectiveTextViewFragment = HideableFragmentWall::create();
    if (isHideable)
        m_objectiveTextViewFragment->configure(fieldKey, false);
    constrain(*m_objectiveTextViewFragment, *m_objectiveTextViewFragment,
        [](LayoutConstraintMaker& maker) { maker.width(kFieldFragmentWidth); });
    m_fragmentStackView->addFragment(m_objectiveTextViewFragment);

    auto background = BorderedBackgroundView::create();
    m_objectiveTextViewFragment->factory().internalAddBrick(background, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 0).place(A::Left, A::Left).place(A::Right, A::Right).place(A::Bottom, A::Bottom);
    });

    m_objectiveTextView = ObjectiveTextView::create();
    auto& textView = *m_objectiveTextView;
    textView.setFrame(ui::Rect(0, 0, kTextWidth, height));
    textView.setDrawsBackground(false);
    auto scroll = makeTextScrollView(m_objectiveTextView);
    scroll->setBorderType(ui::ScrollView::BorderType::Line);
    background->addSubview(scroll);
    constrain(*background, *scroll, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 0).pin(A::Left, A::Left, 0).pin(A::Bottom, A::Bottom, 0);
        maker.width(kTextWidth);
    });

    indicators->addIndicatorButtons(m_objectiveTextView);
    textView.setTextIndicatorsView(indicators);
    textView.awakeFromNib();
    background->awakeFromNib();
    indicators->awakeFromNib();
    // After the view's own set-up, which takes its change reports for the typing features:
    // the binding chains onto them.
    bindObjective(model(), textView);
    std::weak_ptr<ObjectiveTextView> weakText = m_objectiveTextView;
    m_endOfLifeBag.add([weakText] {
        if (auto view = weakText.lock())
            unbindObjective(*view);
    });

    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    m_kvoHalfHeightObjectiveTextViewResponder = KVOResponder::create(halfHeightKey, store, true,
        [weakSelf, halfHeightKey](base::Defaults&, const std::string&) {
            if (auto self = std::static_pointer_cast<ModernUIState>(weakSelf.lock()))
                self->updateObjectiveTextViewHeight(halfHeightKey);
        });

    auto tagEditor = HideableFragmentWall::create(tagEditorKey, false);
    if (isHideable) {
        tagEditor->setStorageKeys({ tagEditorKey, fieldKey });
        tagEditor->setInitialValues({ false, false });
        tagEditor->setShouldHideExpression(HideableFragmentWall::Or);
    }
    DataModel* data = &model();
    m_tagTokenField = TagTokenFieldHelper::installTagTokenFieldInsideFragment(
        *tagEditor, "tags", [data](TagTokenField& field) { bindTags(*data, field); },
        [](TagTokenField& field) { unbindTags(field); }, false);
    m_fragmentStackView->addFragment(tagEditor);

    label->addCheckedOption("Half Height Text View", halfHeightKey);
    label->addVisibilityManagedOption("Tag Editor", tagEditorKey);

    if (makeFirstResponder)
        setFirstResponder(m_objectiveTextView);
}

void ModernUIState::updateObjectiveTextViewHeight(const std::string& halfHeightKey)
{
    double height = model().store()->boolean(halfHeightKey) ? kHalfHeight : kFullHeight;
    auto& fragment = *m_objectiveTextViewFragment;
    if (m_objectiveTextViewHeightLayoutConstraint)
        fragment.removeConstraint(m_objectiveTextViewHeightLayoutConstraint);
    m_objectiveTextViewHeightLayoutConstraint = ui::Constraint::create(&fragment, A::Height, ui::LayoutRelation::Equal, height);
    fragment.addConstraint(m_objectiveTextViewHeightLayoutConstraint);
    if (auto* controller = MainWindowAccess::controller())
        controller->compressWindow();
}

}
