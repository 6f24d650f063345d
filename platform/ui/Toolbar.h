#pragma once

#include "platform/gfx/Image.h"
#include "platform/ui/View.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// One item of a toolbar: the identifier the program knows it by, an image with a label under it.
class ToolbarItem {
public:
    static std::shared_ptr<ToolbarItem> create(std::string identifier, std::string label = {},
        std::shared_ptr<gfx::Image> image = nullptr);

    const std::string& itemIdentifier() const { return m_identifier; }
    const std::string& label() const { return m_label; }
    void setLabel(std::string label) { m_label = std::move(label); }
    // A template image is drawn in the label's colour.
    const std::shared_ptr<gfx::Image>& image() const { return m_image; }
    void setImage(std::shared_ptr<gfx::Image> image) { m_image = std::move(image); }

    // The item was clicked.
    std::function<void(ToolbarItem&)> onAction;

private:
    ToolbarItem(std::string identifier, std::string label, std::shared_ptr<gfx::Image> image);

    std::string m_identifier;
    std::string m_label;
    std::shared_ptr<gfx::Image> m_image;
};

// A row of items along the top of a window, as a preferences window switches its panes with.
// The item whose identifier is the selected one shows pressed. A click runs the item's action
// and selects nothing by itself: the owner decides what is selected.
class Toolbar : public View {
public:
    static constexpr double kHeight = 58;

    static std::shared_ptr<Toolbar> create();

    const std::vector<std::shared_ptr<ToolbarItem>>& items() const { return m_items; }
    void addItem(std::shared_ptr<ToolbarItem> item);
    // An index past the end adds the item at the end.
    void insertItem(std::shared_ptr<ToolbarItem> item, std::size_t index);
    void removeItemAt(std::size_t index);
    ToolbarItem* itemWithIdentifier(const std::string& identifier) const;

    // An identifier no item has leaves every item unpressed.
    const std::string& selectedItemIdentifier() const { return m_selected; }
    void setSelectedItemIdentifier(std::string identifier);

    // In the toolbar's own (flipped) coordinates; empty for an index past the end.
    Rect rectOfItem(std::size_t index) const;
    // As a click on the item does; false when no item has the identifier.
    bool performClick(const std::string& identifier);

    bool isFlipped() const override { return true; }
    Size intrinsicContentSize() const override { return { kNoIntrinsicMetric, kHeight }; }
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;
    void mouseDown(const Event& event) override;

protected:
    Toolbar();

private:
    double widthOfItem(const ToolbarItem& item) const;

    std::vector<std::shared_ptr<ToolbarItem>> m_items;
    std::string m_selected;
};

}
