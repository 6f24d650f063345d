#pragma once

#include "viewkit/BricksFactory.h"
#include "viewkit/DrawingStack.h"

#include "core/EndOfLifeBag.h"

#include "platform/gfx/Color.h"
#include "platform/ui/View.h"

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace ostrel {

class NiblessViewController;

// Whether split()'s factor is a width in points or a fraction of the wall's width.
enum class SplittingSize { absolute, relative };
// Which side the sized child of split() sits on.
enum class SplitDirection { left, right };

// Declared with the wall; drawing does not consult it.
struct BorderDrawingFunc {
    gfx::Rect rect;
    bool top { false };
    bool bottom { false };
    bool left { false };
    bool right { false };
};

// The container view of the code-built interface: every screen, fragment, pad and panel is a
// wall. Bricks go in through the wall's own factory, with constraint closures. A wall draws
// its background (a drawing stack, else a drawing closure, else a colour) and up to four
// one-point borders in the border colour; with none of these it draws nothing of its own.
// Creating a wall makes its factory the current one. Its end-of-life bag runs when the wall
// goes: whoever links something to the wall puts the undoing there.
//
// Walls are made only in code, through create() (or make<T>() for subclasses).
class Wall : public ui::View {
public:
    static std::shared_ptr<Wall> create(ui::Rect frame = {});
    ~Wall() override;

    EndOfLifeBag& endOfLifeBag() { return m_endOfLifeBag; }
    BricksFactory& factory() const { return *m_factory; }

    // Answered as the view's own vibrancy and flippedness.
    bool inheritsVibrancy() const { return m_inheritsVibrancy; }
    void setInheritsVibrancy(bool inherits) { m_inheritsVibrancy = inherits; }
    bool allowsVibrancy() const { return m_inheritsVibrancy; }
    bool inheritsFlipped() const { return m_inheritsFlipped; }
    void setInheritsFlipped(bool inherits);
    bool isFlipped() const override { return m_inheritsFlipped; }

    const std::optional<gfx::Color>& backgroundColor() const { return m_backgroundColor; }
    // Redraws the whole wall.
    void setBackgroundColor(std::optional<gfx::Color> color);
    gfx::Color borderColor() const { return m_borderColor; }
    void setBorderColor(gfx::Color color);
    // Replaces the background colour and closure while present.
    const std::optional<DrawingStack>& drawingStack() const { return m_drawingStack; }
    void setDrawingStack(std::optional<DrawingStack> stack);
    bool drawLeftBorder() const { return m_drawLeftBorder; }
    void setDrawLeftBorder(bool draw);
    bool drawRightBorder() const { return m_drawRightBorder; }
    void setDrawRightBorder(bool draw);
    bool drawTopBorder() const { return m_drawTopBorder; }
    void setDrawTopBorder(bool draw);
    bool drawBottomBorder() const { return m_drawBottomBorder; }
    void setDrawBottomBorder(bool draw);

    // Draws the background over the bounds when there is no drawing stack.
    std::function<void(const ui::Rect&)> backgroundDrawingFunc;
    std::optional<BorderDrawingFunc> borderDrawingFunc;

    // A new wall added through this wall's factory, its top, bottom and horizontal centre
    // pinned to this wall's.
    std::shared_ptr<Wall> createCenteredWallInside();
    // Shows the controller's view filling this wall (building the controller first if its
    // view is not made yet).
    void fillWallWith(NiblessViewController& viewController);
    // Two walls side by side filling this one, the sized one on the side given: `factor`
    // points wide (absolute) or that fraction of this wall's width (relative).
    std::pair<std::shared_ptr<Wall>, std::shared_ptr<Wall>> split(SplittingSize size, double factor, SplitDirection direction);

    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;

protected:
    explicit Wall(ui::Rect frame);

    // Constructs a wall of class T and links its factory to it; every wall is made this way.
    template<typename T, typename... Args>
    static std::shared_ptr<T> make(Args&&... args)
    {
        std::shared_ptr<T> wall(new T(std::forward<Args>(args)...));
        wall->finishCreation();
        return wall;
    }
    // Runs once the wall is owned: the factory's container and target become the wall.
    // Subclasses that build content extend it (calling this first).
    virtual void finishCreation();
    // Puts an effect view over the whole wall and sends every later brick into it.
    void installEffectView(const std::shared_ptr<ui::View>& effectView);

private:
    void drawBorders(gfx::GraphicsContext& context);

    // First declared, so it goes last of the wall's own fields: its closures run when the rest
    // of the wall is gone but its subviews (the base view's) still exist.
    EndOfLifeBag m_endOfLifeBag;
    std::shared_ptr<BricksFactory> m_factory;
    bool m_inheritsVibrancy { false };
    bool m_inheritsFlipped { false };
    std::optional<gfx::Color> m_backgroundColor;
    gfx::Color m_borderColor { gfx::colors::clear };
    std::optional<DrawingStack> m_drawingStack;
    bool m_drawLeftBorder { false };
    bool m_drawRightBorder { false };
    bool m_drawTopBorder { false };
    bool m_drawBottomBorder { false };
};

}
