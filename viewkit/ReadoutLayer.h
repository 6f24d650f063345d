#pragma once

#include "platform/gfx/Image.h"
#include "platform/ui/Animation.h"
#include "platform/ui/View.h"

#include <memory>
#include <string>
#include <string_view>

namespace ostrel {

// A count-down read-out (02′05″) drawn by the count-down kit. Setting `timeLeft` does not
// jump: the shown value moves linearly from what is on screen to the new one over a quarter
// of a second, and the text is drawn again at every step. The shown seconds are kept within
// the 16-bit range the read-out was made for.
class ReadoutLayer : public ui::View {
public:
    static constexpr double kAnimationDuration = 0.25;

    static std::shared_ptr<ReadoutLayer> create(ui::Rect frame = {});

    // The value set last, and the value on screen (the one in flight while animating).
    double timeLeft() const { return m_timeLeft; }
    void setTimeLeft(double timeLeft);
    double presentationTimeLeft() const { return m_presentationTimeLeft; }

    // Makes the contents from the value on screen.
    void display();
    const std::shared_ptr<gfx::Image>& contents() const { return m_contents; }
    const std::string& contentsText() const { return m_contentsText; }

    // Which keys redraw the read-out when they change, and what animates a change.
    static bool needsDisplayForKey(std::string_view key);
    std::shared_ptr<ui::Animation> actionForKey(std::string_view key);

    // "%02d′%02d″" of the whole seconds, clamped to −32768 … 32767.
    static std::string readOutText(double timeLeft);

    ui::Size intrinsicContentSize() const override { return { 300, 40 }; }
    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;

private:
    explicit ReadoutLayer(ui::Rect frame);
    void setPresentationTimeLeft(double value);

    double m_timeLeft { 0 };
    double m_presentationTimeLeft { 0 };
    std::shared_ptr<ui::Animation> m_animation;
    std::shared_ptr<gfx::Image> m_contents;
    std::string m_contentsText;
};

}
