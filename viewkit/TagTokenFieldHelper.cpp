#include "viewkit/TagTokenFieldHelper.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/SettingsBinding.h"
#include "viewkit/TagPullDownButtonBrick.h"
#include "viewkit/TagTokenField.h"
#include "viewkit/Wall.h"

#include "log/TagManager.h"

#include "platform/base/Defaults.h"
#include "platform/ui/TemplateImages.h"

namespace ostrel {

using A = ui::LayoutAttribute;

std::shared_ptr<TagTokenField> TagTokenFieldHelper::createTagTokenField()
{
    auto field = TagTokenField::create();
    field->setTranslatesAutoresizingMaskIntoConstraints(false);
    field->setDrawsBackground(false);
    field->setWraps(false);
    field->setBordered(false);
    field->setControlSize(ui::ControlSize::Regular);
    field->setPlaceholder("No Tags.");
    field->completions = [](const std::string& substring, std::size_t) {
        return TagManager::sharedInstance().completionsForSubstring(substring);
    };
    return field;
}

void TagTokenFieldHelper::installPullDown(Wall& wall, TagTokenField& field, const std::string& storageKey, double rightMargin)
{
    auto pullDown = TagPullDownButtonBrick::create(ui::TemplateImages::add(), storageKey);
    wall.addSubview(pullDown);
    LayoutConstraintMaker maker(*pullDown);
    maker.container().pin(A::Right, A::Right, -rightMargin);
    maker.and_(field).pin(A::Left, A::Right, 0).pin(A::FirstBaseline, A::FirstBaseline, 0);
    wall.addConstraints(maker.constraints());
    pullDown->setControlSize(ui::ControlSize::Mini);
    pullDown->setBezelStyle(ui::BezelStyle::Borderless);
}

std::shared_ptr<TagTokenField> TagTokenFieldHelper::installTagTokenFieldInsideFragment(Wall& wall, const std::string& storageKey,
    BindFunc bindFunc, BindFunc unbindFunc, bool forFilterView)
{
    auto field = createTagTokenField();
    wall.addSubview(field);
    LayoutConstraintMaker maker(*field);
    maker.container()
        .pin(A::Top, A::Top, forFilterView ? 4 : 2)
        .place(A::Bottom, A::Bottom)
        .pin(A::Left, A::Left, forFilterView ? 16 : 10);
    wall.addConstraints(maker.constraints());
    if (bindFunc)
        bindFunc(*field);
    std::weak_ptr<TagTokenField> weakField = field;
    wall.endOfLifeBag().add([weakField, unbindFunc = std::move(unbindFunc)] {
        if (auto field = weakField.lock(); field && unbindFunc)
            unbindFunc(*field);
    });
    installPullDown(wall, *field, storageKey, forFilterView ? 16 : 8);
    return field;
}

std::shared_ptr<TagTokenField> TagTokenFieldHelper::installTagTokenFieldInsideOfNormalWall(Wall& wall, const std::string& storageKey)
{
    auto field = createTagTokenField();
    wall.addSubview(field);
    LayoutConstraintMaker maker(*field);
    maker.container().pin(A::Top, A::Top, 2).place(A::Bottom, A::Bottom).pin(A::Left, A::Left, 10);
    wall.addConstraints(maker.constraints());

    SettingsBindingOptions options;
    options.valueTransformerName = "StringToTokenArrayTransformer";
    options.continuouslyUpdatesValue = true;
    options.nullPlaceholder = "No Tags.";
    SettingsBinding::bind(*field, BindingName::value, base::Defaults::standard(), storageKey, options);
    std::weak_ptr<TagTokenField> weakField = field;
    wall.endOfLifeBag().add([weakField] {
        if (auto field = weakField.lock())
            SettingsBinding::unbind(*field, BindingName::value);
    });
    installPullDown(wall, *field, storageKey, 8);
    return field;
}

}
