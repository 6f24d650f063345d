#pragma once

#include "viewkit/NiblessViewController.h"

#include <memory>
#include <string>

namespace ui {
class WebView;
}

namespace ostrel {

class FragmentStackView;
class HelpViewController;
class PushButtonBrick;

// Told when the web view finished a page: the back and forward buttons follow its history.
class MyWebViewDelegate {
public:
    explicit MyWebViewDelegate(std::weak_ptr<HelpViewController> helpViewController)
        : m_helpViewController(std::move(helpViewController))
    {
    }
    void webViewDidFinishLoad(ui::WebView& webView) const;

private:
    std::weak_ptr<HelpViewController> m_helpViewController;
};

// Asked where a link that wants a window of its own goes: to the browser, never the pad.
class MyWebViewPolicyDelegate {
public:
    // True: the web view leaves the link alone.
    bool decidePolicyForNewWindowAction(const std::string& url) const;
};

// The help pad: a bar with the index, back, forward and "Open in Browser..." buttons over a
// web view of the program's help pages, opening on the welcome page.
class HelpViewController : public NiblessViewController {
public:
    static std::shared_ptr<HelpViewController> create(bool delayedBuild = false);

    void build() override;
    // Loads the page by file name from the help pages' folder.
    void showPage(const std::string& lastPathComponent);

    const std::shared_ptr<FragmentStackView>& fragmentStackView() const { return m_fragmentStackView; }
    const std::shared_ptr<ui::WebView>& webView() const { return m_webView; }
    const std::shared_ptr<PushButtonBrick>& indexButton() const { return m_indexButton; }
    const std::shared_ptr<PushButtonBrick>& backButton() const { return m_backButton; }
    const std::shared_ptr<PushButtonBrick>& forwardButton() const { return m_forwardButton; }
    const std::shared_ptr<PushButtonBrick>& openInBrowserButton() const { return m_openInBrowserButton; }

protected:
    friend class NiblessViewController;
    HelpViewController() = default;

private:
    friend class MyWebViewDelegate;
    void openInBrowser();

    std::shared_ptr<FragmentStackView> m_fragmentStackView;
    std::shared_ptr<ui::WebView> m_webView;
    std::shared_ptr<PushButtonBrick> m_forwardButton;
    std::shared_ptr<PushButtonBrick> m_backButton;
    std::shared_ptr<PushButtonBrick> m_indexButton;
    std::shared_ptr<PushButtonBrick> m_openInBrowserButton;
    std::shared_ptr<MyWebViewDelegate> m_frameLoadDelegate;
    std::shared_ptr<MyWebViewPolicyDelegate> m_policyDelegate;
};

}
