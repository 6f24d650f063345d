#include "tests/shell/PreferencesFixture.h"

#include "log/DropboxManager.h"
#include "log/LogFileManager.h"
#include "log/StringToTokenArrayTransformer.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "shell/AppDelegate.h"
#include "shell/GenericAlertHelpDelegate.h"
#include "shell/HelpHooks.h"
#include "shell/HelpManager.h"
#include "shell/HelpViewController.h"
#include "shell/MainController.h"
#include "states/HelpHook.h"
#include "viewkit/PushButtonBrick.h"

#include "platform/ui/SpellChecker.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sys/stat.h>

namespace ostrel::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string>& helpPages()
{
    static const std::vector<std::string> pages { "index.html", "welcome.html", HelpManager::kNoiseMachinePage,
        "fast_type_syntax.html", "productivity_techniques.html", "soft_break_feature.html",
        "automatically_bring_to_front.html", "concentration_level.html", "omnifocus.html", "things.html", "hitlist.html",
        "dropbox.html", "applescript.html", "speech_reminder_tags.html", "input_monitoring.html", "lock_screen.html",
        "informal_breaks.html" };
    return pages;
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The help pages of the source tree, the main controller, the application's delegate and
// the main window with its help pad, as start-up wires them.
class HelpTest : public PreferencesTest {
protected:
    HelpTest()
    {
        const char* resources = std::getenv("OSTREL_RESOURCES");
        m_previousResources = resources ? resources : "";
        setenv("OSTREL_RESOURCES", (fs::path(std::getenv("OSTREL_SOURCE")) / "resources").c_str(), 1);
        ui::SpellChecker::shared();
        ui::WebView::setBrowser(std::nullopt);
        LogFileManager::sharedInstance().reset();
        ValueTransformer::setValueTransformer(std::make_shared<StringToTokenArrayTransformer>(), "StringToTokenArrayTransformer");
        main = MainController::create();
        MainController::setSharedInstance(main);
        delegate = AppDelegate::create(*model);
        main->setPseudoAppDelegate(delegate.get());
        installHelpHooks(delegate.get());
    }
    ~HelpTest() override
    {
        base::RunLoop::main().discardAll();
        DropboxManager::setHelpHook({});
        HelpHook::setShowPage({});
        if (delegate)
            delegate->mainWindow.reset();
        MainController::setSharedInstance(nullptr);
        ui::WebView::findBrowserOnPath();
        LogFileManager::sharedInstance().reset();
        setenv("OSTREL_RESOURCES", m_previousResources.c_str(), 1);
    }

    void makeMainWindow()
    {
        delegate->mainWindow = MainWindow::makeMainWindow(*model);
        delegate->mainWindow->window().makeKeyAndOrderFront();
        delegate->mainWindow->window().layoutIfNeeded();
    }
    HelpViewController& pad()
    {
        if (!delegate->mainWindow)
            makeMainWindow();
        return dynamic_cast<HelpViewController&>(*delegate->mainWindow->controller()->helpController());
    }
    std::string shownPage() { return fs::path(pad().webView()->url()).filename().string(); }
    std::string lastOpened() const { return opened.empty() ? std::string() : fs::path(opened.back()).filename().string(); }

    std::shared_ptr<MainController> main;
    std::shared_ptr<AppDelegate> delegate;

private:
    std::string m_previousResources;
};

}

TEST_F(HelpTest, HelpRouting)
{
    EXPECT_EQ(shownPage(), "welcome.html") << "the pad opens on the welcome page";
    HelpManager::showSoftBreakHelp();
    EXPECT_EQ(shownPage(), "soft_break_feature.html");
    EXPECT_FALSE(settings->boolean("helpPadHidden"));
    EXPECT_TRUE(settings->boolean("nowPadHidden")) << "the help pad shows alone";
    EXPECT_TRUE(opened.empty());

    HelpManager::showOmniFocusHelp(true);
    EXPECT_EQ(opened.back(), HelpManager::urlOfPage("omnifocus.html"));
    EXPECT_TRUE(opened.back().starts_with("file://"));
    HelpManager::showOmniFocusHelp(false);
    EXPECT_EQ(shownPage(), "omnifocus.html");
    HelpManager::showHitListHelp(false);
    EXPECT_EQ(lastOpened(), "hitlist.html") << "The Hit List's page always goes to the browser";
    EXPECT_EQ(shownPage(), "omnifocus.html");
    HelpManager::showInputMonitoringHelp();
    EXPECT_EQ(lastOpened(), "input_monitoring.html");
    HelpManager::showInformalBreakHelp(false);
    EXPECT_EQ(shownPage(), "informal_breaks.html");

    // The screens' help buttons and the breaks' reach the pages through their hooks.
    HelpHook::showPage("concentration_level.html", false);
    EXPECT_EQ(shownPage(), "concentration_level.html");
    HelpHook::showPage("productivity_techniques.html", true);
    EXPECT_EQ(lastOpened(), "productivity_techniques.html");
    MainWindowHooks::shared().showHelpPage("lock_screen.html");
    EXPECT_EQ(shownPage(), "lock_screen.html");

    // The main controller's commands use the pad, the preferences window's buttons the browser.
    main->tryToPerform("showHelp:");
    EXPECT_EQ(shownPage(), "welcome.html");
    main->tryToPerform("showThingsIntegrationHelp:");
    EXPECT_EQ(shownPage(), "things.html");
    main->tryToPerform("showNoiseMachineIntegrationHelp:");
    EXPECT_EQ(shownPage(), HelpManager::kNoiseMachinePage);
    auto preferences = makeController();
    std::size_t before = opened.size();
    preferences->tryToPerform("showSyncHelp:");
    preferences->tryToPerform("showSpeechTagsHelpTopic:");
    ASSERT_EQ(opened.size(), before + 2);
    EXPECT_EQ(fs::path(opened[before]).filename(), "dropbox.html");
    EXPECT_EQ(lastOpened(), "speech_reminder_tags.html");
    EXPECT_EQ(shownPage(), HelpManager::kNoiseMachinePage);
}

TEST_F(HelpTest, ThePadsButtonsFollowItsHistory)
{
    auto& help = pad();
    EXPECT_FALSE(help.backButton()->isEnabled());
    EXPECT_FALSE(help.forwardButton()->isEnabled());
    EXPECT_EQ(help.indexButton()->toolTip(), "Help Index");
    EXPECT_EQ(help.openInBrowserButton()->toolTip(), "Open in Browser...");
    HelpManager::showWelcome();
    EXPECT_FALSE(help.backButton()->isEnabled()) << "the page shown is not stacked again";

    help.showPage("concentration_level.html");
    EXPECT_TRUE(help.backButton()->isEnabled());
    EXPECT_FALSE(help.forwardButton()->isEnabled());
    help.backButton()->performClick();
    EXPECT_EQ(shownPage(), "welcome.html");
    EXPECT_FALSE(help.backButton()->isEnabled());
    EXPECT_TRUE(help.forwardButton()->isEnabled());
    help.indexButton()->performClick();
    EXPECT_EQ(shownPage(), "index.html");
    EXPECT_TRUE(help.backButton()->isEnabled());
    EXPECT_FALSE(help.forwardButton()->isEnabled()) << "a new page ends the forward history";

    help.openInBrowserButton()->performClick();
    EXPECT_EQ(opened.back(), help.webView()->url());
    // A link that asks for a window of its own goes to the browser; the pad stays.
    ASSERT_TRUE(help.webView()->onNewWindow);
    EXPECT_TRUE(help.webView()->onNewWindow(HelpManager::urlOfPage("things.html")));
    EXPECT_EQ(lastOpened(), "things.html");
    EXPECT_EQ(shownPage(), "index.html");
}

TEST_F(HelpTest, TheDropboxAlertsHelpButtonShowsItsPageInThePad)
{
    makeMainWindow();
    std::vector<std::string> messages;
    auto previous = base::AlertPresenter::install([&](const base::AlertRequest& alert) {
        messages.push_back(alert.message);
        if (alert.help)
            alert.help();
        return base::AlertAnswer { alert.escapeButtonIndex() < 0 ? 0 : alert.escapeButtonIndex(), false };
    });
    DropboxManager::sharedInstance().configureForDropbox();
    base::AlertPresenter::install(previous);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(shownPage(), "dropbox.html");
    EXPECT_FALSE(settings->boolean("dropboxSync"));

    HelpManager::showWelcome();
    auto alertHelp = HelpManager::createAlertHelpDelegateForDropbox();
    EXPECT_TRUE(alertHelp->alertShowHelp());
    EXPECT_EQ(shownPage(), "dropbox.html");
}

TEST_F(HelpTest, EveryPageIsInstalledAndLinksOnlyToPagesThatAre)
{
    fs::path folder = fs::path(std::getenv("OSTREL_SOURCE")) / "resources" / HelpManager::kPagesFolder;
    EXPECT_TRUE(HelpManager::rootPath().starts_with("file:///"));
    EXPECT_TRUE(endsWith(HelpManager::rootPath(), "/Ostrel/help_pages/v4/"));
    EXPECT_EQ(HelpManager::initialURL(), HelpManager::rootPath() + "welcome.html");
    std::regex link(R"re(href="([^"#:]+))re");
    for (const auto& page : helpPages()) {
        std::ifstream in(folder / page);
        ASSERT_TRUE(in) << page;
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find("<title>"), std::string::npos) << page;
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it)
            EXPECT_TRUE(fs::exists(folder / (*it)[1].str())) << page << " links to " << (*it)[1].str();
    }
}

TEST_F(HelpTest, ThePagesAndTheReadmeSayWhatTheProgramDoes)
{
    auto read = [](const fs::path& path) {
        std::ifstream in(path);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    fs::path source = std::getenv("OSTREL_SOURCE");
    // Tags and a duration leave the objective only when Parse Objective is asked for.
    std::string welcome = read(source / "resources" / HelpManager::kPagesFolder / "welcome.html");
    auto tags = welcome.find("@writing");
    ASSERT_NE(tags, std::string::npos);
    std::string item = welcome.substr(welcome.rfind("<li>", tags), welcome.find("</li>", tags) - welcome.rfind("<li>", tags));
    EXPECT_NE(item.find("Parse Objective"), std::string::npos) << item;
    EXPECT_EQ(item.find("for you"), std::string::npos) << item;
    // The banners: the preferences choose between our own windows and the desktop's.
    std::string readme = read(source / "README.md");
    auto banners = readme.find("- Banners");
    ASSERT_NE(banners, std::string::npos);
    std::string line = readme.substr(banners, readme.find("\n- ", banners + 1) - banners);
    EXPECT_NE(line.find("Show banners as:"), std::string::npos) << line;
    EXPECT_NE(line.find("own windows"), std::string::npos) << line;
}

TEST_F(HelpTest, AHiddenHelpPadStartsNoBrowser)
{
    fs::path runs = home.path() / "runs";
    fs::path script = home.path() / "browser";
    std::ofstream(script) << "#!/bin/sh\n"
                             "for a in \"$@\"; do last=\"$a\"; done\n"
                             "echo \"$last\" >> '"
                          << runs.string() << "'\nexit 1\n";
    ::chmod(script.c_str(), 0755);
    ui::WebView::setBrowser(script);
    auto& help = pad();
    ASSERT_TRUE(settings->boolean("helpPadHidden"));
    base::RunLoop::main().runUntil(base::Time::now() + 1);
    EXPECT_FALSE(help.webView()->isLoading());
    EXPECT_FALSE(fs::exists(runs)) << "no browser for a closed pad";

    HelpManager::showLockScreenOption();
    delegate->mainWindow->window().layoutIfNeeded();
    delegate->mainWindow->window().display();
    base::RunLoop::main().runUntil([&] { return fs::exists(runs) && !help.webView()->isLoading(); });
    std::ifstream in(runs);
    std::string first;
    std::getline(in, first);
    EXPECT_TRUE(endsWith(first, "lock_screen.html")) << first << ": only the page asked for, not the welcome page before it";
}

}
