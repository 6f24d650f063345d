#include "mainwindow/TextIndicatorsView.h"

#include "mainwindow/NowAndLaterBoardTextView.h"

#include "drawing/OstrelStyleKit.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"

#include "platform/gfx/Fonts.h"
#include "platform/gfx/Image.h"
#include "platform/ui/Button.h"

#include <map>

namespace ostrel {

std::shared_ptr<TextIndicatorsView> TextIndicatorsView::create(ui::Rect frame)
{
    return std::shared_ptr<TextIndicatorsView>(new TextIndicatorsView(frame));
}

TextIndicatorsView::TextIndicatorsView(ui::Rect frame)
    : ui::View(frame)
{
}

void TextIndicatorsView::addIndicatorButtons(const std::weak_ptr<NowAndLaterBoardTextView>& target)
{
    using A = ui::LayoutAttribute;
    struct Indicator {
        const char* title;
        void (NowAndLaterBoardTextView::*action)(const base::Sender&);
        void (TextIndicatorsView::*keep)(const std::shared_ptr<ui::Button>&);
    };
    static const Indicator table[] = {
        { "N", &NowAndLaterBoardTextView::makePlainText, &TextIndicatorsView::setPlainIndicator },
        { "B", &NowAndLaterBoardTextView::toggleBoldAttribute, &TextIndicatorsView::setBoldIndicator },
        { "i", &NowAndLaterBoardTextView::toggleItalicAttribute, &TextIndicatorsView::setItalicsIndicator },
        { "U", &NowAndLaterBoardTextView::underline, &TextIndicatorsView::setUnderlineIndicator },
        { "S", &NowAndLaterBoardTextView::toggleStrikeOutAttribute, &TextIndicatorsView::setStrikeThroughIndicator },
    };
    std::shared_ptr<ui::Button> left;
    for (const auto& indicator : table) {
        auto button = ui::Button::create(indicator.title, ui::ButtonType::Toggle);
        button->setBezelStyle(ui::BezelStyle::Borderless);
        button->setImagePosition(ui::ImagePosition::ImageOnly);
        button->setRefusesFirstResponder(true);
        // The plain indicator only keeps its place, so "B" starts 25 points in.
        button->setHidden(indicator.keep == &TextIndicatorsView::setPlainIndicator);
        button->onAction = [target, action = indicator.action] {
            if (auto view = target.lock())
                ((*view).*action)({});
        };
        addSubview(button);
        button->setTranslatesAutoresizingMaskIntoConstraints(false);
        LayoutConstraintMaker maker(*button);
        maker.width(24).height(20);
        maker.container().pin(A::CenterY, A::CenterY, 0);
        if (left)
            maker.and_(*left).pin(A::Left, A::Right, 1);
        else
            maker.container().pin(A::Left, A::Left, 0);
        addConstraints(maker.constraints());
        (this->*indicator.keep)(button);
        left = button;
    }
}

void TextIndicatorsView::setState(const std::weak_ptr<ui::Button>& button, bool on)
{
    // Told after every keystroke: a button whose state stays is not drawn again for it.
    auto state = on ? ui::ControlStateValue::On : ui::ControlStateValue::Off;
    if (auto shown = button.lock(); shown && shown->state() != state)
        shown->setState(state);
}

void TextIndicatorsView::setIcon(const std::shared_ptr<gfx::Image>& image, ui::Button& button)
{
    std::shared_ptr<gfx::Image> shown = image;
    // The kit draws its letters as text: taken once as pixels (fine enough for displays of
    // two pixels a point), they cost nothing to show again with every keystroke. Once for
    // every text bar: the program starts with nine of them, which took as long as laying
    // out the window. New fonts draw the letters anew.
    struct Taken {
        std::weak_ptr<gfx::Image> from;
        std::shared_ptr<gfx::Image> pixels;
    };
    static std::map<const gfx::Image*, Taken> taken;
    static unsigned takenWith = gfx::fontGeneration();
    if (takenWith != gfx::fontGeneration()) {
        taken.clear();
        takenWith = gfx::fontGeneration();
    }
    if (image) {
        auto& kept = taken[image.get()];
        // Only while the image it was taken from lives: another may come at its address.
        if (kept.from.expired()) {
            auto bitmap = image->rasterize(2);
            kept = { image, bitmap ? gfx::Image::fromBitmap(bitmap, 2) : image };
            kept.pixels->setTemplate(true);
        }
        shown = kept.pixels;
    }
    button.setImage(shown);
    button.setTitle("");
}

void TextIndicatorsView::initTextBarButtons()
{
    if (auto button = boldIndicator())
        setIcon(OstrelStyleKit::imageOfBoldIndicator(), *button);
    if (auto button = plainIndicator())
        setIcon(OstrelStyleKit::imageOfPlainIndicator(), *button);
    if (auto button = strikeThroughIndicator())
        setIcon(OstrelStyleKit::imageOfStrikeThroughIndicator(), *button);
    if (auto button = italicsIndicator())
        setIcon(OstrelStyleKit::imageOfItalicsIndicator(), *button);
    if (auto button = underlineIndicator())
        setIcon(OstrelStyleKit::imageOfUnderlineIndicator(), *button);
}

}
