#include "mainwindow/ObjectiveBackgroundManager.h"

#include "mainwindow/BorderedBackgroundView.h"

#include "core/KVOResponder.h"
#include "viewkit/Wall.h"

#include "platform/base/Defaults.h"
#include "platform/gfx/Archive.h"
#include "platform/ui/ScrollView.h"

namespace ostrel {

namespace {

std::weak_ptr<ObjectiveBackgroundManager>& sharedSlot()
{
    static auto* slot = new std::weak_ptr<ObjectiveBackgroundManager>; // one process-wide slot
    return *slot;
}

void paint(ui::View& view, const std::optional<gfx::Color>& color)
{
    if (auto* bordered = dynamic_cast<BorderedBackgroundView*>(&view))
        bordered->setBackgroundColor(color);
    else if (auto* wall = dynamic_cast<Wall*>(&view))
        wall->setBackgroundColor(color);
    else if (auto* scroll = dynamic_cast<ui::ScrollView*>(&view)) {
        scroll->setDrawsBackground(color.has_value());
        if (color)
            scroll->setBackgroundColor(*color);
    }
    view.setNeedsDisplay();
}

}

std::shared_ptr<ObjectiveBackgroundManager> ObjectiveBackgroundManager::create()
{
    return std::shared_ptr<ObjectiveBackgroundManager>(new ObjectiveBackgroundManager);
}

std::shared_ptr<ObjectiveBackgroundManager> ObjectiveBackgroundManager::shared() { return sharedSlot().lock(); }

void ObjectiveBackgroundManager::awakeFromNib()
{
    sharedSlot() = weak_from_this();
    std::weak_ptr<ObjectiveBackgroundManager> weakSelf = weak_from_this();
    m_observer = KVOResponder::create("objectiveBackgroundColor", base::Defaults::standard(), true,
        [weakSelf](base::Defaults&, const std::string&) {
            if (auto self = weakSelf.lock())
                self->colorDidChange();
        });
}

void ObjectiveBackgroundManager::colorDidChange()
{
    m_color.reset();
    if (auto archived = base::Defaults::standard()->string("objectiveBackgroundColor"))
        m_color = gfx::unarchiveColor(*archived);
    for (const auto* view : { &infoWindowScrollView, &timeSliceInfoViewScrollView, &timeSliceExtensionInfoViewScrollView,
             &rateYourTimeSliceBorderedBackgroundView, &objectiveBorderedBackgroundView }) {
        if (auto shown = view->lock())
            paint(*shown, m_color);
    }
}

}
