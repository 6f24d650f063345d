#include "tests/states/WelcomeFixture.h"

#include "states/WelcomeScreens.h"

#include "attention/OstrelNotificationSystem.h"
#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "core/ValueTransformers.h"
#include "log/BackingStoreManager.h"
#include "log/LogFileManager.h"
#include "log/StringToTokenArrayTransformer.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PushButtonBrick.h"

#include "platform/base/Json.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/ui/SpellChecker.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <functional>
#include <filesystem>

namespace ostrel::test {

namespace {

class RecordingNotifier final : public OstrelNotificationSystem {
public:
    explicit RecordingNotifier(std::function<void(const std::string&)> record)
        : m_record(std::move(record))
    {
    }
    void displayNotification(const std::optional<std::string>& title, const std::optional<std::string>& description,
        double, bool sticky) override
    {
        if (title)
            m_record("banner " + *title + "|" + description.value_or("") + (sticky ? "|sticky" : ""));
    }

private:
    std::function<void(const std::string&)> m_record;
};

}

WelcomeTest::WelcomeTest()
{
    // The dictionaries load before the log's reading thread starts.
    ui::SpellChecker::shared();
    m_app = ui::Application::create(std::make_unique<ui::OffscreenBackend>());
    m_store = base::Defaults::create(home.configHome() / "Ostrel" / "defaults.json");
    // As in the program, the file is written some time after a burst of changes: here when
    // synchronized.
    m_store->setWriteScheduler([](std::function<void()>) { });
    base::Defaults::setStandard(m_store);
    m_model = DataModel::create(m_store);
    ValueTransformer::setValueTransformer(std::make_shared<StringToTokenArrayTransformer>(), "StringToTokenArrayTransformer");
    m_previousAlerts = base::AlertPresenter::install([](const base::AlertRequest&) { return base::AlertAnswer { 0, false }; });
    m_previousLauncher = desktop::Opener::setLauncher([](const std::vector<std::string>&) { return true; });
    m_previousSink = base::setDiagnosticSink([this](std::string_view line) { diagnostics.emplace_back(line); });
    BackingStoreManager::sharedManager().setNetworkInterfacesFolder(home.path() / "no-network");
    LogFileManager::sharedInstance().reset();
    NowAndLaterBoardManager::sharedManager().reset();
    MainWindowHooks::shared().reset();

    sink = media::RecordingSink::create();
    media::AudioOutput::install(media::AudioOutput::create([](std::function<void()>) { }, sink));
    SoundManager::setSharedManager(SoundManager::create(m_store));
    SpeechManager::setSharedManager(SpeechManager::create(m_store));
    WhiteNoiseMachine::setContinuousSoundMachine(WhiteNoiseMachine::create(m_store));
    OstrelNotificationSystem::setSharedNotifier(std::make_shared<RecordingNotifier>([this](const std::string& banner) {
        drainSounds();
        journal.push_back(banner);
    }));
    registerWelcomeScreens();
}

WelcomeTest::~WelcomeTest()
{
    // A machine of its own replaces the shared one, so no screen of this case outlives it.
    if (machine)
        StateMachine::create()->awakeFromNib();
    base::RunLoop::main().discardAll();
    StateLinkingHelper::removeAllScreenFactories();
    helper.reset();
    machine.reset();
    m_app->setDelegate(nullptr);
    appDelegate.reset();
    MainController::setSharedInstance(nullptr);
    mainController.reset();
    WhiteNoiseMachine::setContinuousSoundMachine(nullptr);
    SpeechManager::setSharedManager(nullptr);
    SoundManager::setSharedManager(nullptr);
    OstrelNotificationSystem::setSharedNotifier(nullptr);
    media::AudioOutput::install(nullptr);
    MainWindowHooks::shared().reset();
    NowAndLaterBoardManager::sharedManager().reset();
    LogFileManager::sharedInstance().reset();
    ValueTransformer::removeAllValueTransformers();
    base::AlertPresenter::install(m_previousAlerts);
    desktop::Opener::setLauncher(m_previousLauncher);
    base::setDiagnosticSink(m_previousSink);
    base::RunLoop::main().discardAll();
    base::Defaults::setStandard(nullptr);
    m_app.reset();
}

void WelcomeTest::startUp(int64_t launches)
{
    m_store->set("launchManagerLaunchCounter", launches);
    mainController = MainController::create();
    mainController->awakeFromNib();
    appDelegate = AppDelegate::create(*m_model);
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
    appDelegate->mainWindow->window().makeKeyAndOrderFront();
    mainController->run();
    window().layoutIfNeeded();
}

std::shared_ptr<WelcomeState> WelcomeTest::welcome(StateLinkingHelper::Slot slot) const
{
    return std::dynamic_pointer_cast<WelcomeState>(helper->screen(slot));
}

std::vector<PopUpButtonBrick*> WelcomeTest::popUps(WelcomeState& screen) const
{
    std::vector<PopUpButtonBrick*> choices;
    for (auto* popUp : viewsOf<PopUpButtonBrick>(*screen.infoWall())) {
        if (!popUp->pullsDown())
            choices.push_back(popUp);
    }
    return choices;
}

void WelcomeTest::choose(PopUpButtonBrick& popUp, int index)
{
    popUp.selectItemAt(index);
    popUp.menu()->performActionForItemAt(std::size_t(index));
    // The main window fits itself to the new explanation a moment later.
    base::RunLoop::main().runUntil(base::Time::now() + 0.5);
    window().layoutIfNeeded();
}

std::vector<std::string> WelcomeTest::explanations(WelcomeState& screen)
{
    std::vector<std::string> shown;
    for (auto* fragment : viewsOf<HideableFragmentWall>(*screen.infoWall())) {
        auto stack = fragment->parentStackView();
        if (!stack || stack->visibilityPriority(fragment) == ui::VisibilityPriority::NotVisible)
            continue;
        // Shown but with no room for it in the window.
        EXPECT_FALSE(stack->isDetached(fragment) && fragment->window()) << fragment->identifier();
        for (auto* label : viewsOf<ui::TextField>(*fragment)) {
            if (!label->wraps())
                continue;
            shown.push_back(label->stringValue());
            // Every line of it inside the window.
            if (auto* inWindow = label->window()) {
                ui::Rect placed = label->convertRectTo(label->bounds(), nullptr);
                ui::Rect content = inWindow->contentView()->bounds();
                EXPECT_TRUE(placed.minY() >= content.minY() - 0.5 && placed.maxY() <= content.maxY() + 0.5) << label->stringValue();
                EXPECT_GE(placed.height() + 0.5, label->intrinsicContentSize().height) << label->stringValue();
            }
        }
    }
    return shown;
}

PushButtonBrick* WelcomeTest::button(ui::View& root, const std::string& title)
{
    for (auto* button : viewsOf<PushButtonBrick>(root)) {
        if (button->title() == title)
            return button;
    }
    return nullptr;
}

void WelcomeTest::drainSounds()
{
    auto& events = sink->events();
    for (; m_soundEventsSeen < events.size(); ++m_soundEventsSeen) {
        auto& event = events[m_soundEventsSeen];
        if (event.kind != media::VoiceEvent::Kind::Started)
            continue;
        if (event.label.rfind("speech: ", 0) == 0)
            journal.push_back("speech " + event.label.substr(8));
        else
            journal.push_back((event.loop ? "loop " : "sound ") + std::filesystem::path(event.label).stem().string());
    }
}

std::vector<std::string> WelcomeTest::heard()
{
    drainSounds();
    return std::exchange(journal, {});
}

base::Value::Dictionary WelcomeTest::storedSettings()
{
    m_store->synchronize();
    std::ifstream file(m_store->file());
    std::stringstream text;
    text << file.rdbuf();
    auto parsed = base::parseJson(text.str());
    return parsed && parsed->asDictionary() ? *parsed->asDictionary() : base::Value::Dictionary {};
}

void WelcomeTest::writePicture(const std::string& name)
{
    const char* asked = std::getenv("OSTREL_SCREEN_PICTURES");
    std::filesystem::path folder = asked ? asked : std::filesystem::path(testing::TempDir()) / "ostrel-screen-pictures";
    std::filesystem::create_directories(folder);
    window().layoutIfNeeded();
    window().display();
    ASSERT_TRUE(window().writePng(folder / (name + ".png")));
}

}
