#include "mainwindow/TextIndicatorsView.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/gfx/Image.h"
#include "platform/ui/Button.h"

namespace ostrel {

std::shared_ptr<TextIndicatorsView> TextIndicatorsView::create(ui::Rect frame)
{
    return std::shared_ptr<TextIndicatorsView>(new TextIndicatorsView(frame));
}

TextIndicatorsView::TextIndicatorsView(ui::Rect frame)
    : ui::View(frame)
{
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
    // two pixels a point), they cost nothing to show again with every keystroke.
    if (image) {
        if (auto bitmap = image->rasterize(2))
            shown = gfx::Image::fromBitmap(bitmap, 2);
        shown->setTemplate(true);
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
