#pragma once

#include "platform/ui/Control.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {

// A row of segments, one selected; choosing another reports through onAction.
class SegmentedControl : public Control {
public:
    static std::shared_ptr<SegmentedControl> create(std::vector<std::string> labels = {});

    int segmentCount() const { return static_cast<int>(m_labels.size()); }
    void setSegmentCount(int count);
    std::string labelForSegment(int segment) const;
    void setLabel(std::string label, int segment);
    // -1 with none selected.
    int selectedSegment() const { return m_selected; }
    void setSelectedSegment(int segment);

    Size intrinsicContentSize() const override;
    Rect rectOfSegment(int segment) const;
    void mouseDown(const Event& event) override;
    void keyDown(const Event& event) override;

protected:
    explicit SegmentedControl(std::vector<std::string> labels);
    void drawOwnLook(gfx::GraphicsContext& context) override;

private:
    void choose(int segment);

    std::vector<std::string> m_labels;
    int m_selected { -1 };
};

}
