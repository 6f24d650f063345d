#include "UiFixture.h"

#include "tests/support/TemporaryHome.h"
#include "platform/ui/WebView.h"

#include <fstream>

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
    if (!WebView::browser())
        GTEST_SKIP() << "no headless browser (Debian's chromium) installed";
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
