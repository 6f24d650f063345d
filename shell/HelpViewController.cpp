#include "shell/HelpViewController.h"

#include "shell/HelpManager.h"

#include "drawing/OstrelStyleKit.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/FragmentWall.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/Wall.h"

#include "platform/base/Diagnostics.h"
#include "platform/desktop/Opener.h"
#include "platform/ui/TemplateImages.h"
#include "platform/ui/WebView.h"

namespace ostrel {

namespace {

using A = ui::LayoutAttribute;
constexpr double kButtonHeight = 20;

// The bar's buttons: image only, no border, small.
void styleBarButton(PushButtonBrick& button, std::shared_ptr<gfx::Image> image, const std::string& toolTip)
{
    button.setBezelStyle(ui::BezelStyle::Borderless);
    button.setButtonType(ui::ButtonType::MomentaryPushIn);
    button.setControlSize(ui::ControlSize::Small);
    button.setFont(gfx::Font::system(gfx::Font::smallSystemFontSize));
    if (image)
        image->setTemplate(true);
    button.setImage(std::move(image));
    button.setImagePosition(ui::ImagePosition::ImageOnly);
    button.setToolTip(toolTip);
}

ui::View& previousBrick(BricksFactory& factory)
{
    auto previous = factory.previous();
    if (!previous)
        base::fatal("previous called but does not exist");
    return *previous;
}

}

void MyWebViewDelegate::webViewDidFinishLoad(ui::WebView& webView) const
{
    auto controller = m_helpViewController.lock();
    if (!controller)
        return;
    if (auto& back = controller->m_backButton)
        back->setEnabled(webView.canGoBack());
    if (auto& forward = controller->m_forwardButton)
        forward->setEnabled(webView.canGoForward());
}

bool MyWebViewPolicyDelegate::decidePolicyForNewWindowAction(const std::string& url) const
{
    if (!url.empty())
        desktop::Opener::openLink(url);
    return true;
}

std::shared_ptr<HelpViewController> HelpViewController::create(bool delayedBuild)
{
    return NiblessViewController::create<HelpViewController>(delayedBuild);
}

void HelpViewController::build()
{
    auto wall = Wall::create();
    setView(wall);

    m_fragmentStackView = FragmentStackView::create(ui::Orientation::Vertical);
    m_fragmentStackView->setTranslatesAutoresizingMaskIntoConstraints(false);
    m_fragmentStackView->setSpacing(0);
    m_fragmentStackView->setAlignment(A::Leading);
    wall->addSubview(m_fragmentStackView);
    LayoutConstraintMaker stackPins(*m_fragmentStackView);
    // The top 40 points stay free for the pads' selector row.
    stackPins.container().pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0).pin(A::Bottom, A::Bottom, 0).pin(A::Top, A::Top, 40);
    wall->addConstraints(stackPins.constraints());

    auto bar = FragmentWall::create();
    m_fragmentStackView->addFragment(bar);
    auto& factory = bar->factory();
    std::weak_ptr<HelpViewController> weakSelf = std::static_pointer_cast<HelpViewController>(shared_from_this());

    m_indexButton = factory.pushButton("", [] { HelpManager::showHelpIndex(); }, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).pin(A::Top, A::Top, 0);
        maker.height(kButtonHeight);
    });
    styleBarButton(*m_indexButton, OstrelStyleKit::imageOfHelpIndexIcon(), "Help Index");

    auto& bricks = factory;
    m_backButton = factory.pushButton("", [weakSelf] {
        if (auto self = weakSelf.lock())
            self->m_webView->goBack();
    }, [&bricks](LayoutConstraintMaker& maker) {
        maker.and_(previousBrick(bricks)).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
        maker.height(kButtonHeight);
    });
    styleBarButton(*m_backButton, ui::TemplateImages::leftTriangle(), "Previous");
    m_backButton->setEnabled(false);

    m_forwardButton = factory.pushButton("", [weakSelf] {
        if (auto self = weakSelf.lock())
            self->m_webView->goForward();
    }, [&bricks](LayoutConstraintMaker& maker) {
        maker.and_(previousBrick(bricks)).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
        maker.height(kButtonHeight);
    });
    styleBarButton(*m_forwardButton, ui::TemplateImages::rightTriangle(), "Next");

    m_openInBrowserButton = factory.pushButton("", [weakSelf] {
        if (auto self = weakSelf.lock())
            self->openInBrowser();
    }, [&bricks](LayoutConstraintMaker& maker) {
        maker.and_(previousBrick(bricks)).pin(A::CenterY, A::CenterY, 0);
        maker.container().pin(A::Bottom, A::Bottom, -2).place(A::Right, A::Right);
        maker.height(kButtonHeight);
    });
    styleBarButton(*m_openInBrowserButton, ui::TemplateImages::followLink(), "Open in Browser...");

    m_webView = ui::WebView::create();
    m_webView->setTranslatesAutoresizingMaskIntoConstraints(false);
    m_webView->setIdentifier("Help Web View");

    auto page = FragmentWall::create();
    page->addSubview(m_webView);
    LayoutConstraintMaker webPins(*m_webView);
    webPins.container().pin(A::Left, A::Left, 1).pin(A::Right, A::Right, 0).pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0);
    page->addConstraints(webPins.constraints());
    m_fragmentStackView->addFragment(page);
    // Both sections as wide as the pad.
    for (const auto& fragment : { std::static_pointer_cast<ui::View>(bar), std::static_pointer_cast<ui::View>(page) }) {
        LayoutConstraintMaker width(*fragment);
        width.and_(*m_fragmentStackView).pin(A::Width, A::Width, 0);
        m_fragmentStackView->addConstraints(width.constraints());
    }

    m_frameLoadDelegate = std::make_shared<MyWebViewDelegate>(weakSelf);
    m_policyDelegate = std::make_shared<MyWebViewPolicyDelegate>();
    std::weak_ptr<ui::WebView> weakWebView = m_webView;
    m_webView->onFinishLoad = [weakSelf, weakWebView] {
        auto self = weakSelf.lock();
        auto webView = weakWebView.lock();
        if (self && webView && self->m_frameLoadDelegate)
            self->m_frameLoadDelegate->webViewDidFinishLoad(*webView);
    };
    m_webView->onNewWindow = [weakSelf](const std::string& url) {
        auto self = weakSelf.lock();
        if (!self || !self->m_policyDelegate) {
            desktop::Opener::openLink(url);
            return true;
        }
        return self->m_policyDelegate->decidePolicyForNewWindowAction(url);
    };
    // After the delegates: a page shown at once (no browser to wait for) still sets the buttons.
    m_webView->load(HelpManager::initialURL());
}

void HelpViewController::showPage(const std::string& lastPathComponent)
{
    if (!m_webView)
        build();
    std::string url = HelpManager::urlOfPage(lastPathComponent);
    // The page already shown is shown again, not stacked twice in the history.
    if (m_webView->url() == url) {
        m_webView->reload();
        return;
    }
    if (!m_webView->load(url))
        base::diagnostic("help: no page " + lastPathComponent + " among the installed help pages");
}

void HelpViewController::openInBrowser()
{
    std::string url = m_webView ? m_webView->url() : std::string();
    if (!url.empty() && desktop::Opener::isLink(url))
        desktop::Opener::openLink(url);
}

}
