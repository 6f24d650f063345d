#pragma once

#include "platform/ui/ScrollView.h"

#include <memory>
#include <string>

namespace ostrel {

// The pads' and the log book's scroller: the window system's, drawn over the pads' own
// colours without any blending of what lies behind the window.
class SpecialScroller : public ui::Scroller {
public:
    static std::shared_ptr<SpecialScroller> create() { return std::shared_ptr<SpecialScroller>(new SpecialScroller); }

protected:
    SpecialScroller() = default;
};

// The scroll view of a pad's text: it knows the settings key of the colour behind it.
class PadScrollView : public ui::ScrollView {
public:
    static std::shared_ptr<PadScrollView> create() { return std::shared_ptr<PadScrollView>(new PadScrollView); }

    const std::string& backgroundColorPreferencesKey() const { return m_backgroundColorPreferencesKey; }
    void setBackgroundColorPreferencesKey(std::string key) { m_backgroundColorPreferencesKey = std::move(key); }

protected:
    PadScrollView() = default;

private:
    std::string m_backgroundColorPreferencesKey;
};

}
