#include "UiFixture.h"

#include "tests/support/TemporaryHome.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/WebView.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

using namespace ui;
namespace fs = std::filesystem;

namespace {

class WebViewTest : public UiTest {
protected:
    ~WebViewTest() override { WebView::findBrowserOnPath(); }
    fs::path page(const std::string& name, const std::string& title, const std::string& colour)
    {
        fs::path file = m_home.path() / name;
        std::ofstream(file) << "<html><head><title>" << title << "</title></head><body style=\"margin:0;background:" << colour
                            << "\"></body></html>";
        return file;
    }
    std::shared_ptr<WebView> shown()
    {
        m_window = window(400, 300);
        auto view = WebView::create();
        view->setFrame(Rect(0, 0, 400, 300));
        m_window->contentView()->addSubview(view);
        return view;
    }
    ostrel::test::TemporaryHome m_home;
    std::shared_ptr<Window> m_window;
};

TEST_F(WebViewTest, HeadlessBrowserRendersTheLocalPageInline)
{
    fs::path chromium = "/usr/bin/chromium";
    if (!fs::exists(chromium))
        GTEST_SKIP() << "no headless browser (Debian's chromium) installed";
    // The program never runs the browser as root; as root (on CI) the test runs it for the
    // drawing alone, in a wrapper that lets it start there without its sandbox.
    if (geteuid() == 0) {
        fs::path wrapper = m_home.path() / "chromium-as-root";
        std::ofstream(wrapper) << "#!/bin/sh\nexec " << chromium.string() << " --no-sandbox \"$@\"\n";
        fs::permissions(wrapper, fs::perms::owner_all);
        WebView::setBrowser(wrapper);
    }
    auto view = shown();
    int finished = 0;
    view->onFinishLoad = [&] { ++finished; };
    ASSERT_TRUE(view->load(page("red.html", "Red", "#ff0000").string()));
    EXPECT_TRUE(view->isLoading());
    loop().runUntil([&] { return finished == 1; });
    ASSERT_NE(view->picture(), nullptr);
    m_window->display();
    gfx::Color middle = m_window->pixelAt(200, 150);
    EXPECT_GT(middle.red, 0.9);
    EXPECT_LT(middle.green, 0.1);

    // A reload draws the page again, as it is now.
    page("red.html", "Red", "#0000ff");
    view->reload();
    loop().runUntil([&] { return finished == 2; });
    m_window->display();
    EXPECT_GT(m_window->pixelAt(200, 150).blue, 0.9);
}

// A browser of the test's own stands in for the real one: it hands over a picture drawn
// here, as tall as the window it was asked for, whatever the page.
TEST_F(WebViewTest, ALongPageScrollsAndBelowAShortOneItsBackgroundShows)
{
    auto picture = [this](const std::string& name, gfx::Color page, double pageHeight, gfx::Color below) {
        auto bitmap = gfx::Bitmap::create(400, 4000);
        auto context = bitmap->makeContext(1, true);
        gfx::GraphicsContext::MakeCurrent current(*context);
        context->setFillColor(below);
        context->fillRect(Rect(0, 0, 400, 4000));
        context->setFillColor(page);
        context->fillRect(Rect(0, 0, 400, pageHeight - 40));
        context->setFillColor(gfx::colors::green);
        context->fillRect(Rect(0, pageHeight - 40, 400, 40));
        fs::path file = m_home.path() / name;
        bitmap->savePng(file);
        return file;
    };
    fs::path shown = m_home.path() / "shown.png";
    fs::path browser = m_home.path() / "browser";
    std::ofstream(browser) << "#!/bin/sh\nfor a in \"$@\"; do case \"$a\" in --screenshot=*) cp '" << shown.string()
                           << "' \"${a#--screenshot=}\";; esac; done\n";
    fs::permissions(browser, fs::perms::owner_all);
    WebView::setBrowser(browser);
    auto view = this->shown();
    int finished = 0;
    view->onFinishLoad = [&] { ++finished; };

    fs::copy_file(picture("long.png", gfx::colors::red, 1000, gfx::colors::white), shown);
    ASSERT_TRUE(view->load(page("long.html", "Long", "#fff").string()));
    loop().runUntil([&] { return finished == 1; });
    ASSERT_NE(view->picture(), nullptr);
    EXPECT_EQ(view->picture()->size().height, 1000 + 16) << "cut after the page, with a margin";
    view->scrollWheel(Event::scroll(m_window.get(), Point(200, 150), 0, -3));
    EXPECT_GT(view->scrollOffset(), 0);
    view->scrollTo(5000);
    EXPECT_EQ(view->scrollOffset(), 1016 - 300) << "no further than the page's end";
    m_window->display();
    EXPECT_GT(m_window->pixelAt(200, 300 - 16 - 20).green, 0.4) << "the page's last lines show";

    fs::remove(shown);
    fs::copy_file(picture("short.png", gfx::colors::blue, 100, gfx::Color::rgb(1, 1, 0)), shown);
    ASSERT_TRUE(view->load(page("short.html", "Short", "#fff").string()));
    loop().runUntil([&] { return finished == 2; });
    EXPECT_EQ(view->scrollOffset(), 0) << "another page starts at its top";
    view->setFrame(Rect(0, 0, 400, 600));
    m_window->setFrame(Rect(100, 100, 400, 600));
    m_window->display();
    gfx::Color below = m_window->pixelAt(200, 500);
    EXPECT_GT(below.red, 0.9);
    EXPECT_LT(below.blue, 0.1) << "the page's own background below it, never a white block";
}

TEST_F(WebViewTest, WithoutABrowserACardOpensThePage)
{
    WebView::setBrowser(std::nullopt);
    auto view = shown();
    std::vector<std::string> opened;
    view->onNewWindow = [&](const std::string& url) {
        opened.push_back(url);
        return true;
    };
    int finished = 0;
    view->onFinishLoad = [&] { ++finished; };
    fs::path file = page("help.html", " Soft breaks &amp; you ", "#fff");
    ASSERT_TRUE(view->load("file://" + file.string() + "#top"));
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(view->showsCard());
    EXPECT_EQ(view->title(), "Soft breaks & you");
    m_window->display();
    // The card's button: centred, below the middle.
    backend().click(*m_window, Point(200, 164));
    EXPECT_EQ(opened, std::vector<std::string> { "file://" + file.string() });
}

TEST_F(WebViewTest, TheBrowserRunsInItsOwnSandboxAndNeverForRoot)
{
    // A browser on the PATH that writes down how it was started.
    fs::path folder = m_home.path() / "bin";
    fs::create_directories(folder);
    fs::path arguments = m_home.path() / "arguments";
    std::ofstream(folder / "chromium") << "#!/bin/sh\necho \"$@\" >> '" << arguments.string() << "'\nexit 1\n";
    fs::permissions(folder / "chromium", fs::perms::owner_all);
    std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (folder.string() + ":" + savedPath).c_str(), 1);
    WebView::findBrowserOnPath();
    auto found = WebView::browser();
    setenv("PATH", savedPath.c_str(), 1);
    if (geteuid() == 0)
        EXPECT_FALSE(found) << "the browser has no sandbox for root: the pages show as cards";
    else
        EXPECT_EQ(found, folder / "chromium");

    WebView::setBrowser(folder / "chromium");
    auto view = shown();
    ASSERT_TRUE(view->load(page("red.html", "Red", "#ff0000").string()));
    m_window->display();
    loop().runUntil([&] { return !view->isLoading(); });
    std::ifstream in(arguments);
    std::string line;
    ASSERT_TRUE(std::getline(in, line)) << "the browser never ran";
    EXPECT_NE(line.find("--headless"), std::string::npos) << line;
    EXPECT_EQ(line.find("--no-sandbox"), std::string::npos) << line;
    EXPECT_TRUE(view->showsCard()) << "a browser that drew nothing leaves the card";
}

TEST_F(WebViewTest, HistoryGoesBackAndForthAndRefusesWhatIsNoLocalFile)
{
    WebView::setBrowser(std::nullopt);
    auto view = shown();
    fs::path one = page("one.html", "One", "#fff");
    fs::path two = page("two.html", "Two", "#fff");
    EXPECT_FALSE(view->load("https://example.org/"));
    EXPECT_FALSE(view->load((m_home.path() / "missing.html").string()));
    EXPECT_EQ(view->url(), "");
    view->load(one.string());
    view->load(two.string());
    view->goBack();
    EXPECT_EQ(view->title(), "One");
    EXPECT_TRUE(view->canGoForward());
    view->goForward();
    EXPECT_EQ(view->title(), "Two");
    view->goBack();
    view->load(two.string());
    EXPECT_FALSE(view->canGoForward()) << "a new load drops the pages ahead";

    // Names with characters a URL gives meaning to still name the same page both ways.
    fs::path odd = page("50% #1 & more?.html", "Odd", "#fff");
    ASSERT_TRUE(view->load(odd.string()));
    EXPECT_EQ(view->title(), "Odd");
    std::string url = view->url();
    EXPECT_EQ(url.find_first_of("#? "), std::string::npos) << url;
    view->load(one.string());
    ASSERT_TRUE(view->load(url + "#section"));
    EXPECT_EQ(view->title(), "Odd");
}

}
