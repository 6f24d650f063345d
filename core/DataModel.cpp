#include "core/DataModel.h"

#include "core/RTFHelper.h"
#include "core/SettingsArchive.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"

#include <algorithm>

namespace ostrel {

namespace {

constexpr int64_t longestDuration = 86400; // a day; anything beyond is a damaged setting
constexpr int64_t longestDurationInMinutes = longestDuration / 60;

int64_t minutesToSeconds(int64_t minutes)
{
    int64_t seconds = 0;
    if (__builtin_mul_overflow(minutes, int64_t(60), &seconds))
        base::fatal("DataModel: minutes do not fit in seconds");
    return seconds;
}

std::shared_ptr<DataModel::KeyComboVariable> keyComboVariable(
    const std::shared_ptr<base::Defaults>& store, const char* key, std::optional<KeyCombo> initial)
{
    return DataModel::KeyComboVariable::create(store, key, initial, std::optional<KeyCombo> {});
}

}

std::optional<TimeScale> RawValueTraits<TimeScale>::fromRawValue(int64_t raw)
{
    if (raw >= 0 && raw <= 3)
        return static_cast<TimeScale>(raw);
    return std::nullopt;
}

std::optional<WindowCompressionMode> RawValueTraits<WindowCompressionMode>::fromRawValue(int64_t raw)
{
    if (raw >= 0 && raw <= 2)
        return static_cast<WindowCompressionMode>(raw);
    return std::nullopt;
}

DataModel& DataModel::shared()
{
    static DataModel* model = new DataModel(base::Defaults::standard()); // kept for the whole run
    return *model;
}

std::unique_ptr<DataModel> DataModel::create(std::shared_ptr<base::Defaults> store)
{
    return std::unique_ptr<DataModel>(new DataModel(std::move(store)));
}

DataModel::DataModel(std::shared_ptr<base::Defaults> store)
    : m_store(std::move(store))
{
    constexpr uint32_t command = CarbonModifier::command, option = CarbonModifier::option;
    bringToFrontKeyCombo = keyComboVariable(m_store, "bringToFrontKeyCombo", std::nullopt);
    showCommandPopOverCombo = keyComboVariable(m_store, "showCommandPopOver", KeyCombo(15, CarbonModifier::control));
    startTimeSliceKeyCombo = keyComboVariable(m_store, "startTimeSlice", std::nullopt);
    pauseTimeSliceKeyCombo = keyComboVariable(m_store, "pauseTimeSliceKeyCombo", std::nullopt);
    endTimeSliceKeyCombo = keyComboVariable(m_store, "endTimeSliceKeyCombo", std::nullopt);
    startTimedBreakKeyCombo = keyComboVariable(m_store, "startTimedBreakKeyCombo", std::nullopt);
    focusNowPadKeyCombo = keyComboVariable(m_store, "focusNowPadKeyCombo", KeyCombo(45, command | option));
    focusLaterPadKeyCombo = keyComboVariable(m_store, "focusLaterPadKeyCombo", KeyCombo(37, command | option));
    focusScratchPadKeyCombo = keyComboVariable(m_store, "focusScratchPadKeyCombo", KeyCombo(35, command | option));
    readObjectiveAloudKeyCombo = keyComboVariable(m_store, "readObjectiveAloudKeyCombo", std::nullopt);
    timeSliceTimeScale
        = RawRepresentableUserDefaultsVariable<TimeScale>::create(m_store, "timeSliceTimeScale", TimeScale::oneHour);
    windowCompressionMode = RawRepresentableUserDefaultsVariable<WindowCompressionMode>::create(
        m_store, "windowCompressionMode", WindowCompressionMode::onlyWhenSideBarIsClosed);
    completedVariable = UserDefaultsVariable<bool>::create(m_store, "completed", false);
    focusLevelVariable = UserDefaultsVariable<int64_t>::create(m_store, "focusRating", 1);
    lockScreenDuringBreakVariable = UserDefaultsVariable<bool>::create(m_store, "lockScreenDuringBreak", false);
    disableObjectiveEditingForTwoSecondsAfterActivation
        = UserDefaultsVariable<bool>::create(m_store, "disableObjectiveEditingForTwoSecondsAfterActivation", true);
}

DataModel::~DataModel()
{
    for (auto id : m_observerIds)
        m_store->removeObserver(id);
}

void DataModel::prepare()
{
    (void)objectiveData();
    m_store->registerDefaults({
        { "tags", "" },
        { "durationInSeconds", 900 },
        { "breakDurationInSeconds", 600 },
        { "tagFilter", "" },
        { "endInformalBreakForLunch", false },
        { "endInformalBreakForBreakfast", false },
        { "endInformalBreakAutomatically", false },
        { "firstPomodoroBreakDurationInMinutes", 5 },
        { "secondPomodoroBreakDurationInMinutes", 5 },
        { "thirdPomodoroBreakDurationInMinutes", 5 },
        { "fourthPomodoroBreakDurationInMinutes", 30 },
        { "thirdPomodoroBreakEnabled", true },
        { "fourthPomodoroBreakEnabled", true },
        { "breakDurationControlAlternative", "default" },
        { "techniqueProfileChoice", "ostrel" },
        { "compactnessProfileChoice", "veryCompact" },
        { "notificationProfileChoice", "some" },
        { "continuousSoundProfileChoice", "none" },
        { "omnifocusUseContext", true },
        { "omnifocusEstimatedTime", true },
        { "thingsIntegrationUseTags", true },
        { "shouldHideOnTimeSliceRunningActivation", true },
        { "shouldHideOnTimedBreakActivation", true },
        { "shouldUseSoftBreak", true },
        { "shouldAlwaysSkipLogging", false },
        { "shouldAlwaysSkipAllBreaks", false },
        { "notificationPosition", 1 },
        { "notificationsSystem", 0 },
    });
    // A slice or break of no time, or of less than none, is a damaged setting.
    m_store->registerRanges({
        { "durationInSeconds", { 1, double(longestDuration) } },
        { "breakDurationInSeconds", { 1, double(longestDuration) } },
        { "firstPomodoroBreakDurationInMinutes", { 1, double(longestDurationInMinutes) } },
        { "secondPomodoroBreakDurationInMinutes", { 1, double(longestDurationInMinutes) } },
        { "thirdPomodoroBreakDurationInMinutes", { 1, double(longestDurationInMinutes) } },
        { "fourthPomodoroBreakDurationInMinutes", { 1, double(longestDurationInMinutes) } },
    });
    m_store->synchronize();
    if (!m_observerIds.empty())
        return; // prepared before: the listeners are told once per change, not twice
    m_observerIds.push_back(
        m_store->addObserver("durationInSeconds", [this](const std::string&) { tell(m_durationListeners); }));
    m_observerIds.push_back(m_store->addObserver(
        "breakDurationInSeconds", [this](const std::string&) { tell(m_breakDurationListeners); }));
}

void DataModel::tell(const std::vector<WeakListenerWrapper>& listeners)
{
    // A listener may add listeners while being told; walk the list as it was.
    auto snapshot = listeners;
    for (auto& wrapper : snapshot) {
        if (auto listener = wrapper.listener.lock())
            listener->valueHasChanged();
    }
}

void DataModel::addDurationListener(const std::shared_ptr<ValueChangeListener>& listener)
{
    m_durationListeners.push_back({ listener });
}

void DataModel::addBreakDurationListener(const std::shared_ptr<ValueChangeListener>& listener)
{
    m_breakDurationListeners.push_back({ listener });
}

bool DataModel::boolean(const char* key) const
{
    return m_store->boolean(key);
}

int64_t DataModel::durationInSeconds() const
{
    return std::clamp<int64_t>(m_store->integer("durationInSeconds"), 0, longestDuration);
}

int64_t DataModel::durationInMinutes() const
{
    return durationInSeconds() / 60;
}

void DataModel::setDurationInSeconds(int64_t seconds)
{
    m_store->set("durationInSeconds", static_cast<long long>(seconds));
}

void DataModel::setDurationInMinutes(int64_t minutes)
{
    setDurationInSeconds(minutesToSeconds(minutes));
}

int64_t DataModel::breakDurationInSeconds() const
{
    return std::clamp<int64_t>(m_store->integer("breakDurationInSeconds"), 0, longestDuration);
}

int64_t DataModel::breakDurationInMinutes() const
{
    return breakDurationInSeconds() / 60;
}

void DataModel::setBreakDurationInSeconds(int64_t seconds)
{
    m_store->set("breakDurationInSeconds", static_cast<long long>(seconds));
}

void DataModel::setBreakDurationInMinutes(int64_t minutes)
{
    setBreakDurationInSeconds(minutesToSeconds(minutes));
}

bool DataModel::useDefaultBreakDurationControl() const
{
    return m_store->string("breakDurationControlAlternative") == "default";
}

bool DataModel::usePomodoroStyleBreakDurationControl() const
{
    return m_store->string("breakDurationControlAlternative") == "pomodoroStyle";
}

void DataModel::nextBreakDurationControlAlternative()
{
    m_store->set("breakDurationControlAlternative", useDefaultBreakDurationControl() ? "pomodoroStyle" : "default");
}

int64_t DataModel::computedPomodoroCounter() const
{
    if (pomodoroSlots == 0)
        base::fatal("DataModel: no Pomodoro slots");
    return m_pomodoroCounter % pomodoroSlots;
}

int64_t DataModel::computedPomodoroBreakDurationBasedOnCurrentSettings() const
{
    switch (computedPomodoroCounter()) {
    case 0:
        return firstPomodoroBreakDurationInMinutes();
    case 1:
        return secondPomodoroBreakDurationInMinutes();
    case 2:
        return thirdPomodoroBreakDurationInMinutes();
    default:
        return fourthPomodoroBreakDurationInMinutes();
    }
}

int64_t DataModel::pomodoroMinutes(const char* key) const
{
    return std::clamp<int64_t>(m_store->integer(key), 0, longestDurationInMinutes);
}

void DataModel::incrementPomodoroMinutes(const char* key)
{
    auto minutes = pomodoroMinutes(key);
    if (minutes > 59)
        return;
    m_store->set(key, static_cast<long long>(minutes + 1));
}

void DataModel::decrementPomodoroMinutes(const char* key)
{
    auto minutes = pomodoroMinutes(key);
    if (minutes < 3)
        return;
    m_store->set(key, static_cast<long long>(minutes - 1));
}

int64_t DataModel::firstPomodoroBreakDurationInMinutes() const { return pomodoroMinutes("firstPomodoroBreakDurationInMinutes"); }
int64_t DataModel::secondPomodoroBreakDurationInMinutes() const { return pomodoroMinutes("secondPomodoroBreakDurationInMinutes"); }
int64_t DataModel::thirdPomodoroBreakDurationInMinutes() const { return pomodoroMinutes("thirdPomodoroBreakDurationInMinutes"); }
int64_t DataModel::fourthPomodoroBreakDurationInMinutes() const { return pomodoroMinutes("fourthPomodoroBreakDurationInMinutes"); }
void DataModel::incrementFirstPomodoroBreakDurationInMinutes() { incrementPomodoroMinutes("firstPomodoroBreakDurationInMinutes"); }
void DataModel::incrementSecondPomodoroBreakDurationInMinutes() { incrementPomodoroMinutes("secondPomodoroBreakDurationInMinutes"); }
void DataModel::incrementThirdPomodoroBreakDurationInMinutes() { incrementPomodoroMinutes("thirdPomodoroBreakDurationInMinutes"); }
void DataModel::incrementFourthPomodoroBreakDurationInMinutes() { incrementPomodoroMinutes("fourthPomodoroBreakDurationInMinutes"); }
void DataModel::decrementFirstPomodoroBreakDurationInMinutes() { decrementPomodoroMinutes("firstPomodoroBreakDurationInMinutes"); }
void DataModel::decrementSecondPomodoroBreakDurationInMinutes() { decrementPomodoroMinutes("secondPomodoroBreakDurationInMinutes"); }
void DataModel::decrementThirdPomodoroBreakDurationInMinutes() { decrementPomodoroMinutes("thirdPomodoroBreakDurationInMinutes"); }
void DataModel::decrementFourthPomodoroBreakDurationInMinutes() { decrementPomodoroMinutes("fourthPomodoroBreakDurationInMinutes"); }
bool DataModel::thirdPomodoroBreakEnabled() const { return boolean("thirdPomodoroBreakEnabled"); }
bool DataModel::fourthPomodoroBreakEnabled() const { return boolean("fourthPomodoroBreakEnabled"); }

bool DataModel::completed() const
{
    return completedVariable->value();
}

int64_t DataModel::focusRating() const
{
    return std::clamp<int64_t>(focusLevelVariable->value(), 0, 3);
}

std::string DataModel::tags() const
{
    if (!m_store->isRegistered("tags") && !m_store->hasStoredValue("tags"))
        base::fatal("DataModel: \"tags\" read before the defaults were registered");
    return m_store->string("tags").value_or("");
}

void DataModel::setTags(const std::string& tags)
{
    m_store->set("tags", tags);
}

base::Value::Data DataModel::objectiveData()
{
    if (auto stored = m_store->data("objective"))
        return *stored;
    auto data = RTFHelper::sharedInstance().rtfdDataFrom("", padDefaultFont(*m_store), padTextColor(*m_store));
    // Something unreadable that the user has stored stays where it is; we only fill a gap.
    if (!m_store->hasStoredValue("objective"))
        m_store->set("objective", data);
    return data;
}

void DataModel::setObjective(const base::Value::Data& data)
{
    m_store->set("objective", data);
}

bool DataModel::endInformalBreakForLunch() const { return boolean("endInformalBreakForLunch"); }
bool DataModel::endInformalBreakForBreakfast() const { return boolean("endInformalBreakForBreakfast"); }
bool DataModel::endInformalBreakAutomatically() const { return boolean("endInformalBreakAutomatically"); }
bool DataModel::endInformalBreakAutomaticallyAfterInactivity() const { return boolean("endInformalBreakAutomaticallyAfterInactivity"); }
bool DataModel::lockScreenDuringBreak() const { return boolean("lockScreenDuringBreak"); }
int64_t DataModel::statsMode() const { return m_store->integer("currentlyDisplayedStatistic"); }
bool DataModel::useOmnifocusContextAsTag() const { return boolean("omnifocusUseContext"); }
bool DataModel::useOmnifocusEstimatedTimeAsDuration() const { return boolean("omnifocusEstimatedTime"); }
bool DataModel::useThingsTags() const { return boolean("thingsIntegrationUseTags"); }
bool DataModel::shouldHideOnTimeSliceRunningActivation() const { return boolean("shouldHideOnTimeSliceRunningActivation"); }
bool DataModel::shouldHideOnTimedBreakActivation() const { return boolean("shouldHideOnTimedBreakActivation"); }
bool DataModel::shouldUseSoftBreak() const { return boolean("shouldUseSoftBreak"); }
bool DataModel::shouldAlwaysSkipLogging() const { return boolean("shouldAlwaysSkipLogging"); }
bool DataModel::shouldAlwaysSkipAllBreaks() const { return boolean("shouldAlwaysSkipAllBreaks"); }

void DataModel::setStatsMode(int64_t tagValue)
{
    m_store->set("currentlyDisplayedStatistic", static_cast<long long>(tagValue));
    m_store->synchronize();
}

}
