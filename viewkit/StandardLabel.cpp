#include "viewkit/StandardLabel.h"

namespace ostrel {

std::shared_ptr<ui::TextField> standardLabel(std::string title)
{
    auto label = ui::TextField::createLabel(std::move(title));
    makeStandardLabel(*label);
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    return label;
}

void makeStandardLabel(ui::TextField& label)
{
    label.setWraps(false);
    label.setEditable(false);
    label.setSelectable(false);
    label.setDrawsBackground(false);
    label.setBordered(false);
}

}
