#include "viewkit/TagTokenFieldContainerView.h"

#include "viewkit/TagTokenField.h"

#include "platform/base/Diagnostics.h"
#include "platform/ui/Window.h"

namespace ostrel {

std::shared_ptr<TagTokenFieldContainerView> TagTokenFieldContainerView::create(ui::Rect frame)
{
    return std::shared_ptr<TagTokenFieldContainerView>(new TagTokenFieldContainerView(frame));
}

TagTokenFieldContainerView::TagTokenFieldContainerView(ui::Rect frame)
    : ui::View(frame)
{
}

void TagTokenFieldContainerView::selectTagTokenField()
{
    if (!m_tagTokenField)
        base::fatal("TagTokenFieldContainerView selectTagTokenField called but tag token field not set!!");
    if (auto* host = m_tagTokenField->window())
        host->makeFirstResponder(m_tagTokenField.get());
}

}
