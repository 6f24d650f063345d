#include "viewkit/CreateScrollView.h"

#include "viewkit/LayoutConstraintMaker.h"

namespace ostrel {

std::shared_ptr<ui::ScrollView> createScrollView(const std::shared_ptr<ui::View>& documentView)
{
    using A = ui::LayoutAttribute;
    using R = ui::LayoutRelation;
    auto scrollView = ui::ScrollView::create();
    scrollView->setTranslatesAutoresizingMaskIntoConstraints(false);
    scrollView->setBorderType(ui::ScrollView::BorderType::None);
    scrollView->setBackgroundColor(gfx::colors::clear);
    scrollView->setDrawsBackground(false);
    scrollView->setHasVerticalScroller(true);
    scrollView->setAutohidesScrollers(true);

    auto clip = ui::ClipView::create(true);
    clip->setTranslatesAutoresizingMaskIntoConstraints(false);
    scrollView->setContentView(clip);
    for (A attribute : { A::Left, A::Right, A::Top, A::Bottom })
        scrollView->addConstraint(ui::Constraint::create(scrollView.get(), attribute, R::Equal, clip.get(), attribute, 1, 0));

    scrollView->setDocumentView(documentView);
    for (A attribute : { A::Left, A::Right, A::Top })
        clip->addConstraint(ui::Constraint::create(clip.get(), attribute, R::Equal, documentView.get(), attribute, 1, 0));
    scrollView->setNeedsLayout();
    return scrollView;
}

}
