#pragma once

#include "platform/ui/View.h"

#include <any>
#include <string>

namespace ui {

// One page of a tab view: its own container view, which fills the tab view when selected.
class TabViewItem {
public:
    static std::shared_ptr<TabViewItem> create(std::any identifier);
    const std::any& identifier() const { return m_identifier; }
    const std::string& label() const { return m_label; }
    void setLabel(std::string label) { m_label = std::move(label); }
    View* view() const { return m_view.get(); }
    const std::shared_ptr<View>& sharedView() const { return m_view; }

private:
    explicit TabViewItem(std::any identifier);
    std::any m_identifier;
    std::string m_label;
    std::shared_ptr<View> m_view;
};

// Pages shown one at a time, without tabs or border: the caller switches pages in code.
class TabView : public View {
public:
    static std::shared_ptr<TabView> create();

    const std::vector<std::shared_ptr<TabViewItem>>& items() const { return m_items; }
    std::size_t numberOfItems() const { return m_items.size(); }
    void addItem(std::shared_ptr<TabViewItem> item);
    void removeItem(const std::shared_ptr<TabViewItem>& item);
    // Out-of-range indexes are ignored.
    void selectItem(std::size_t index);
    void selectItem(const std::shared_ptr<TabViewItem>& item);
    TabViewItem* selectedItem() const { return m_selected; }
    std::optional<std::size_t> indexOfSelectedItem() const;

protected:
    TabView();

private:
    std::vector<std::shared_ptr<TabViewItem>> m_items;
    TabViewItem* m_selected { nullptr };
};

// The dark translucent backdrop behind pop-ups and panels.
class EffectView : public View {
public:
    enum class Material { Default = 0, Light = 1, Dark = 2 };
    enum class State { FollowsWindowActiveState = 0, Active = 1, Inactive = 2 };
    enum class BlendingMode { BehindWindow = 0, WithinWindow = 1 };

    static std::shared_ptr<EffectView> create();

    Material material() const { return m_material; }
    void setMaterial(Material material);
    State state() const { return m_state; }
    void setState(State state) { m_state = state; }
    BlendingMode blendingMode() const { return m_blending; }
    void setBlendingMode(BlendingMode mode) { m_blending = mode; }
    // The appearance's name, "vibrantDark" for the dark one.
    const std::string& appearance() const { return m_appearance; }
    void setAppearance(std::string appearance);

    gfx::Color tint() const;
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;

protected:
    EffectView();

private:
    Material m_material { Material::Default };
    State m_state { State::FollowsWindowActiveState };
    BlendingMode m_blending { BlendingMode::BehindWindow };
    std::string m_appearance;
};

}
