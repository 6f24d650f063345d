#include "core/DataModel.h"

#include "platform/base/Defaults.h"
#include "platform/base/Json.h"
#include "platform/text/Rtfd.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

struct Model {
    std::shared_ptr<base::Defaults> store = base::Defaults::create({});
    std::unique_ptr<DataModel> model = DataModel::create(store);
    Model() { model->prepare(); }
};

struct CountingListener : ValueChangeListener {
    std::vector<std::string>* journal;
    std::string name;
    CountingListener(std::vector<std::string>* journal, std::string name)
        : journal(journal)
        , name(std::move(name))
    {
    }
    void valueHasChanged() override { journal->push_back(name); }
};

TEST(DataModel, VariablesHaveDefaultsBeforePrepare)
{
    auto store = base::Defaults::create({});
    auto model = DataModel::create(store);
    EXPECT_EQ(model->focusRating(), 1);
    EXPECT_FALSE(model->completed());
    EXPECT_EQ(model->showCommandPopOverCombo->value(), KeyCombo(15, 4096));
    EXPECT_EQ(model->focusNowPadKeyCombo->value(), KeyCombo(45, 2304));
    EXPECT_EQ(model->startTimeSliceKeyCombo->value(), std::nullopt);
    EXPECT_EQ(model->windowCompressionMode->value(), WindowCompressionMode::onlyWhenSideBarIsClosed);
    EXPECT_FALSE(store->isRegistered("durationInSeconds"));
}

TEST(DataModel, PomodoroSlotsRotateThroughTheLengths)
{
    Model m;
    m.store->set("firstPomodoroBreakDurationInMinutes", 4);
    m.store->set("secondPomodoroBreakDurationInMinutes", 6);
    m.store->set("thirdPomodoroBreakDurationInMinutes", 8);
    m.store->set("fourthPomodoroBreakDurationInMinutes", 25);
    m.model->setPomodoroCounter(5);
    EXPECT_EQ(m.model->computedPomodoroBreakDurationBasedOnCurrentSettings(), 6);
    m.model->pomodoroSlots = 3;
    EXPECT_EQ(m.model->computedPomodoroBreakDurationBasedOnCurrentSettings(), 8);
    m.model->pomodoroSlots = 4;
    m.model->setPomodoroCounter(4);
    EXPECT_EQ(m.model->computedPomodoroBreakDurationBasedOnCurrentSettings(), 4);
    m.model->incrementPomodoroCounter();
    m.model->incrementPomodoroCounter();
    m.model->incrementPomodoroCounter();
    EXPECT_EQ(m.model->computedPomodoroBreakDurationBasedOnCurrentSettings(), 25);
    m.model->resetPomodoroCounter();
    EXPECT_EQ(m.model->computedPomodoroCounter(), 0);
}

TEST(DataModel, PomodoroLengthsStayBetweenTwoAndSixtyMinutes)
{
    Model m;
    m.store->set("firstPomodoroBreakDurationInMinutes", 60);
    m.model->incrementFirstPomodoroBreakDurationInMinutes();
    EXPECT_EQ(m.model->firstPomodoroBreakDurationInMinutes(), 60);
    m.store->set("firstPomodoroBreakDurationInMinutes", 59);
    m.model->incrementFirstPomodoroBreakDurationInMinutes();
    EXPECT_EQ(m.model->firstPomodoroBreakDurationInMinutes(), 60);
    m.store->set("fourthPomodoroBreakDurationInMinutes", 2);
    m.model->decrementFourthPomodoroBreakDurationInMinutes();
    EXPECT_EQ(m.model->fourthPomodoroBreakDurationInMinutes(), 2);
    m.store->set("fourthPomodoroBreakDurationInMinutes", 3);
    m.model->decrementFourthPomodoroBreakDurationInMinutes();
    EXPECT_EQ(m.model->fourthPomodoroBreakDurationInMinutes(), 2);
}

TEST(DataModel, DurationsReadFromTheSettingsOutsideADayReadAsTheirDefaults)
{
    Model m;
    EXPECT_EQ(m.model->durationInSeconds(), 900);
    m.model->setDurationInSeconds(899);
    EXPECT_EQ(m.model->durationInMinutes(), 14);
    m.model->setBreakDurationInMinutes(20);
    EXPECT_EQ(m.model->breakDurationInSeconds(), 1200);
    // A slice of no time, of less than none or of a fraction ended after a second and was
    // logged with a planned duration of 0 or a minute short.
    for (base::Value damaged : { base::Value(-30), base::Value(0), base::Value(1e12), base::Value(90.7),
             base::Value("twelve"), base::Value(base::Value::Array { 1 }) }) {
        m.store->set("durationInSeconds", damaged);
        EXPECT_EQ(m.model->durationInSeconds(), 900) << base::toJson(damaged);
        EXPECT_EQ(m.model->durationInMinutes(), 15) << base::toJson(damaged);
    }
    m.store->set("durationInSeconds", 90);
    EXPECT_EQ(m.model->durationInSeconds(), 90) << "a minute and a half is a duration";
    m.store->set("breakDurationInSeconds", "lots");
    EXPECT_EQ(m.model->breakDurationInSeconds(), 600);
    m.store->set("firstPomodoroBreakDurationInMinutes", -5);
    EXPECT_EQ(m.model->firstPomodoroBreakDurationInMinutes(), 5);
    m.store->set("focusRating", 17);
    EXPECT_EQ(m.model->focusRating(), 3);
}

TEST(DataModel, BreakControlAlternates)
{
    Model m;
    EXPECT_TRUE(m.model->useDefaultBreakDurationControl());
    m.model->nextBreakDurationControlAlternative();
    EXPECT_TRUE(m.model->usePomodoroStyleBreakDurationControl());
    EXPECT_FALSE(m.model->useDefaultBreakDurationControl());
    m.model->nextBreakDurationControlAlternative();
    EXPECT_TRUE(m.model->useDefaultBreakDurationControl());
    m.store->set("breakDurationControlAlternative", "something else");
    EXPECT_FALSE(m.model->useDefaultBreakDurationControl());
    EXPECT_FALSE(m.model->usePomodoroStyleBreakDurationControl());
    m.model->nextBreakDurationControlAlternative();
    EXPECT_TRUE(m.model->useDefaultBreakDurationControl());
}

TEST(DataModel, DurationListenersHearEveryWriterInOrderAndReleasedOnesAreSkipped)
{
    Model m;
    std::vector<std::string> journal;
    auto first = std::make_shared<CountingListener>(&journal, "first");
    auto gone = std::make_shared<CountingListener>(&journal, "gone");
    auto last = std::make_shared<CountingListener>(&journal, "last");
    auto onBreak = std::make_shared<CountingListener>(&journal, "break");
    m.model->addDurationListener(first);
    m.model->addDurationListener(gone);
    m.model->addDurationListener(last);
    m.model->addBreakDurationListener(onBreak);
    EXPECT_TRUE(journal.empty());
    gone.reset();
    m.model->setDurationInMinutes(25);
    m.store->set("durationInSeconds", 300); // a slider bound to the key
    m.model->setBreakDurationInSeconds(60);
    m.store->set("tags", "unrelated");
    EXPECT_EQ(journal, (std::vector<std::string> { "first", "last", "first", "last", "break" }));
}

TEST(DataModel, EmptyObjectiveIsMadeOnceInThePadsStyleAndStored)
{
    Model m; // prepare() asks for the objective first
    auto stored = m.store->data("objective");
    ASSERT_TRUE(stored);
    auto document = text::Rtfd::fromData(std::string(stored->begin(), stored->end()));
    ASSERT_TRUE(document);
    EXPECT_TRUE(document->text.empty());
    EXPECT_EQ(document->attributes.font, gfx::Font::named("Helvetica", 12));
    EXPECT_EQ(document->attributes.foreground, gfx::colors::black);
    EXPECT_EQ(m.model->objectiveData(), *stored);

    m.model->setObjective({ 'x' });
    EXPECT_EQ(m.model->objectiveData(), base::Value::Data { 'x' });

    // Whatever unreadable thing is stored is left alone.
    m.store->set("objective", "plain words");
    m.model->objectiveData();
    EXPECT_EQ(m.store->string("objective"), "plain words");
}

TEST(DataModel, TagsAndSwitchesReadTheStoreAtTheMomentOfTheCall)
{
    Model m;
    EXPECT_EQ(m.model->tags(), "");
    m.model->setTags("@deep @write");
    EXPECT_EQ(m.model->tags(), "@deep @write");
    EXPECT_TRUE(m.model->shouldUseSoftBreak());
    m.store->set("shouldUseSoftBreak", false);
    EXPECT_FALSE(m.model->shouldUseSoftBreak());
    m.model->setStatsMode(2);
    EXPECT_EQ(m.model->statsMode(), 2);
}

}
}
