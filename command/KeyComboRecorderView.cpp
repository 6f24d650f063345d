#include "command/KeyComboRecorderView.h"

#include "command/MenuKeyCombos.h"
#include "command/SystemKeyCombos.h"
#include "core/MacOSVersion.h"
#include "drawing/KeyboardShortcutsStyleKit.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/LocalEventMonitor.h"
#include "viewkit/PushButtonBrick.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/KeyCodes.h"
#include "platform/ui/Beep.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <iostream>

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr std::uint32_t kModifierFlags
    = ui::ModifierFlag::Shift | ui::ModifierFlag::Control | ui::ModifierFlag::Option | ui::ModifierFlag::Command;
constexpr double kButtonWidth = 18.0;
// A recorded combination's title: 5.8:1 on the dark box, 6.2:1 on the light one.
constexpr gfx::Color kRecordedOnDark = gfx::Color::rgb(0.82, 0.91, 1.0);
constexpr gfx::Color kRecordedOnLight = gfx::Color::rgb(0.1, 0.36, 0.78);

bool isClearKey(const ui::Event& event)
{
    auto key = static_cast<base::KeyCode>(event.keyCode());
    return event.type() == ui::Event::Type::KeyDown && !(event.modifierFlags() & kModifierFlags)
        && (key == base::KeyCode::Delete || key == base::KeyCode::ForwardDelete);
}

// The box: a push button that knows its recorder.
class KeyComboRecorderButton final : public PushButtonBrick {
public:
    static std::shared_ptr<KeyComboRecorderButton> create(const std::shared_ptr<KeyComboRecorderView>& recorder)
    {
        std::shared_ptr<KeyComboRecorderButton> button(new KeyComboRecorderButton);
        button->setControlSize(ui::ControlSize::Regular);
        button->recorderView = recorder;
        return button;
    }
    std::weak_ptr<KeyComboRecorderView> recorderView;

    // Backspace on the focused box clears it, as the clear button does, as shortcut editors
    // here do; the rest (Space, Return) presses the box.
    void keyDown(const ui::Event& event) override
    {
        auto recorder = recorderView.lock();
        if (recorder && isClearKey(event)) {
            if (recorder->isEnabled() && recorder->keyCombo())
                recorder->deleteKeyCombo();
            return;
        }
        PushButtonBrick::keyDown(event);
    }
};

// The kit's glyph as a shape the button tints for the appearance, as a template image is.
// Taken at four times its size: drawn at its own, the cross of the clear glyph falls apart
// into its two ends.
std::shared_ptr<gfx::Image> templateOf(const std::shared_ptr<gfx::Image>& glyph)
{
    constexpr double kScale = 4;
    auto bitmap = glyph->rasterize(kScale);
    auto image = bitmap ? gfx::Image::fromBitmap(bitmap, kScale) : glyph;
    image->setTemplate(true);
    return image;
}

std::shared_ptr<PushButtonBrick> smallButton(std::shared_ptr<gfx::Image> image, std::function<void()> action)
{
    auto button = PushButtonBrick::create(std::nullopt, std::move(action));
    button->setBezelStyle(ui::BezelStyle::Borderless);
    button->setImage(std::move(image));
    button->setImagePosition(ui::ImagePosition::ImageOnly);
    return button;
}

std::string describe(const std::optional<KeyCombo>& combo) { return combo ? combo->description() : "nil"; }

std::ostream& operator<<(std::ostream& out, const ui::Rect& r)
{
    return out << "(" << r.minX() << ", " << r.minY() << ", " << r.width() << ", " << r.height() << ")";
}

}

std::shared_ptr<KeyComboRecorderView> KeyComboRecorderView::create(ui::Rect frame, ui::ControlSize size)
{
    return make<KeyComboRecorderView>(frame, size);
}

KeyComboRecorderView::KeyComboRecorderView(ui::Rect frame, ui::ControlSize size)
    : Wall(frame)
    , m_size(size)
{
    if (size != ui::ControlSize::Regular && size != ui::ControlSize::Small)
        base::fatal("size must either be regular or small");
}

KeyComboRecorderView::~KeyComboRecorderView() = default;

void KeyComboRecorderView::finishCreation()
{
    Wall::finishCreation();
    bool regular = m_size == ui::ControlSize::Regular;
    LayoutConstraintMaker size(*this);
    size.width(regular ? 220.0 : 150.0).height(regular ? 22.0 : 20.0);
    addConstraints(size.constraints());
    backgroundDrawingFunc = [this](const ui::Rect& bounds) { drawBox(bounds); };

    std::weak_ptr<KeyComboRecorderView> weakSelf = std::static_pointer_cast<KeyComboRecorderView>(shared_from_this());
    auto box = KeyComboRecorderButton::create(std::static_pointer_cast<KeyComboRecorderView>(shared_from_this()));
    box->setBezelStyle(ui::BezelStyle::Borderless);
    box->buttonPressFunction = [weakSelf] {
        if (auto self = weakSelf.lock())
            self->startRecordingSession();
    };
    m_keyComboButtonBrick = box;
    factory().internalAddBrick(box, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0).pin(A::Left, A::Left, 0);
    });

    m_undoButtonBrick = smallButton(templateOf(KeyboardShortcutsStyleKit::imageOfUndo()), [weakSelf] {
        if (auto self = weakSelf.lock())
            self->undo();
    });
    factory().internalAddBrick(m_undoButtonBrick, [box](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0);
        maker.and_(*box).pin(A::Left, A::Right, 0);
        maker.width(kButtonWidth);
    });

    auto undo = m_undoButtonBrick;
    m_deleteButtonBrick = smallButton(templateOf(KeyboardShortcutsStyleKit::imageOfClear()), [weakSelf] {
        auto self = weakSelf.lock();
        if (!self)
            return;
        // The clear button hides once it cleared: the keyboard it had stays with this
        // recorder, on its box, rather than going to nothing.
        ui::Window* window = self->window();
        bool hadKeyboard = window && window->firstResponder() == self->m_deleteButtonBrick.get();
        self->deleteKeyCombo();
        if (hadKeyboard && self->window() == window)
            window->makeFirstResponder(self->m_keyComboButtonBrick.get());
    });
    factory().internalAddBrick(m_deleteButtonBrick, [undo](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0).pin(A::Right, A::Right, 0);
        maker.and_(*undo).pin(A::Left, A::Right, 0);
        maker.width(kButtonWidth);
    });

    setKeyCombo(std::nullopt);
    updateButtonsForState(m_recorderState);
}

void KeyComboRecorderView::changed()
{
    setNeedsDisplay();
    if (m_keyComboButtonBrick)
        m_keyComboButtonBrick->setNeedsDisplay();
    updateButtonsForState(m_recorderState);
}

void KeyComboRecorderView::setEnabled(bool enabled)
{
    m_isEnabled = enabled;
    changed();
}

void KeyComboRecorderView::setKeyCombo(const std::optional<KeyCombo>& combo)
{
    m_currentKeyCombo = combo;
    if (!combo && m_recorderState == RecorderState::notRecordingPreviousShortcutExists)
        m_recorderState = RecorderState::notRecordingPreviousShortcutDoesNotExist;
    else if (combo && m_recorderState == RecorderState::notRecordingPreviousShortcutDoesNotExist)
        m_recorderState = RecorderState::notRecordingPreviousShortcutExists;
    changed();
}

void KeyComboRecorderView::updateButtonsForState(RecorderState state)
{
    if (!m_undoButtonBrick || !m_deleteButtonBrick)
        return;
    bool undo = false, clear = false;
    if (m_isEnabled) {
        switch (state) {
        case RecorderState::recordingNoKeyPressedPreviousShortcutDoesNotExist:
            clear = true;
            break;
        case RecorderState::recordingNoKeyPressedPreviousShortcutExists:
            undo = clear = true;
            break;
        case RecorderState::recordingModifiersDownWaitingForKeyPress:
            undo = true;
            break;
        case RecorderState::notRecordingPreviousShortcutDoesNotExist:
            break;
        case RecorderState::notRecordingPreviousShortcutExists:
            clear = true;
            break;
        }
    }
    m_undoButtonBrick->setHidden(!undo);
    m_deleteButtonBrick->setHidden(!clear);
}

void KeyComboRecorderView::toggleRecordingState()
{
    bool recording = isRecordingState(m_recorderState);
    if (recording) {
        m_recorderState = m_currentKeyCombo ? RecorderState::notRecordingPreviousShortcutExists
                                            : RecorderState::notRecordingPreviousShortcutDoesNotExist;
    } else {
        m_recorderState = m_recorderState == RecorderState::notRecordingPreviousShortcutExists
            ? RecorderState::recordingNoKeyPressedPreviousShortcutExists
            : RecorderState::recordingNoKeyPressedPreviousShortcutDoesNotExist;
    }
    changed();
    m_isRecording->setValue(!recording);
}

void KeyComboRecorderView::startRecordingSession()
{
    if (!m_isEnabled)
        return;
    // A second press of the box ends the session as undo does: the combination stays.
    if (m_isRecording->value()) {
        endRecordingSession(m_currentKeyCombo);
        return;
    }
    toggleRecordingState();

    std::weak_ptr<KeyComboRecorderView> weakSelf = std::static_pointer_cast<KeyComboRecorderView>(shared_from_this());
    m_localEventMonitor = LocalEventMonitor::create(ui::EventMask::LeftMouseDown | ui::EventMask::of(ui::Event::Type::RightMouseDown)
            | ui::EventMask::KeyDown | ui::EventMask::FlagsChanged,
        [weakSelf](const ui::Event& event) -> std::optional<ui::Event> {
            if (auto self = weakSelf.lock())
                return self->handle(event);
            return event;
        });
    m_localEventMonitor->start();
    m_displayTitle = "Type Shortcut";
    changed();

    m_observerToBeRemoved.reset();
    if (auto* window = this->window()) {
        m_observerToBeRemoved = window->addResignKeyObserver([weakSelf](ui::Window&) {
            auto self = weakSelf.lock();
            if (!self)
                return;
            std::cout << "from didResignKeyNotification: endRecordingSession" << std::endl;
            self->endRecordingSession(self->m_currentKeyCombo);
        });
    }
}

void KeyComboRecorderView::stopMonitor()
{
    // The monitor leaves the application with its wrapper.
    m_localEventMonitor.reset();
}

void KeyComboRecorderView::endRecordingSession(const std::optional<KeyCombo>& combo)
{
    // Held: the change handler may let go of the last other hold on the recorder.
    auto keep = shared_from_this();
    std::cout << "endRecordingSession: " << describe(combo) << std::endl;
    m_observerToBeRemoved.reset();
    if (m_isRecording->value())
        stopMonitor();
    setKeyCombo(combo);
    if (keyComboChangeClientHandler)
        keyComboChangeClientHandler(combo);
    if (m_isRecording->value())
        toggleRecordingState();
}

void KeyComboRecorderView::deleteKeyCombo()
{
    std::cout << "from delete(): endRecordingSession" << std::endl;
    setKeyCombo(std::nullopt);
    endRecordingSession(std::nullopt);
}

void KeyComboRecorderView::undo()
{
    if (!m_isRecording->value())
        return;
    std::cout << "from undo(): endRecordingSession" << std::endl;
    endRecordingSession(m_currentKeyCombo);
}

std::optional<ui::Event> KeyComboRecorderView::handle(const ui::Event& event)
{
    auto keep = shared_from_this();
    bool isPress = event.type() == ui::Event::Type::LeftMouseDown || event.type() == ui::Event::Type::RightMouseDown;
    // Only a press in our own window can land on our buttons: a point of another window
    // means nothing here.
    bool inOurWindow = event.window() && event.window() == window();
    ui::Point location = inOurWindow ? convertPointFrom(event.locationInWindow(), nullptr) : ui::Point { -1, -1 };
    auto on = [&](const std::shared_ptr<PushButtonBrick>& button) {
        return inOurWindow && !button->isHidden() && button->frame().contains(location);
    };
    bool onUndo = on(m_undoButtonBrick);
    bool onClear = on(m_deleteButtonBrick);
    bool escapeOnItsOwn = event.type() == ui::Event::Type::KeyDown
        && event.keyCode() == Key(Key::escape).carbonKeyCode() && !(event.modifierFlags() & kModifierFlags);
    std::cout << "mouseLocation: (" << location.x << ", " << location.y << ")"
              << " ownFrame:" << bounds() << " undoButtonFrame: " << m_undoButtonBrick->frame()
              << " deleteButtonFrame: " << m_deleteButtonBrick->frame()
              << " insideMyOwnFrame: " << (inOurWindow && bounds().contains(location) ? "true" : "false")
              << " anyMouseButtonClicked: " << (isPress ? "true" : "false")
              << " escapeKeyPressedOnItsOwn " << (escapeOnItsOwn ? "true" : "false") << std::endl;

    if (event.type() == ui::Event::Type::LeftMouseDown && onUndo) {
        undo();
    } else if (event.type() == ui::Event::Type::LeftMouseDown && onClear) {
        deleteKeyCombo();
    } else if (isClearKey(event)) {
        // Backspace clears, Escape cancels: the keys a shortcut editor here answers.
        deleteKeyCombo();
    } else if (isPress || escapeOnItsOwn) {
        // Cancelling keeps what was there, as undo does: only clearing removes it.
        if (escapeOnItsOwn)
            std::cout << "escaping" << std::endl << "from handle -> escaping: endRecordingSession" << std::endl;
        endRecordingSession(m_currentKeyCombo);
    } else if (event.type() == ui::Event::Type::KeyDown) {
        auto key = Key::withCarbonKeyCode(event.keyCode());
        if (auto combo = key ? std::optional<KeyCombo>(KeyCombo(*key, event.modifierFlags())) : std::nullopt; combo && validate(*combo))
            endRecordingSession(combo);
        else
            ui::beep();
    } else if (event.type() == ui::Event::Type::FlagsChanged) {
        auto held = event.modifierFlags() & kModifierFlags;
        if (held) {
            m_recorderState = RecorderState::recordingModifiersDownWaitingForKeyPress;
            m_displayTitle = modifierSymbols(held);
        } else {
            m_recorderState = m_currentKeyCombo ? RecorderState::recordingNoKeyPressedPreviousShortcutExists
                                                : RecorderState::recordingNoKeyPressedPreviousShortcutDoesNotExist;
        }
        changed();
    }
    return std::nullopt;
}

bool KeyComboRecorderView::validate(const KeyCombo& combo) const
{
    auto key = combo.key();
    if (!key)
        return false;
    auto flags = combo.modifiers();
    bool isFunctionKey = key->value >= Key::f1 && key->value <= Key::f20;
    bool lacksRequiredModifier = !isFunctionKey
        && !(flags & (EventModifier::command | EventModifier::control | EventModifier::option));
    auto menu = mainMenuKeyCombos();
    if (!acceptKeyCombosAlreadyUsedInMenu && std::find(menu.begin(), menu.end(), combo) != menu.end())
        return false;
    auto system = systemKeyCombos();
    if (std::find(system.begin(), system.end(), combo) != system.end())
        return false;
    if (lacksRequiredModifier)
        return false;
    return keyComboValidClientHandler ? keyComboValidClientHandler(combo) : true;
}

std::string KeyComboRecorderView::title() const
{
    switch (m_recorderState) {
    case RecorderState::recordingNoKeyPressedPreviousShortcutDoesNotExist:
        return "Type Shortcut";
    case RecorderState::recordingNoKeyPressedPreviousShortcutExists:
        return "Type New Shortcut";
    case RecorderState::recordingModifiersDownWaitingForKeyPress:
        return m_displayTitle;
    case RecorderState::notRecordingPreviousShortcutDoesNotExist:
        return m_isEnabled ? "Click to Record Shortcut" : "";
    case RecorderState::notRecordingPreviousShortcutExists:
        return m_currentKeyCombo ? m_currentKeyCombo->description() : "";
    }
    return {};
}

gfx::Color KeyComboRecorderView::titleColor() const
{
    bool dark = MacOSVersion::singleton().isDarkMode();
    switch (m_recorderState) {
    case RecorderState::notRecordingPreviousShortcutDoesNotExist:
        return dark ? gfx::colors::lightGray : gfx::colors::darkGray;
    case RecorderState::notRecordingPreviousShortcutExists:
        // Accent-tinted text, paler (darker) than the accent itself: the accent reads at 1.4:1
        // on the dark box, and its text tint measured 4.2:1 once smoothed at twice the scale.
        if (!m_isEnabled)
            return ui::ControlLook::kSecondaryText;
        return dark ? kRecordedOnDark : kRecordedOnLight;
    default:
        return dark ? ui::ControlLook::kText : gfx::colors::black;
    }
}

void KeyComboRecorderView::drawBox(const ui::Rect& bounds) const
{
    bool dark = MacOSVersion::singleton().isDarkMode();
    bool small = m_size == ui::ControlSize::Small;
    double grey = dark ? 0.29 : 0.85;
    gfx::Color border = gfx::Color::rgb(grey, grey, grey);
    double textFieldWidth = bounds.width();
    if (small && m_recorderState == RecorderState::recordingNoKeyPressedPreviousShortcutExists)
        textFieldWidth -= 27.0;
    // A stored combination shows nothing at all when there is none to show.
    if (m_recorderState == RecorderState::notRecordingPreviousShortcutExists && !m_currentKeyCombo)
        return;
    auto title = this->title();
    auto colour = titleColor();
    if (dark && small)
        KeyboardShortcutsStyleKit::drawSmallBoxDarkMode(bounds, border, colour, title, textFieldWidth, m_isEnabled);
    else if (dark)
        KeyboardShortcutsStyleKit::drawBoxDarkMode(bounds, border, colour, title, textFieldWidth, m_isEnabled);
    else if (small)
        KeyboardShortcutsStyleKit::drawSmallBox(bounds, border, colour, title, textFieldWidth, m_isEnabled);
    else
        KeyboardShortcutsStyleKit::drawBox(bounds, border, colour, title, textFieldWidth, m_isEnabled);
}

}
