#include "mainwindow/StatsViewController.h"

#include "mainwindow/DatePickerSettingsBinding.h"
#include "mainwindow/FilterFragmentWall.h"
#include "mainwindow/StatsWebView.h"

#include "core/Clock.h"
#include "core/DataModel.h"
#include "core/KVOResponder.h"
#include "core/ValueTransformers.h"
#include "drawing/OstrelStyleKit.h"
#include "log/FullFeaturedStatisticsManager.h"
#include "log/Statistic.h"
#include "log/StringToDateTransformer.h"
#include "viewkit/DataModelBindings.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/FragmentWall.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SettingsBinding.h"
#include "viewkit/TagTokenField.h"
#include "viewkit/TagTokenFieldHelper.h"
#include "viewkit/Wall.h"

#include "platform/base/Calendar.h"
#include "platform/base/Defaults.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/TextField.h"

#include <initializer_list>
#include <utility>

namespace ostrel {

namespace {

using A = ui::LayoutAttribute;

constexpr int kOverviewOfLastSevenDays = 0;
constexpr double kRangePopUpWidth = 112;

// "statsRadioButtonChoice" as one of the two radio buttons shows it: the named range is in
// force at 0, the custom one at anything else. Pressing a button stores 0 or 1.
class RangeChoiceTransformer : public ValueTransformer {
public:
    explicit RangeChoiceTransformer(bool customRange)
        : m_customRange(customRange)
    {
    }
    std::string name() const override { return m_customRange ? "CustomRangeChoice" : "NamedRangeChoice"; }
    base::Value transformedValue(const base::Value& value) const override
    {
        bool custom = value.toInteger().value_or(0) != 0;
        return custom == m_customRange;
    }
    base::Value reverseTransformedValue(const base::Value& value) const override
    {
        bool on = value.toBoolean().value_or(false);
        return static_cast<long long>(on == m_customRange ? 1 : 0);
    }

private:
    bool m_customRange { false };
};

// A separator for each empty title.
void addItems(ui::PopUpButton& popUp, std::initializer_list<std::pair<const char*, int>> items)
{
    for (auto [title, tag] : items) {
        if (!*title) {
            popUp.menu()->addItem(ui::MenuItem::separator());
            continue;
        }
        popUp.menu()->addItem(title)->setTag(tag);
    }
}

std::shared_ptr<base::Defaults> settings() { return base::Defaults::standard(); }

// Sections hold their content's height; the chart below takes what is left.
void holdHeight(ui::View& section) { section.setContentHuggingPriority(750, ui::Orientation::Vertical); }

}

StatsViewController::StatsViewController(DataModel& model)
    : m_model(&model)
{
}

void StatsViewController::setFullFeaturedStatsManager(std::shared_ptr<FullFeaturedStatisticsManager> manager)
{
    m_fullFeaturedStatsManager = std::move(manager);
}

void StatsViewController::build()
{
    auto view = Wall::create();
    setView(view);
    m_fragmentStackView = FragmentStackView::create(ui::Orientation::Vertical);
    m_fragmentStackView->setSpacing(4.0);
    m_fragmentStackView->setAlignment(A::Leading);
    // The pad's selector row sits over the top 33 points.
    view->factory().internalAddBrick(m_fragmentStackView, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Left, A::Left, 1.0).pin(A::Right, A::Right, 0).pin(A::Bottom, A::Bottom, 0).pin(A::Top, A::Top, 33.0);
    });

    buildTopFragment();
    m_fullFeaturedStatsManager = FullFeaturedStatisticsManager::create();
    buildDateFilterFragment();
    buildTagFilterFragment();
    buildChartFragment();
    bindStatisticPopUp();
    m_fullFeaturedStatsManager->load();
}

void StatsViewController::buildTopFragment()
{
    m_topFragment = FragmentWall::create();
    auto& factory = m_topFragment->factory();
    factory.setBrickSize(BrickSize::small);
    holdHeight(*m_topFragment);

    auto popUp = factory.popupButton([](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Left, A::Left, 4.0).pin(A::Bottom, A::Bottom, 0).pin(A::Top, A::Top, 0);
    });
    addItems(*popUp, { { "Overview of last 7 Days", kOverviewOfLastSevenDays }, { "Overview of last 14 Days", 5 },
                         { "Overview of last 28 Days", 6 }, { "", 0 }, { "Day of Week Analysis", 1 },
                         { "Hour of Day Analysis", 3 }, { "", 0 }, { "Report", 4 } });
    m_statisticPopUp = popUp;

    auto filter = factory.pushButton("Filter", {}, [popUp](LayoutConstraintMaker& maker) {
        maker.and_(*popUp).pin(A::FirstBaseline, A::FirstBaseline, 0);
        maker.container().pin(A::Right, A::Right, -4.0);
    });
    filter->setButtonType(ui::ButtonType::OnOff);
    // A copy: the drawing kit's cached icon is shared with every other user of it.
    auto icon = std::make_shared<gfx::Image>(*OstrelStyleKit::imageOfFilterIcon());
    icon->setTemplate(true);
    filter->setImage(icon);
    filter->setImagePosition(ui::ImagePosition::ImageLeft);
    SettingsBinding::bind(*filter, BindingName::value, settings(), "values.filtering");
    std::weak_ptr<ui::Button> weakFilter = filter;
    m_topFragment->endOfLifeBag().add([weakFilter] {
        if (auto button = weakFilter.lock())
            SettingsBinding::unbind(*button, BindingName::value);
    });
    m_filterButton = filter;
    m_fragmentStackView->addFragment(m_topFragment);
}

std::shared_ptr<FilterFragmentWall> StatsViewController::createFilterFragment(bool (Statistic::*takesFilter)() const)
{
    auto self = std::static_pointer_cast<StatsViewController>(shared_from_this());
    auto fragment = FilterFragmentWall::create(self);
    std::weak_ptr<StatsViewController> weakSelf = self;
    // A fresh statistic each time, as the manager itself makes one for every computation.
    fragment->queryFunc = [weakSelf, takesFilter] {
        auto owner = weakSelf.lock();
        auto statistic = owner && owner->m_fullFeaturedStatsManager ? owner->m_fullFeaturedStatsManager->getCurrentStatistic() : nullptr;
        return statistic && (*statistic.*takesFilter)();
    };
    holdHeight(*fragment);
    return fragment;
}

void StatsViewController::buildDateFilterFragment()
{
    m_dateFilterFragment = createFilterFragment(&Statistic::supportsTimeBasedFiltering);
    auto& factory = m_dateFilterFragment->factory();
    factory.setBrickSize(BrickSize::small);
    auto store = settings();

    m_namedRangeRadioButton = ui::Button::create("", ui::ButtonType::Radio);
    factory.internalAddBrick(m_namedRangeRadioButton, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Left, A::Left, 4.0).pin(A::Top, A::Top, 4.0);
    });
    SettingsBindingOptions namedRange;
    namedRange.valueTransformer = std::make_shared<RangeChoiceTransformer>(false);
    SettingsBinding::bind(*m_namedRangeRadioButton, BindingName::value, store, "values.statsRadioButtonChoice", namedRange);

    auto radio = m_namedRangeRadioButton;
    auto rangePopUp = factory.popupButton([radio](LayoutConstraintMaker& maker) {
        maker.and_(*radio).pin(A::Left, A::Right, 0).pin(A::CenterY, A::CenterY, 0);
        // Its longest title still shows; the row then fits the narrowest pad.
        maker.maxWidth(kRangePopUpWidth).highPriority();
    });
    rangePopUp->setContentCompressionResistancePriority(ui::LayoutPriority::DefaultHigh - 10, ui::Orientation::Horizontal);
    addItems(*rangePopUp, { { "All Time", 0 }, { "Today", 1 }, { "Yesterday", 2 }, { "Week-to-Date", 3 },
                              { "Last 7 Days", 4 }, { "Last Week", 5 }, { "Month-to-Date", 6 }, { "Last 30 Days", 7 } });
    SettingsBinding::bind(*rangePopUp, BindingName::selectedTag, store, "values.statsDateMode");
    m_dateRangePopUp = rangePopUp;

    m_fromRadioButton = ui::Button::create("From", ui::ButtonType::Radio);
    factory.internalAddBrick(m_fromRadioButton, [rangePopUp](LayoutConstraintMaker& maker) {
        maker.and_(*rangePopUp).pin(A::Left, A::Right, 6.0).pin(A::CenterY, A::CenterY, 0);
    });
    SettingsBindingOptions customRange;
    customRange.valueTransformer = std::make_shared<RangeChoiceTransformer>(true);
    SettingsBinding::bind(*m_fromRadioButton, BindingName::value, store, "values.statsRadioButtonChoice", customRange);

    // Until the settings name a day, the pickers show today.
    double today = base::Calendar::current().startOfDay(Clock::now());
    auto dayTexts = std::make_shared<StringToDateTransformer>();
    m_fromDatePicker = ui::DatePicker::create(today, ui::DatePicker::YearMonthDay);
    auto from = m_fromRadioButton;
    factory.internalAddBrick(m_fromDatePicker, [from](LayoutConstraintMaker& maker) {
        maker.and_(*from).pin(A::Left, A::Right, 4.0).pin(A::CenterY, A::CenterY, 0);
    });
    m_datePickerBindings.push_back(DatePickerSettingsBinding::bind(m_fromDatePicker, store, "values.statsFromDate",
        DatePickerSettingsBinding::Limit::maxDate, "values.statsToDate", dayTexts));

    auto fromPicker = m_fromDatePicker;
    auto to = factory.label("to", [fromPicker](LayoutConstraintMaker& maker) {
        maker.and_(*fromPicker).pin(A::Left, A::Right, 2.0).pin(A::CenterY, A::CenterY, 0);
    });
    m_toDatePicker = ui::DatePicker::create(today, ui::DatePicker::YearMonthDay);
    factory.internalAddBrick(m_toDatePicker, [to](LayoutConstraintMaker& maker) {
        maker.and_(*to).pin(A::Left, A::Right, 2.0).pin(A::CenterY, A::CenterY, 0);
        maker.container().pin(A::Right, A::Right, 0).pin(A::Bottom, A::Bottom, 0);
    });
    m_datePickerBindings.push_back(DatePickerSettingsBinding::bind(m_toDatePicker, store, "values.statsToDate",
        DatePickerSettingsBinding::Limit::minDate, "values.statsFromDate", dayTexts));

    m_fragmentStackView->addFragment(m_dateFilterFragment);
}

void StatsViewController::buildTagFilterFragment()
{
    m_tagFilterFragment = createFilterFragment(&Statistic::supportsTagBasedFiltering);
    DataModel* model = m_model;
    m_tagFilterField = TagTokenFieldHelper::installTagTokenFieldInsideFragment(
        *m_tagFilterFragment, "tagFilter", [model](TagTokenField& field) { bindTagFilter(*model, field); },
        [](TagTokenField& field) { unbindTagFilter(field); }, true);
    m_fragmentStackView->addFragment(m_tagFilterFragment);
}

void StatsViewController::buildChartFragment()
{
    m_webView = StatsWebView::create();
    m_webView->setIdentifier("Stats Web View");
    m_chartFragment = FragmentWall::create();
    m_chartFragment->factory().internalAddBrick(m_webView, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });
    std::weak_ptr<StatsWebView> weakWebView = m_webView;
    m_fullFeaturedStatsManager->setStatisticsWebView([weakWebView](const std::filesystem::path& page) {
        if (auto webView = weakWebView.lock())
            webView->showPage(page);
    });
    m_fullFeaturedStatsManager->awakeFromNib();
    m_fragmentStackView->addFragment(m_chartFragment);
}

void StatsViewController::bindStatisticPopUp()
{
    bindStatsMode(*m_model, *m_statisticPopUp);
    // A stored value with no statistic of its own shows the 7-day overview, and is chosen as
    // that here too; the value itself stays until the user picks another. Observed after the
    // binding, so this runs after it has shown the stored value.
    std::weak_ptr<ui::PopUpButton> weakPopUp = m_statisticPopUp;
    m_kvoResponders.push_back(KVOResponder::create("currentlyDisplayedStatistic", m_model->store(), true,
        [weakPopUp](base::Defaults&, const std::string&) {
            if (auto popUp = weakPopUp.lock(); popUp && !popUp->selectedItem())
                popUp->selectItemWithTag(kOverviewOfLastSevenDays);
        }));
}

}
