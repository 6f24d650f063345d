#pragma once

#include <memory>

namespace ui {
class Animation;
class TextField;
class Window;
}

namespace ostrel {

class Wall;

// The floating note window of our own banners: a title on the message-window background,
// above every other window, shown whether or not the application is active and never
// taking the keyboard. It fades in and, when told, out; made once and shown again and again.
class TitleOnlyNoteWindow : public std::enable_shared_from_this<TitleOnlyNoteWindow> {
public:
    static constexpr double kContentSide = 200;
    static constexpr double kOpenedAlpha = 0.9;
    static constexpr double kAnimationDuration = 0.5;

    static std::shared_ptr<TitleOnlyNoteWindow> create();
    virtual ~TitleOnlyNoteWindow();
    TitleOnlyNoteWindow(const TitleOnlyNoteWindow&) = delete;
    TitleOnlyNoteWindow& operator=(const TitleOnlyNoteWindow&) = delete;

    const std::shared_ptr<ui::Window>& window() const { return m_window; }
    const std::shared_ptr<Wall>& contentWall() const { return m_contentWall; }
    const std::shared_ptr<ui::TextField>& titleLabel() const { return m_titleLabel; }

    // Sized to its text (at least 200 points wide) and centred on the main display.
    void center();
    void orderFrontRegardless();
    // Gone at once, whatever animation was running.
    void close();
    bool isVisible() const;

    // From transparent to 0.9 in half a second of simulated time.
    virtual void performOpeningAnimation();
    // From opaque to nothing in half a second; the window closes at the end.
    virtual void performClosingAnimation();
    // Stops a running fade where it is; a stopped closing fade does not close the window,
    // which may show the next banner by then.
    void cancelAnimation();

protected:
    TitleOnlyNoteWindow() = default;
    // Makes the window and its content; runs once the object is owned.
    void finishCreation();
    virtual void buildContentView();
    virtual void animationDidStop(bool finished);
    // The wall every note window draws its background on, as content view.
    void installBackgroundWall();

    std::shared_ptr<ui::Window> m_window;
    std::shared_ptr<Wall> m_contentWall;
    std::shared_ptr<ui::TextField> m_titleLabel;

private:
    void animate(double from, double to, bool closing);

    std::shared_ptr<ui::Animation> m_animation;
};

}
