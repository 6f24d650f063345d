#include "mainwindow/TextScrollView.h"

#include "mainwindow/SpecialScroller.h"

#include "platform/ui/ScrollView.h"
#include "platform/ui/TextView.h"

namespace ostrel {

std::shared_ptr<ui::ScrollView> makeTextScrollView(const std::shared_ptr<ui::TextView>& textView, const std::string& colorKey)
{
    auto scroll = PadScrollView::create();
    scroll->setBackgroundColorPreferencesKey(colorKey);
    scroll->setVerticalScroller(SpecialScroller::create());
    scroll->setFrame(textView->frame());
    scroll->setContentView(ui::ClipView::create(true));
    scroll->setDocumentView(textView);
    scroll->setDrawsBackground(false);
    scroll->setHasVerticalScroller(true);
    scroll->setAutohidesScrollers(true);
    return scroll;
}

}
