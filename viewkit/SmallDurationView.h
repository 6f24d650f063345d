#pragma once

#include "viewkit/DurationView.h"

namespace ostrel {

// The duration display at half size (100 x 40), drawn by the kit's small layout.
class SmallDurationView final : public DurationView {
public:
    static std::shared_ptr<SmallDurationView> create(ui::Rect frame = {});

    ui::Size intrinsicContentSize() const override { return { 100, 40 }; }

protected:
    void finishCreation() override;
    double digitSize() const override { return 32; }
    double labelBottomInset() const override { return 5; }
    double labelSize() const override { return 10; }

private:
    friend class Wall;
    explicit SmallDurationView(ui::Rect frame);
};

}
