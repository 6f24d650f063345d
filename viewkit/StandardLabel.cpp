#include "viewkit/StandardLabel.h"

namespace ostrel {

std::shared_ptr<ui::TextField> standardLabel(std::string title)
{
    auto label = ui::TextField::createLabel(std::move(title));
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    label->setWraps(false);
    label->setEditable(false);
    label->setSelectable(false);
    label->setDrawsBackground(false);
    label->setBordered(false);
    return label;
}

}
