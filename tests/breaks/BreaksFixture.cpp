#include "tests/breaks/BreaksFixture.h"

#include "breaks/BreakScreens.h"
#include "breaks/RestBreakHelper.h"

#include "attention/ActivityMonitor.h"
#include "attention/NotificationHandler.h"
#include "attention/OstrelNotificationSystem.h"
#include "attention/ScreenFadingHelper.h"
#include "attention/ScriptLauncher.h"
#include "attention/ZRNotificationCenter.h"
#include "command/MatchingItem.h"
#include "command/MatchingItemCollector.h"
#include "core/Clock.h"
#include "core/ValueTransformers.h"
#include "core/ZrLog.h"
#include "log/BackingStoreManager.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "log/StringToTokenArrayTransformer.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "shell/StatusItemMenuManager.h"

#include "platform/base/Paths.h"
#include "platform/base/RunLoop.h"
#include "platform/ui/Menu.h"
#include "platform/ui/SpellChecker.h"
#include "platform/ui/StackView.h"
#include "platform/ui/StatusItem.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <fstream>

namespace ostrel::test {

namespace {

class RecordingBanners final : public OstrelNotificationSystem {
public:
    void displayNotification(const std::optional<std::string>& title, const std::optional<std::string>& description, double,
        bool) override
    {
        postedEvents().push_back({ "banner " + title.value_or("") + "|" + description.value_or(""), 0, 0 });
    }
};

// Drawn with its holder, it notes what the fields read at that moment, once.
class Witness final : public ui::View {
public:
    Witness(std::vector<std::shared_ptr<ui::TextField>> fields, std::shared_ptr<std::vector<std::string>> seen)
        : View(ui::Rect(0, 0, 1, 1))
        , m_fields(std::move(fields))
        , m_seen(std::move(seen))
    {
    }
    void draw(gfx::GraphicsContext&, const ui::Rect&) override
    {
        if (!m_seen->empty())
            return;
        for (const auto& field : m_fields)
            m_seen->push_back(field->stringValue());
    }

private:
    std::vector<std::shared_ptr<ui::TextField>> m_fields;
    std::shared_ptr<std::vector<std::string>> m_seen;
};

constexpr const char* kBreakScreens[] = { "PrepareTimedBreakState", "TimedBreakRunningState", "InformalBreakState", "SoftBreakState" };

}

FirstSight::FirstSight(ui::View& holder, std::vector<std::shared_ptr<ui::TextField>> fields)
    : m_seen(std::make_shared<std::vector<std::string>>())
    , m_witness(std::make_shared<Witness>(std::move(fields), m_seen))
{
    holder.addSubview(m_witness);
}

FirstSight::~FirstSight() { m_witness->removeFromSuperview(); }

BreaksTest::BreaksTest()
    : m_store(base::Defaults::create(home.configHome() / "Ostrel" / "defaults.json"))
{
    Clock::restart(1);
    // The dictionaries load before the log's reading thread starts.
    ui::SpellChecker::shared();
    auto backend = std::make_unique<ui::OffscreenBackend>();
    m_backend = backend.get();
    m_app = ui::Application::create(std::move(backend));
    base::Defaults::setStandard(m_store);
    m_model = DataModel::create(m_store);
    ValueTransformer::setValueTransformer(std::make_shared<StringToTokenArrayTransformer>(), "StringToTokenArrayTransformer");
    m_previousAlerts = base::AlertPresenter::install([](const base::AlertRequest&) { return base::AlertAnswer { 0, false }; });
    m_previousLauncher = desktop::Opener::setLauncher([](const std::vector<std::string>&) { return true; });
    m_previousSink = base::setDiagnosticSink([this](std::string_view line) { diagnostics.emplace_back(line); });
    setZrLogOn(true);
    BackingStoreManager::sharedManager().setNetworkInterfacesFolder(home.path() / "no-network");
    LogFileManager::sharedInstance().reset();
    Logger::sharedLogger().updateLogFileDescriptors();
    Logger::sharedLogger().resetActualSecondsWorked();
    DataModel* data = m_model.get();
    Logger::sharedLogger().setExtensionReset([data] { data->resetCurrentTimeSliceExtensionDuration(); });
    NowAndLaterBoardManager::sharedManager().reset();
    MainWindowHooks::shared().reset();
    MainWindowHooks::shared().showHelpPage = [this](const std::string& page) { helpPages.push_back(page); };
    StatusItemMenuManager::instance().removeAllItems();

    postedEvents().clear();
    for (const char* screenClass : kBreakScreens) {
        for (const char* suffix : { ".start", ".time", ".end" }) {
            std::string name = std::string(BaseState::kModuleName) + "." + screenClass + suffix;
            ZRNotificationCenter::sharedNotificationCenter().addNotificationHandler(std::make_shared<RecordingHandler>(name), name);
        }
    }
    OstrelNotificationSystem::setSharedNotifier(std::make_shared<RecordingBanners>());
    auto scripts = base::paths::applicationSupport() / "Scripts";
    std::filesystem::create_directories(scripts);
    std::ofstream(scripts / ScriptLauncher::kScriptName) << "#!/bin/sh\n";
    ScriptLauncher::setRunner([this](const std::filesystem::path&, const std::vector<std::string>& argv) {
        scriptCalls.push_back(argv);
        return true;
    });
    // Quiet ticks: their names still reach the diagnostics.
    for (const char* key : { "softBreakFirstSoundOn", "softBreakSecondSoundOn", "softBreakThirdSoundOn" })
        m_store->set(key, false);
}

BreaksTest::~BreaksTest()
{
    // The screen still current lets its timers go, as leaving it would.
    if (machine && machine->currentState())
        machine->currentState()->deactivate();
    // A machine of its own replaces the shared one, so no screen of this case outlives it.
    if (machine) {
        auto fresh = StateMachine::create();
        fresh->awakeFromNib();
    }
    base::RunLoop::main().discardAll();
    StatusItemMenuManager::instance().removeAllItems();
    StateLinkingHelper::removeAllScreenFactories();
    ScreenFadingHelper::setShared(nullptr);
    OstrelNotificationSystem::setSharedNotifier(nullptr);
    ScriptLauncher::setRunner({});
    Logger::sharedLogger().setExtensionReset({});
    helper.reset();
    machine.reset();
    if (m_app)
        m_app->setDelegate(nullptr);
    appDelegate.reset();
    MainController::setSharedInstance(nullptr);
    mainController.reset();
    MainWindowHooks::shared().reset();
    NowAndLaterBoardManager::sharedManager().reset();
    LogFileManager::sharedInstance().reset();
    ValueTransformer::removeAllValueTransformers();
    base::AlertPresenter::install(m_previousAlerts);
    desktop::Opener::setLauncher(m_previousLauncher);
    base::setDiagnosticSink(m_previousSink);
    setZrLogOn(false);
    base::RunLoop::main().discardAll();
    m_app.reset();
    base::Defaults::setStandard(nullptr);
    Clock::restart(1);
}

void BreaksTest::startUp()
{
    m_store->set("launchManagerLaunchCounter", 1);
    // The window fits each screen, so that no section is left out for want of room.
    m_store->set("windowCompressionMode", 1);
    registerBreakScreens();
    mainController = MainController::create();
    mainController->awakeFromNib();
    appDelegate = AppDelegate::create(*m_model);
    appDelegate->activityMonitor = ActivityMonitor::create([this] { return idleNanoseconds; });
    m_app->setDelegate(appDelegate.get());
    machine = StateMachine::create();
    machine->awakeFromNib();
    helper = StateLinkingHelper::create(*m_model);
    helper->stateMachine = machine;
    helper->mainController = mainController;
    helper->appDelegate = appDelegate;
    helper->awakeFromNib();
    appDelegate->awakeFromNib();
    mainController->setPseudoAppDelegate(appDelegate.get());
    m_app->finishLaunching();
    window().makeKeyAndOrderFront();
    mainController->run();
    window().layoutIfNeeded();
}

void BreaksTest::fire(const std::string& transition) { machine->triggerTransition(transition); }

std::string BreaksTest::currentName() const
{
    auto screen = current();
    return screen ? screen->className() : "";
}

void BreaksTest::reachPrepareTimedBreak()
{
    fire("next");
    fire("straightToBreak");
}

void BreaksTest::reachTimedBreak()
{
    reachPrepareTimedBreak();
    fire("next");
}

void BreaksTest::reachInformalBreak()
{
    reachPrepareTimedBreak();
    fire("informalBreak");
}

void BreaksTest::reachSoftBreak()
{
    fire("next");
    fire("softBreak");
}

void BreaksTest::wait(double seconds) { base::RunLoop::main().runUntil(base::Time::now() + seconds); }

void BreaksTest::sleepFor(double seconds)
{
    clock.advance(seconds);
    base::RunLoop::main().runOnce();
}

void BreaksTest::setIdleSeconds(double seconds) { idleNanoseconds = static_cast<uint64_t>(seconds * 1e9); }

std::vector<Posted> BreaksTest::eventsNamed(const std::string& name) const
{
    std::vector<Posted> found;
    for (const auto& event : postedEvents())
        if (event.name == name)
            found.push_back(event);
    return found;
}

std::vector<std::string> BreaksTest::cues() const
{
    std::vector<std::string> found;
    for (const auto& line : diagnostics)
        if (line.size() > 2 && line.ends_with("()") && line.find(' ') == std::string::npos)
            found.push_back(line);
    return found;
}

bool BreaksTest::diagnosed(const std::string& part) const
{
    for (const auto& line : diagnostics)
        if (line.find(part) != std::string::npos)
            return true;
    return false;
}

ui::Window& BreaksTest::window() { return appDelegate->mainWindow->window(); }

std::string BreaksTest::statusTitle() const { return mainController->item()->button()->title(); }

std::vector<std::string> BreaksTest::statusMenuTitles() const
{
    std::vector<std::string> titles;
    for (const auto& item : StatusItemMenuManager::instance().currentMenuItems())
        titles.push_back(item->title());
    return titles;
}

std::shared_ptr<ScreenFadingHelper> BreaksTest::installCovers(int displays)
{
    std::vector<ui::Screen> screens { { ui::Rect(0, 0, 1440, 900), ui::Rect(0, 0, 1440, 868), "left", 1 } };
    if (displays > 1)
        screens.push_back({ ui::Rect(1440, -124, 1280, 1024), ui::Rect(1440, -124, 1280, 1024), "right", 1 });
    m_backend->setScreens(screens);
    auto covers = ScreenFadingHelper::create({ [] { return std::optional<ScreenFadingHelper::WindowId>(4242); },
        [this](ScreenFadingHelper::WindowId id) {
            givenBackTheFront.push_back(id);
            return true;
        } });
    ScreenFadingHelper::setShared(covers);
    return covers;
}

void BreaksTest::writePicture(ui::Window& shown, const std::string& name)
{
    const char* asked = std::getenv("OSTREL_SCREEN_PICTURES");
    std::filesystem::path folder = asked ? asked : std::filesystem::path(testing::TempDir()) / "ostrel-break-pictures";
    std::filesystem::create_directories(folder);
    shown.layoutIfNeeded();
    shown.display();
    ASSERT_TRUE(shown.writePng(folder / (name + ".png")));
}

void BreaksTest::click(ui::View& view)
{
    ui::Point inWindow = view.convertPointTo(view.bounds().center(), nullptr);
    backend().click(*view.window(), { inWindow.x, view.window()->frame().height() - inWindow.y });
}

bool BreaksTest::isShown(const ui::View& view)
{
    const ui::View* child = &view;
    while (auto* parent = child->superview()) {
        if (auto* stack = dynamic_cast<const ui::StackView*>(parent))
            return !stack->isDetached(child) && !child->isHidden();
        child = parent;
    }
    return false;
}

std::vector<std::string> BreaksTest::entryTitles()
{
    MatchingItemCollector collector(*m_store);
    if (auto* screen = dynamic_cast<BaseState*>(current().get()))
        screen->collectMatchingItems(collector);
    std::vector<std::string> titles;
    for (const auto& item : collector.matchingItems())
        titles.push_back(item->preciseMatchingString());
    return titles;
}

bool BreaksTest::runEntry(const std::string& title)
{
    MatchingItemCollector collector(*m_store);
    if (auto* screen = dynamic_cast<BaseState*>(current().get()))
        screen->collectMatchingItems(collector);
    for (const auto& item : collector.matchingItems()) {
        if (item->preciseMatchingString() == title) {
            item->execute();
            return true;
        }
    }
    return false;
}

}
