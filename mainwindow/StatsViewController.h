#pragma once

#include "viewkit/NiblessViewController.h"

#include <memory>
#include <vector>

namespace ui {
class Button;
class DatePicker;
class PopUpButton;
}

namespace ostrel {

class DataModel;
class DatePickerSettingsBinding;
class FilterFragmentWall;
class FragmentStackView;
class FragmentWall;
class FullFeaturedStatisticsManager;
class KVOResponder;
class Statistic;
class StatsWebView;
class TagTokenField;

// The statistics pad: a chooser of the statistic and a filter switch, a date-range section
// and a tag section that show only while filtering is on and their filter applies, and the
// chart page below. It makes the statistics manager, hands it the web view and has it show
// the first page at once. Every control writes straight into the statistics settings; the
// view keeps no statistics state of its own, and whatever those settings hold, it shows.
class StatsViewController : public NiblessViewController {
public:
    const std::shared_ptr<FragmentStackView>& fragmentStackView() const { return m_fragmentStackView; }
    const std::shared_ptr<StatsWebView>& webView() const { return m_webView; }
    const std::shared_ptr<FullFeaturedStatisticsManager>& fullFeaturedStatsManager() const { return m_fullFeaturedStatsManager; }
    void setFullFeaturedStatsManager(std::shared_ptr<FullFeaturedStatisticsManager> manager);

    // The sections and controls, as built.
    const std::shared_ptr<FragmentWall>& topFragment() const { return m_topFragment; }
    const std::shared_ptr<FilterFragmentWall>& dateFilterFragment() const { return m_dateFilterFragment; }
    const std::shared_ptr<FilterFragmentWall>& tagFilterFragment() const { return m_tagFilterFragment; }
    const std::shared_ptr<FragmentWall>& chartFragment() const { return m_chartFragment; }
    const std::shared_ptr<ui::PopUpButton>& statisticPopUp() const { return m_statisticPopUp; }
    const std::shared_ptr<ui::Button>& filterButton() const { return m_filterButton; }
    const std::shared_ptr<ui::Button>& namedRangeRadioButton() const { return m_namedRangeRadioButton; }
    const std::shared_ptr<ui::PopUpButton>& dateRangePopUp() const { return m_dateRangePopUp; }
    const std::shared_ptr<ui::Button>& fromRadioButton() const { return m_fromRadioButton; }
    const std::shared_ptr<ui::DatePicker>& fromDatePicker() const { return m_fromDatePicker; }
    const std::shared_ptr<ui::DatePicker>& toDatePicker() const { return m_toDatePicker; }
    const std::shared_ptr<TagTokenField>& tagFilterField() const { return m_tagFilterField; }

    void build() override;

protected:
    friend class NiblessViewController;
    explicit StatsViewController(DataModel& model);

private:
    // A section shown while filtering is on and the statistic shown takes its filter.
    std::shared_ptr<FilterFragmentWall> createFilterFragment(bool (Statistic::*takesFilter)() const);
    void buildTopFragment();
    void buildDateFilterFragment();
    void buildTagFilterFragment();
    void buildChartFragment();
    void bindStatisticPopUp();

    // Not owned: the model lives for the whole run, as the main window does.
    DataModel* m_model { nullptr };
    std::shared_ptr<FragmentStackView> m_fragmentStackView;
    std::shared_ptr<StatsWebView> m_webView;
    std::shared_ptr<FullFeaturedStatisticsManager> m_fullFeaturedStatsManager;
    std::shared_ptr<FragmentWall> m_topFragment;
    std::shared_ptr<FilterFragmentWall> m_dateFilterFragment;
    std::shared_ptr<FilterFragmentWall> m_tagFilterFragment;
    std::shared_ptr<FragmentWall> m_chartFragment;
    std::shared_ptr<ui::PopUpButton> m_statisticPopUp;
    std::shared_ptr<ui::Button> m_filterButton;
    std::shared_ptr<ui::Button> m_namedRangeRadioButton;
    std::shared_ptr<ui::PopUpButton> m_dateRangePopUp;
    std::shared_ptr<ui::Button> m_fromRadioButton;
    std::shared_ptr<ui::DatePicker> m_fromDatePicker;
    std::shared_ptr<ui::DatePicker> m_toDatePicker;
    std::shared_ptr<TagTokenField> m_tagFilterField;
    std::vector<std::shared_ptr<DatePickerSettingsBinding>> m_datePickerBindings;
    std::vector<std::shared_ptr<KVOResponder>> m_kvoResponders;
};

}
