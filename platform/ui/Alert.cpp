#include "platform/ui/Alert.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/KeyCodes.h"
#include "platform/base/RunLoop.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/Application.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/PanelView.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <algorithm>

namespace ui {

namespace {

constexpr double kWidth = 420;
constexpr double kMargin = 20;
constexpr double kIconSide = 48;
constexpr double kTextLeft = kMargin + kIconSide + 16;

Alert::Responder& responder()
{
    static Alert::Responder installed;
    return installed;
}

// The alerts running, the innermost last.
std::vector<Alert*>& runningAlerts()
{
    static std::vector<Alert*> running;
    return running;
}

// The alert already running that asks what the request asks, if any.
Alert* runningAlike(const base::AlertRequest& request)
{
    auto titles = request.buttonTitles();
    for (Alert* alert : runningAlerts()) {
        if (alert->messageText() != request.message || alert->informativeText() != request.informativeText
            || alert->buttons().size() != titles.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < titles.size(); ++i)
            same = same && alert->buttons()[i]->title() == titles[i];
        if (same)
            return alert;
    }
    return nullptr;
}

// The alert's badge: a rounded square with an exclamation mark, red for critical alerts.
class AlertIcon : public View {
public:
    static std::shared_ptr<AlertIcon> create(Alert::Style style) { return std::shared_ptr<AlertIcon>(new AlertIcon(style)); }
    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect&) override
    {
        gfx::Color color = m_style == Alert::Style::Critical ? gfx::Color::rgb(0.85, 0.25, 0.22)
            : m_style == Alert::Style::Warning               ? gfx::Color::rgb(0.95, 0.7, 0.2)
                                                             : ControlLook::kAccent;
        context.setFillColor(color);
        gfx::Path::roundedRect(bounds().insetBy(2, 2), 10, 10).fill();
        // Dark on the warning's yellow: white on it would read at less than 2:1.
        ControlLook::drawLabel(m_style == Alert::Style::Informational ? "i" : "!", bounds(), gfx::Font::boldSystem(30),
            m_style == Alert::Style::Warning ? gfx::colors::black : gfx::colors::white);
    }

private:
    explicit AlertIcon(Alert::Style style)
        : View({})
        , m_style(style)
    {
    }
    Alert::Style m_style;
};

// The button Return presses, drawn as such: on the accent colour, as this desktop draws a
// dialog's default button.
class DefaultButton : public Button {
public:
    static std::shared_ptr<DefaultButton> create(std::string title)
    {
        return std::shared_ptr<DefaultButton>(new DefaultButton(std::move(title)));
    }

protected:
    void drawOwnLook(gfx::GraphicsContext& context) override
    {
        gfx::Color face = isHighlighted() ? ControlLook::kAccent.blended(0.25, gfx::colors::black) : ControlLook::kAccent;
        ControlLook::drawBezel(context, bounds(), 5, face);
        drawContent(context, bounds().insetBy(8, 0), isEnabled() ? gfx::colors::white : textColor());
    }

private:
    explicit DefaultButton(std::string title)
        : Button(std::move(title), ButtonType::MomentaryPushIn)
    {
    }
};

}

std::shared_ptr<Alert> Alert::create() { return std::shared_ptr<Alert>(new Alert); }

Alert::Alert()
    : m_suppression(Button::create(base::AlertRequest::kStandardSuppressionTitle, ButtonType::Switch))
{
    m_suppression->setControlSize(ControlSize::Small);
}

Alert::~Alert()
{
    if (m_window)
        m_window->close();
}

std::shared_ptr<Alert> Alert::fromRequest(const base::AlertRequest& request)
{
    auto alert = create();
    alert->setAlertStyle(request.style);
    alert->setMessageText(request.message);
    alert->setInformativeText(request.informativeText);
    for (const auto& title : request.buttonTitles())
        alert->addButton(title);
    alert->setEscapeButton(request.escapeButtonIndex());
    if (request.suppressionTitle) {
        alert->setShowsSuppressionButton(true);
        alert->suppressionButton()->setTitle(*request.suppressionTitle);
    }
    alert->onHelp = request.help;
    return alert;
}

Button* Alert::addButton(std::string title)
{
    int index = static_cast<int>(m_buttons.size());
    std::shared_ptr<Button> button = index == 0 ? DefaultButton::create(std::move(title)) : Button::create(std::move(title));
    if (index == 0)
        button->setKeyEquivalent("\r");
    button->onAction = [this, index] { pressButton(index); };
    m_buttons.push_back(button);
    return button.get();
}

Alert* Alert::frontmost() { return runningAlerts().empty() ? nullptr : runningAlerts().back(); }

void Alert::bringForward()
{
    if (!m_running || !m_window)
        return;
    if (auto* app = Application::shared(); app && (app->isHidden() || !app->isActive()))
        app->activate();
    m_window->makeKeyAndOrderFront();
    // The button the user had come to keeps the keyboard; else the default one has it.
    View* focused = dynamic_cast<View*>(m_window->firstResponder());
    bool onButton = std::any_of(m_buttons.begin(), m_buttons.end(), [focused](const auto& button) { return button.get() == focused; })
        || focused == m_suppression.get();
    m_window->makeFirstResponderWithRing(onButton ? focused : m_buttons.front().get());
}

std::optional<Event> Alert::filter(const Event& event)
{
    // An alert run inside this one decides for itself.
    if (frontmost() != this)
        return event;
    auto* app = Application::shared();
    Window* target = event.window();
    if (!target && event.isKey() && app)
        target = app->keyWindow();
    if (target && target != m_window.get()) {
        // Other windows draw on but take no input; a click on one shows what waits for an answer.
        if (event.type() == Event::Type::LeftMouseDown || event.type() == Event::Type::RightMouseDown)
            bringForward();
        return event.type() == Event::Type::MouseMoved ? std::optional<Event>(event) : std::nullopt;
    }
    if (event.type() != Event::Type::KeyDown)
        return event;
    auto key = static_cast<base::KeyCode>(event.keyCode());
    std::uint32_t held = event.modifierFlags() & (ModifierFlag::Shift | ModifierFlag::Control | ModifierFlag::Option | ModifierFlag::Command);
    bool isW = key == base::KeyCode::W || event.characters() == "w";
    // Escape and Ctrl+W, which closes the window in front, answer as the cancel button: the
    // menus' Ctrl+W would hide the program behind the question.
    if ((key == base::KeyCode::Escape && held == 0) || (isW && held == ModifierFlag::Command)) {
        pressButton(m_closeAnswer);
        return std::nullopt;
    }
    // The menus' other shortcuts would act behind the alert, on what it asks about; quitting
    // goes on, as it asks a question of its own or brings this one forward.
    bool isQ = key == base::KeyCode::Q || event.characters() == "q";
    if ((held & (ModifierFlag::Command | ModifierFlag::Control)) && !(isQ && held == ModifierFlag::Command))
        return std::nullopt;
    return event;
}

void Alert::pressButton(int index)
{
    if (index < 0 || index >= static_cast<int>(m_buttons.size()))
        return;
    m_answer = index;
}

void Alert::build()
{
    if (m_buttons.empty())
        addButton("OK");
    int escape = m_escapeButton;
    if (escape < 0)
        for (std::size_t i = 0; i < m_buttons.size(); ++i)
            if (m_buttons[i]->title() == "Cancel")
                escape = static_cast<int>(i);
    if (escape >= static_cast<int>(m_buttons.size()))
        escape = -1;
    if (escape > 0)
        m_buttons[static_cast<std::size_t>(escape)]->setKeyEquivalent("\x1b");
    m_closeAnswer = std::max(escape, 0);

    auto content = PanelView::create();
    double textWidth = kWidth - kTextLeft - kMargin;
    double y = kMargin;
    auto message = TextField::createLabel(m_message);
    message->setFont(gfx::Font::boldSystem(gfx::Font::systemFontSize));
    message->setWraps(true);
    message->setPreferredMaxLayoutWidth(textWidth);
    Size messageSize = message->intrinsicContentSize();
    message->setFrame(Rect(kTextLeft, y, textWidth, messageSize.height));
    content->addSubview(message);
    y += messageSize.height + 8;
    if (!m_informative.empty()) {
        auto informative = TextField::createLabel(m_informative);
        informative->setFont(gfx::Font::system(gfx::Font::smallSystemFontSize));
        informative->setWraps(true);
        informative->setPreferredMaxLayoutWidth(textWidth);
        Size size = informative->intrinsicContentSize();
        informative->setFrame(Rect(kTextLeft, y, textWidth, size.height));
        content->addSubview(informative);
        y += size.height + 8;
    }
    if (m_showsSuppression) {
        Size size = m_suppression->intrinsicContentSize();
        m_suppression->setFrame(Rect(kTextLeft, y + 4, std::min(textWidth, size.width), size.height));
        content->addSubview(m_suppression);
        y += size.height + 12;
    }
    y = std::max(y, kMargin + kIconSide) + 12;
    double x = kWidth - kMargin;
    for (const auto& button : m_buttons) {
        Size size = button->intrinsicContentSize();
        double width = std::max(82.0, size.width);
        x -= width;
        button->setFrame(Rect(x, y, width, size.height));
        content->addSubview(button);
        x -= 10;
    }
    if (onHelp) {
        auto help = Button::create("?");
        help->setBezelStyle(BezelStyle::Inline);
        help->setFrame(Rect(kMargin, y, 24, 24));
        auto call = onHelp;
        help->onAction = [call] { call(); };
        content->addSubview(help);
    }
    double height = y + 24 + kMargin;
    auto icon = AlertIcon::create(m_style);
    icon->setFrame(Rect(kMargin, kMargin, kIconSide, kIconSide));
    content->addSubview(icon);
    content->setFrame(Rect(0, 0, kWidth, height));

    Rect visible = Screen::main() ? Screen::main()->visibleFrame : Rect(0, 0, 1024, 768);
    m_window = Window::create(Rect(visible.midX() - kWidth / 2, visible.minY() + visible.height() * 0.6, kWidth, height),
        WindowStyle::Titled);
    m_window->setLevel(WindowLevel::Floating);
    m_window->setKind(WindowKind::Dialog);
    // A window manager shows a title: the question, rather than a nameless window.
    m_window->setTitle(m_message);
    m_window->setContentView(content);
}

int Alert::runModal()
{
    if (m_running)
        return -1;
    build();
    m_running = true;
    m_answer.reset();
    Window* alertWindow = m_window.get();
    auto* app = Application::shared();
    // A hidden or background program comes forward first, as it does to quit: an alert it
    // cannot show ended at once as its cancel button, and nobody saw it.
    if (app && (app->isHidden() || !app->isActive()))
        app->activate();
    Window* previousKey = app ? app->keyWindow() : nullptr;
    std::weak_ptr<Window> previous = previousKey ? previousKey->weak_from_this() : std::weak_ptr<Window> {};
    // Above the window it interrupts, which brings it forward with the keyboard when clicked.
    Window* owner = previousKey && previousKey->level() <= WindowLevel::Normal ? previousKey : app ? app->mainWindow() : nullptr;
    if (owner && owner != alertWindow && owner->isVisible())
        m_window->setModalOwner(owner);
    m_window->makeKeyAndOrderFront();
    // The keyboard on the default button, its ring showing: Return and Space both press it.
    m_window->makeFirstResponderWithRing(m_buttons.front().get());

    // Other windows draw on but take no input while the alert is up.
    runningAlerts().push_back(this);
    std::optional<Application::MonitorId> monitor;
    if (auto* app = Application::shared())
        monitor = app->addLocalMonitor(EventMask::Any, [this](const Event& event) { return filter(event); });
    if (auto answer = responder()) {
        base::RunLoop::main().post([this, answer] {
            if (auto index = answer(*this))
                pressButton(*index);
        });
    }
    // A window manager may close the alert, or hiding the application order it out: nobody
    // could answer it then, so that counts as its cancel button.
    base::RunLoop::main().runModal([this] { return m_answer.has_value() || !m_window->isVisible(); });
    if (!m_answer)
        m_answer = m_closeAnswer;

    if (monitor && Application::shared())
        Application::shared()->removeMonitor(*monitor);
    std::erase(runningAlerts(), this);
    m_window->close();
    m_running = false;
    if (auto window = previous.lock(); window && window->isVisible())
        window->makeKeyWindow();
    return m_answer.value_or(0);
}

void Alert::setResponder(Responder answer) { responder() = std::move(answer); }

void Alert::installAsPresenter()
{
    base::AlertPresenter::install([](const base::AlertRequest& request) {
        auto* app = Application::shared();
        if (!app || (app->backend().name() == "offscreen" && !responder()))
            return base::AlertAnswer(base::AlertPresenter::answerForNobody(request, "no display"));
        // On the way out nobody is asked any more: an alert would hold the program up.
        if (app->isTerminating() && !responder())
            return base::AlertAnswer(base::AlertPresenter::answerForNobody(request, "quitting"));
        // One question is asked once: asked again while it waits (a second Ctrl+Q), it comes
        // forward, and the second asking is answered as its cancel button.
        if (Alert* open = runningAlike(request)) {
            open->bringForward();
            int escape = request.escapeButtonIndex();
            base::diagnostic("alert: " + request.message + " | asked again while open: brought forward");
            return base::AlertAnswer { escape >= 0 ? escape : 0, false };
        }
        auto alert = Alert::fromRequest(request);
        base::AlertAnswer answer;
        answer.button = alert->runModal();
        answer.suppressed = request.suppressionTitle && alert->suppressionButton()->state() == ControlStateValue::On;
        return answer;
    });
}

}
