#pragma once

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/Constraint.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Responder.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// Whether a ring shows around a view while it has the keyboard (FocusRing).
enum class FocusRingType { Default, None };

// A rectangle of a window that draws itself and answers events, in a tree of views. The
// frame is in the superview's coordinates, the bounds in the view's own; a flipped view
// counts y downwards from its top, an unflipped one upwards from its bottom.
//
// Views are laid out by constraints. A view that translates its autoresizing mask keeps the
// frame it is given (its frame becomes required constraints); any other view takes the
// frame its constraints solve to, at the window's next layout.
class View : public Responder, public std::enable_shared_from_this<View> {
public:
    static constexpr double kNoIntrinsicMetric = -1;

    static std::shared_ptr<View> create(Rect frame = {});
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Tree.
    View* superview() const { return m_superview; }
    const std::vector<std::shared_ptr<View>>& subviews() const { return m_subviews; }
    Window* window() const { return m_window; }
    void addSubview(std::shared_ptr<View> view);
    void insertSubview(std::shared_ptr<View> view, std::size_t index);
    void removeFromSuperview();
    bool isDescendantOf(const View* view) const;
    // This view and every view below it, depth first.
    std::vector<View*> subtree();
    // The same, each view held for as long as the list is: for work that calls out to the
    // views (layout, drawing, moving windows), any of which may let go of another meanwhile.
    std::vector<std::shared_ptr<View>> heldSubtree();
    View* ancestorSharedWith(View* other);
    View* viewWithIdentifier(const std::string& identifier);

    // Geometry.
    Rect frame() const { return m_frame; }
    void setFrame(Rect frame);
    void setFrameOrigin(Point origin) { setFrame({ origin, m_frame.size }); }
    // For a view placed by its frame that no constraint names and whose superview lays
    // nothing out from it (a marker moved along a ruler every minute): moved and drawn
    // there, without a new layout of the window. The next layout keeps the frame.
    void setFrameWithoutLayout(Rect frame);
    void setFrameSize(Size size) { setFrame({ m_frame.origin, size }); }
    Rect bounds() const { return { m_boundsOrigin, m_frame.size }; }
    void setBoundsOrigin(Point origin);
    virtual bool isFlipped() const { return false; }

    // Conversions between this view and another of the same window (nullptr: the window's
    // base coordinates), and to the screen.
    Point convertPointFrom(Point point, const View* view) const;
    Point convertPointTo(Point point, const View* view) const;
    Rect convertRectFrom(Rect rect, const View* view) const;
    Rect convertRectTo(Rect rect, const View* view) const;
    Point convertPointToScreen(Point point) const;
    Point convertPointFromScreen(Point point) const;

    // Appearance.
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);
    // Hidden itself or below a hidden view.
    bool isHiddenOrHasHiddenAncestor() const;
    double alphaValue() const { return m_alpha; }
    void setAlphaValue(double alpha);
    const std::string& identifier() const { return m_identifier; }
    void setIdentifier(std::string identifier) { m_identifier = std::move(identifier); }
    const std::string& toolTip() const { return m_toolTip; }
    void setToolTip(std::string toolTip) { m_toolTip = std::move(toolTip); }

    // Drawing.
    bool needsDisplay() const { return m_needsDisplay; }
    void setNeedsDisplay(bool needsDisplay = true);
    void setNeedsDisplayInRect(Rect rect);
    // The part of the bounds marked since the last drawing.
    Rect dirtyRect() const { return m_dirty; }
    // Draws into the context, already in this view's coordinates and clipped to its bounds;
    // the context is also the current one, for drawing kits that look it up.
    virtual void draw(gfx::GraphicsContext& context, const Rect& dirtyRect);
    // Draws this view and its subviews, the context being in the superview's coordinates.
    // Drawing only a part of the window again, views wholly outside the context's clip are
    // not drawn at all.
    enum class Drawing { everything, onlyWhatTheClipMeets };
    void renderTree(gfx::GraphicsContext& context, Drawing drawing = Drawing::everything);
    // The part of the window, in its base coordinates, that must be drawn again for the views
    // of this subtree that asked to be (where they are now and where they were last drawn),
    // when all of those mark exactly what changed; none when some view asked to be drawn
    // that does not, or when none asked: then the whole window is drawn. Given as parts, so
    // that a long thin change (a ring) is not drawn again as its bounding square.
    std::optional<std::vector<Rect>> windowAreaToRedraw() const;
    // Whether the view marks every change of its drawing itself (setNeedsDisplay), so that
    // the window may draw only that part again. Most views draw from state they do not
    // watch (the key window, a clock), and say no.
    virtual bool marksItsOwnChanges() const { return false; }
    // For a view that marks its own changes: the parts of its bounds that changed, within the
    // dirty rectangle; several small ones where their union would be mostly unchanged.
    virtual std::vector<Rect> changedParts() const { return { m_dirty }; }

    // Events. The point is in the superview's coordinates; the deepest visible view under
    // it answers, or nullptr.
    virtual View* hitTest(Point point);
    bool mouseInRect(Point pointInWindow) const;
    // Offers a key press to the shown views below this one before any first responder
    // (Command shortcuts) or after none took it (Return, Escape): true when one acted.
    virtual bool performKeyEquivalent(const Event& event);
    // Whether the view is background that a press and drag move its window by, in a window
    // movable by its background.
    virtual bool mouseDownCanMoveWindow() const { return m_movesWindow; }
    void setMouseDownCanMoveWindow(bool moves) { m_movesWindow = moves; }

    // Drops from other programs: a view takes those carrying one of its registered types.
    void registerForDraggedTypes(std::vector<std::string> types) { m_draggedTypes = std::move(types); }
    const std::vector<std::string>& registeredDraggedTypes() const { return m_draggedTypes; }
    // The point is in this view's coordinates; true when the view took the drop.
    virtual bool performDragOperation(const Pasteboard&, Point) { return false; }

    // Key-view loop. Held weakly: the next view may go while this one is out of its window.
    View* nextKeyView() const { return m_nextKeyView.lock().get(); }
    void setNextKeyView(View* view);
    // Views the loop may stop at: those accepting first responder and shown.
    virtual bool canBecomeKeyView() const { return acceptsFirstResponder() && !isHiddenOrHasHiddenAncestor(); }
    // Whether a click gives this view the keyboard (it still takes it by Tab).
    virtual bool focusesOnClick() const { return true; }
    FocusRingType focusRingType() const { return m_focusRingType; }
    void setFocusRingType(FocusRingType type) { m_focusRingType = type; }

    // Layout.
    bool translatesAutoresizingMaskIntoConstraints() const { return m_translatesMask; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates);
    virtual Size intrinsicContentSize() const { return m_intrinsicSize; }
    // For views that only carry a fixed size; subclasses override intrinsicContentSize().
    void setIntrinsicContentSize(Size size);
    void invalidateIntrinsicContentSize();
    // Offset of the first baseline from the top; none makes the bottom the baseline.
    virtual std::optional<double> firstBaselineOffsetFromTop() const { return std::nullopt; }
    double contentHuggingPriority(Orientation orientation) const { return m_hugging[index(orientation)]; }
    void setContentHuggingPriority(double priority, Orientation orientation);
    double contentCompressionResistancePriority(Orientation orientation) const { return m_compression[index(orientation)]; }
    void setContentCompressionResistancePriority(double priority, Orientation orientation);

    const std::vector<std::shared_ptr<Constraint>>& constraints() const { return m_constraints; }
    void addConstraint(std::shared_ptr<Constraint> constraint);
    void addConstraints(const std::vector<std::shared_ptr<Constraint>>& constraints);
    void removeConstraint(const std::shared_ptr<Constraint>& constraint);
    void removeConstraints(const std::vector<std::shared_ptr<Constraint>>& constraints);

    bool needsLayout() const { return m_needsLayout; }
    void setNeedsLayout(bool needsLayout = true);
    // Solves the window's constraints now if anything changed; a view outside a window is
    // laid out on its own, as the root of its tree.
    void layoutSubtreeIfNeeded();
    // The smallest size the constraints inside this view allow. Kept until something inside
    // the view changes what its constraints say (a constraint, an intrinsic size, a view
    // added, removed, hidden or moved by its frame): a stack asks it of every view it holds
    // at every layout, and the main window at every change of its content.
    Size fittingSize();

    // Hooks for subclasses: constraints to generate before solving, work after frames are set.
    virtual void updateConstraints() { }
    virtual void layout() { }
    virtual void viewDidMoveToWindow() { }
    virtual void viewDidMoveToSuperview() { }
    virtual void frameDidChange() { }

    // Constraints the layout engine adds for this view on its own account: the translated
    // frame and the intrinsic size. Kept here so the engine can tell unchanged ones.
    std::vector<std::shared_ptr<Constraint>> automaticConstraints();

protected:
    explicit View(Rect frame);

private:
    // False for a frame that is no number or the one held.
    bool takeFrame(Rect frame);
    // What every new frame asks of the subviews pinned to it and of the drawing.
    void frameTaken();
    friend class Window;
    friend class LayoutEngine;

    static int index(Orientation orientation) { return orientation == Orientation::Horizontal ? 0 : 1; }
    void setWindow(Window* window);
    // Frames from the solver: no new automatic constraints, no needs-layout.
    void setFrameFromLayout(Rect frame);
    // Removes constraints of this view's ancestors that refer to the subtree going away.
    void detachConstraintsFromAncestors();
    // Something inside changed: this view's fitting size, and every ancestor's, is worked out
    // again when next asked.
    void forgetFittingSizes();
    void subtreeInto(std::vector<View*>& out);
    // False as soon as a view that asked to be drawn does not mark its own changes.
    bool collectAreaToRedraw(std::vector<Rect>& parts) const;
    void layoutChanged();
    // The transform from this view's bounds to its superview's (or the window's) coordinates.
    Point toParent(Point point) const;
    Point fromParent(Point point) const;
    bool parentIsFlipped() const;

    Rect m_frame;
    Point m_boundsOrigin;
    View* m_superview { nullptr };
    Window* m_window { nullptr };
    std::vector<std::shared_ptr<View>> m_subviews;
    bool m_hidden { false };
    double m_alpha { 1 };
    std::string m_identifier;
    std::string m_toolTip;
    bool m_movesWindow { false };
    std::vector<std::string> m_draggedTypes;

    bool m_needsDisplay { true };
    Rect m_dirty;
    // Where in the window the view showed when it was last drawn: moved or shrunk, that part
    // is drawn again.
    std::optional<Rect> m_lastShown;
    std::weak_ptr<View> m_nextKeyView;
    FocusRingType m_focusRingType { FocusRingType::Default };

    bool m_translatesMask { true };
    bool m_needsLayout { true };
    Size m_intrinsicSize { kNoIntrinsicMetric, kNoIntrinsicMetric };
    double m_hugging[2] { LayoutPriority::DefaultLow, LayoutPriority::DefaultLow };
    double m_compression[2] { LayoutPriority::DefaultHigh, LayoutPriority::DefaultHigh };
    std::vector<std::shared_ptr<Constraint>> m_constraints;
    std::vector<std::shared_ptr<Constraint>> m_automatic;
    // What the automatic constraints were made from, to know when to make them again.
    struct AutomaticInputs {
        bool translates { false };
        Rect frame;
        Size intrinsic;
        double hugging[2] { 0, 0 };
        double compression[2] { 0, 0 };
        bool flippedParent { false };
        View* superview { nullptr };
        bool operator==(const AutomaticInputs& other) const;
    };
    std::optional<AutomaticInputs> m_automaticInputs;
    // A layout engine for a view laid out without a window.
    std::shared_ptr<LayoutEngine> m_ownEngine;
    std::optional<Size> m_fittingSize;
};

}
