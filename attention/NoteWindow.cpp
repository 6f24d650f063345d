#include "attention/NoteWindow.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/Wall.h"

#include "platform/ui/Constraint.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

namespace ostrel {

namespace {
constexpr double kMargin = 16;

std::shared_ptr<ui::TextField> wrappingLabel(gfx::Font font)
{
    auto label = standardLabel("");
    label->setFont(std::move(font));
    label->setWraps(true);
    label->setPreferredMaxLayoutWidth(NoteWindow::kTextWidth);
    return label;
}
}

std::shared_ptr<NoteWindow> NoteWindow::create()
{
    std::shared_ptr<NoteWindow> window(new NoteWindow);
    window->finishCreation();
    return window;
}

void NoteWindow::buildContentView()
{
    using A = ui::LayoutAttribute;
    installBackgroundWall();
    auto inner = Wall::create();
    m_contentWall->factory().internalAddBrick(inner, [](LayoutConstraintMaker& maker) {
        maker.container()
            .pin(A::Left, A::Left, kMargin)
            .pin(A::Top, A::Top, kMargin)
            .pin(A::Right, A::Right, -kMargin)
            .pin(A::Bottom, A::Bottom, -kMargin);
    });

    m_titleLabel = wrappingLabel(gfx::Font::system(16, gfx::FontWeight::medium));
    m_messageLabel = wrappingLabel(gfx::Font::system(13));
    m_messageLabel->setContentHuggingPriority(ui::LayoutPriority::DefaultLow, ui::Orientation::Horizontal);
    inner->factory().internalAddBrick(m_titleLabel, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Left, A::Left, 0).pin(A::Top, A::Top, 0).pin(A::Right, A::Right, 0);
    });
    inner->factory().internalAddBrick(m_messageLabel, [title = m_titleLabel.get()](LayoutConstraintMaker& maker) {
        maker.and_(*title).pin(A::Top, A::Bottom, 0).pin(A::Left, A::Left, 0);
        maker.container().pin(A::Right, A::Right, 0).lowPriority().pin(A::Bottom, A::Bottom, 0);
        maker.append(ui::Constraint::create(&maker.subject(), A::Width, ui::LayoutRelation::LessThanOrEqual, title,
            A::Width));
    });
}

}
