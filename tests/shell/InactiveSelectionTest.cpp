#include "tests/shell/PreferencesFixture.h"

#include "mainwindow/ObjectiveTextView.h"
#include "shell/CustomLayoutManager.h"
#include "shell/HelpHooks.h"

#include "platform/text/RichTextLayout.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <cmath>

namespace ostrel::test {
namespace {

// An objective field beside a text field, in a window of its own, with a selection of blanks
// so that a probe in its middle sees the highlight alone.
class InactiveSelectionTest : public PreferencesTest {
protected:
    InactiveSelectionTest()
    {
        ui::Application::shared()->activate();
        installHelpHooks(nullptr);
        window = ui::Window::create(ui::Rect(100, 100, 300, 120));
        auto content = ui::View::create(ui::Rect(0, 0, 300, 120));
        window->setContentView(content);
        objective = ObjectiveTextView::create();
        objective->setFrame(ui::Rect(10, 40, 280, 70));
        objective->setAttributedString(text::AttributedString::fromUtf8("            "));
        objective->setSelectedRange({ 0, 12 });
        content->addSubview(objective);
        other = ui::TextField::create("other");
        other->setFrame(ui::Rect(10, 8, 120, 22));
        content->addSubview(other);
        window->makeKeyAndOrderFront();
        window->layoutIfNeeded();
    }
    ~InactiveSelectionTest() override
    {
        base::RunLoop::main().discardAll();
        window.reset();
    }

    // The colour in the middle of the selection.
    gfx::Color highlight()
    {
        window->display();
        auto rects = objective->layoutManager().selectionRects(objective->selectedRange());
        EXPECT_FALSE(rects.empty());
        ui::Rect first = rects.front().offsetBy(objective->textContainerInset().width, objective->textContainerInset().height);
        ui::Rect inWindow = objective->convertRectTo(first, nullptr);
        return window->pixelAt(std::floor(inWindow.midX()) + 0.5, std::floor(window->frame().height() - inWindow.midY()) + 0.5);
    }

    std::shared_ptr<ui::Window> window;
    std::shared_ptr<ObjectiveTextView> objective;
    std::shared_ptr<ui::TextField> other;
};

void expectColor(const gfx::Color& seen, const gfx::Color& expected, const char* what)
{
    EXPECT_NEAR(seen.red, expected.red, 0.02) << what;
    EXPECT_NEAR(seen.green, expected.green, 0.02) << what;
    EXPECT_NEAR(seen.blue, expected.blue, 0.02) << what;
}

}

TEST_F(InactiveSelectionTest, InactiveSelectionIsGrey)
{
    ASSERT_TRUE(objective->drawInactiveSelection) << "start-up's hook prepares every objective field";
    window->makeFirstResponder(objective.get());
    expectColor(highlight(), ui::ControlLook::kAccent.blended(0.45, gfx::colors::black), "focused: the platform's own");

    window->makeFirstResponder(other.get());
    expectColor(highlight(), gfx::colors::lightGray, "another control has the keyboard");

    window->makeFirstResponder(nullptr);
    expectColor(highlight(), gfx::colors::lightGray, "nobody in the window has it");

    window->makeFirstResponder(objective.get());
    auto elsewhere = ui::Window::create(ui::Rect(500, 100, 100, 100));
    elsewhere->makeKeyAndOrderFront();
    expectColor(highlight(), ui::ControlLook::kFaceHighlighted, "still the window's first responder: the platform's unfocused look");

    window->makeKeyAndOrderFront();
    expectColor(highlight(), ui::ControlLook::kAccent.blended(0.45, gfx::colors::black), "focused again");
}

TEST_F(InactiveSelectionTest, TheManagerHoldsItsTextViewWeakly)
{
    std::weak_ptr<ObjectiveTextView> gone = objective;
    auto manager = CustomLayoutManager::create(*objective);
    EXPECT_EQ(manager->owningTextView(), objective);
    objective->removeFromSuperview();
    objective.reset();
    EXPECT_TRUE(gone.expired()) << "the hook the view holds does not keep it alive";
    EXPECT_FALSE(manager->owningTextView());
}

}
