// Typing where the caret is: the pads, their B / i / U / S buttons, and the probe, a few
// letters typed into a focused text field after something a user does in between (a style
// button, a hide and a show, the command pop-up, undo and redo, the caret sent about), then
// looked for in the field's file and taken out again.
#include "RandomUser.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

namespace ostrel::acceptance {

namespace {

const std::string kProbeRule = "a key typed into a focused text field lands in that field";

// The objective field's light blue, where no setting gave it another colour.
constexpr gfx::Color kObjectiveColour = gfx::Color::rgb(226 / 255.0, 238 / 255.0, 1);

struct Pad {
    const char* folder;
    const char* hotKey;
    // Its paper, where no setting gave it another.
    gfx::Color paper;
};
const Pad kPads[] = { { "Now Pad", "ctrl+alt+n", gfx::Color::rgb(1.0, 1.0, 0.8) },
    { "Later Pad", "ctrl+alt+l", gfx::Color::rgb(0.893307, 0.999776, 0.862248) },
    { "Scratch Pad", "ctrl+alt+p", gfx::Color::rgb(0.929994, 0.863978, 1.0) } };
const char* const kStyles[] = { "B", "i", "U", "S" };

// "QjWa", "QjWb", …: letters no typing rule, spelling fix or parser touches, new in every
// probe, and wide enough to tell from the caret's blink on the screen.
std::string probeText(int number)
{
    std::string letters;
    do {
        letters.insert(letters.begin(), char('a' + number % 26));
        number /= 26;
    } while (number > 0);
    return "QjW" + letters;
}

// Pixels that differ between two pictures of the same box.
int differing(const Screenshot& a, const Screenshot& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return a.width() * a.height();
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += !(a.at(x, y) == b.at(x, y));
    return n;
}

// Where the text around the probe's place reads, for a failure's message.
std::string around(const std::string& text, const std::string& expected)
{
    auto at = text.find(expected.substr(0, std::min<std::size_t>(2, expected.size())));
    if (at == std::string::npos)
        at = text.size();
    auto from = at > 60 ? at - 60 : 0;
    std::string part = text.substr(from, 90);
    std::replace(part.begin(), part.end(), '\n', '|');
    return "\u2026" + part + "\u2026";
}

bool near(const gfx::Color& a, const gfx::Color& b)
{
    return std::abs(a.red - b.red) < 0.02 && std::abs(a.green - b.green) < 0.02 && std::abs(a.blue - b.blue) < 0.02;
}

// The one-point frame around the objective field, as it shows over the screen.
constexpr gfx::Color kFieldFrame = gfx::Color::rgb(128 / 255.0, 128 / 255.0, 128 / 255.0);

// Whether the frame of a field seen from row `top` down shows within `reach` rows above it:
// not where the field is scrolled under the screen's header, its buttons above it with it.
bool frameShowsAbove(const Screenshot& picture, int x, int top, int reach)
{
    for (int y = std::max(0, top - reach); y < top; ++y)
        if (near(picture.at(x, y), kFieldFrame))
            return true;
    return false;
}

// The text pad whose paper fills most of the box's right margin, where the lines of a page
// seldom reach; none when another pad (or none) shows there.
const Pad* padShownIn(const Screenshot& margin)
{
    for (const auto& pad : kPads) {
        int paper = 0;
        for (int i = 0; i < 10; ++i)
            paper += near(margin.at(margin.width() / 2, (margin.height() - 1) * i / 9), pad.paper);
        if (paper >= 6)
            return &pad;
    }
    return nullptr;
}

}

bool RandomUser::columnShown() const
{
    // As the main window decides it: by the room the screen has, not the window.
    constexpr int kColumnAndPad = 440 + 400 + 8;
    if (m_screenBox.width >= pixels(kColumnAndPad))
        return true;
    for (const char* key : { "nowPadHidden", "laterPadHidden", "scratchPadHidden", "logBookPadHidden", "statsPadHidden", "helpPadHidden" }) {
        auto hidden = m_home.setting(key);
        if (hidden && hidden->is_boolean() && !hidden->get<bool>())
            return false;
    }
    return true;
}

bool RandomUser::onTheScreen(const Box& box) const
{
    return box.x >= 0 && box.y >= 0 && box.x + box.width <= m_screenBox.width && box.y + box.height <= m_screenBox.height;
}

std::optional<RandomUser::Field> RandomUser::fieldIn(const Scene& scene, bool padFirst)
{
    auto* main = scene.mainWindow();
    if (!main || main->minimized)
        return std::nullopt;
    // What the window shows once it drew the last change: the scene is a settled one.
    const Box& window = main->box;
    std::optional<Field> pad;
    // An open pad fills the window right of the 440-point column, or the whole window where
    // the display has no room for both.
    {
        int left = window.width >= pixels(820) ? pixels(442) : pixels(2);
        Field field;
        field.box = { window.x + left, window.y + pixels(42), window.width - left - pixels(4), window.height - pixels(82) };
        auto margin = desktop().capture(Box { field.box.x + field.box.width - pixels(24), field.box.y, pixels(8), field.box.height });
        if (const Pad* shown = margin ? padShownIn(*margin) : nullptr) {
            field.name = std::string("the ") + shown->folder;
            field.padFolder = shown->folder;
            int right = window.x + window.width, row = window.y + pixels(17);
            for (int offset : { 98, 72, 48, 23 })
                field.styleButtons.push_back({ right - pixels(offset), row });
            pad = field;
        }
    }
    if (pad && padFirst)
        return pad;
    // A screen too narrow for the column and a pad shows the pad in the column's place: the
    // log book's rows there are of the objective's colour.
    if (m_screenName == "DefineTimeSliceState" && columnShown()) {
        // The objective field, found by its colour in the left column.
        Box column { window.x, window.y, std::min(window.width, pixels(440)), window.height };
        if (auto picture = desktop().capture(column)) {
            int left = picture->width(), top = picture->height(), right = -1, bottom = -1, count = 0;
            for (int y = 0; y < picture->height(); y += 2) {
                for (int x = 0; x < picture->width(); x += 2) {
                    if (near(picture->at(x, y), kObjectiveColour)) {
                        left = std::min(left, x), right = std::max(right, x);
                        top = std::min(top, y), bottom = std::max(bottom, y);
                        ++count;
                    }
                }
            }
            // A field of some 400 by 40 points, seen every second pixel; not a log book of the
            // same colour standing in the column's place.
            if (count > pixels(100) * pixels(10) && bottom - top < pixels(240)) {
                Field field;
                field.name = "the objective field";
                field.box = { column.x + left, column.y + top, right - left, bottom - top };
                // Scrolled out of sight, the buttons' row is under the header: clicked there, U
                // was the Later Pad's icon (seed 958056918 at scale 2).
                int fieldRight = field.box.x + field.box.width, row = field.box.y - pixels(18);
                if (frameShowsAbove(*picture, (left + right) / 2, top, pixels(3)))
                    for (int offset : { 133, 107, 82, 58 })
                        field.styleButtons.push_back({ fieldRight - pixels(offset), row });
                return field;
            }
        }
    }
    return pad;
}

std::vector<std::string> RandomUser::textsOf(const Field& field) const
{
    std::vector<std::string> texts;
    if (field.padFolder.empty()) {
        texts.push_back(m_home.objective().value_or(""));
        return texts;
    }
    for (const auto& page : m_home.padPages(field.padFolder))
        texts.push_back(page ? page->utf8() : "");
    return texts;
}

bool RandomUser::landedAnywhere(const std::string& expected) const
{
    // Wherever the keys went, they were not lost: the road only tells the field by its looks.
    Field objective;
    std::vector<Field> fields { objective };
    for (const auto& pad : kPads) {
        fields.emplace_back();
        fields.back().padFolder = pad.folder;
    }
    for (const auto& field : fields) {
        for (const auto& text : textsOf(field))
            if (text.find(expected) != std::string::npos)
                return true;
    }
    return false;
}

RandomUser::Outcome RandomUser::padHotKey(const Scene&, Dice& dice)
{
    const Pad& pad = kPads[dice.below(int(std::size(kPads)))];
    doing(std::string("the hot key of the ") + pad.folder + " (" + pad.hotKey + ")");
    desktop().key(pad.hotKey);
    return std::nullopt;
}

RandomUser::Outcome RandomUser::styleButton(const Scene& scene, Dice& dice)
{
    auto field = fieldIn(scene, dice.below(2) == 0);
    int which = dice.below(int(std::size(kStyles)));
    if (!field || !scene.quiet()) {
        doing("a B / i / U / S button, with no pad or objective field in front");
        return std::nullopt;
    }
    if (field->styleButtons.empty()) {
        doing("a B / i / U / S button, with those of " + field->name + " scrolled out of sight");
        return std::nullopt;
    }
    auto [x, y] = field->styleButtons[std::size_t(which)];
    doing(std::string("the ") + kStyles[which] + " button of " + field->name);
    desktop().clickAt(x, y);
    return std::nullopt;
}

bool RandomUser::screenFocusesItsObjective() const
{
    // The screens whose first responder is their objective field; the breaks' count-downs and
    // the welcome screens have none, and a show leaves the keyboard where it was.
    static const std::set<std::string> withObjective { "DefineTimeSliceState", "TimeSliceRunningState", "PausedState",
        "RateTimeSliceState", "PrepareTimedBreakState", "InformalBreakState" };
    return withObjective.count(m_screenName) != 0;
}

RandomUser::Field RandomUser::focusedByAShow(const Field& field) const
{
    // Showing a screen makes its first responder the window's: the objective field, unless the
    // window shows a pad in the column's place (too narrow for both), where the keys stay with
    // the pad the user sees.
    if (!screenFocusesItsObjective() || !columnShown())
        return field;
    Field objective;
    objective.name = "the objective field";
    return objective;
}

RandomUser::Outcome RandomUser::hideByTheKey()
{
    doing("the bring-to-front key with the program in front");
    desktop().key("ctrl+shift+alt+o");
    return expectToggled(Toggle::Hides, "the bring-to-front key");
}

RandomUser::Outcome RandomUser::interlude(int which, const Field& field, std::string& told, std::string& expected, Field& goesTo)
{
    // Typed and clicked before it: a hot key comes by another connection and must not
    // overtake them.
    Scene now = settle();
    auto* strip = now.statusStrip();
    goesTo = field;
    switch (which) {
    case 1:
    case 2:
    case 3:
    case 4: {
        if (field.styleButtons.empty()) {
            told = std::string("its ") + kStyles[which - 1] + " button scrolled out of sight, not clicked";
            doing(told);
            return std::nullopt;
        }
        auto [x, y] = field.styleButtons[std::size_t(which - 1)];
        told = std::string("its ") + kStyles[which - 1] + " button clicked";
        doing(told);
        desktop().clickAt(x, y);
        return std::nullopt;
    }
    case 5:
        // The status item brings the window forward as it was (makeFront): the keys stay.
        if (!strip)
            return std::nullopt;
        told = "the program hidden and shown again by its status item";
        doing("a click on the status item with the program in front");
        clickTheStatusItem(*strip);
        if (auto broken = expectToggled(Toggle::Hides, "a click on the status item"))
            return broken;
        doing("a click on the status item with the program hidden");
        clickTheStatusItem(*strip);
        return expectToggled(Toggle::Shows, "a click on the status item");
    case 6:
        // The bring-to-front key shows the current screen (toggleOstrelInterface:, showInfoWindow).
        told = "the program hidden and shown again by the bring-to-front key";
        goesTo = focusedByAShow(field);
        if (auto broken = hideByTheKey())
            return broken;
        doing("the bring-to-front key with the program hidden");
        desktop().key("ctrl+shift+alt+o");
        return expectToggled(Toggle::Shows, "the bring-to-front key");
    case 7:
    case 8: {
        // The pop-up's hot key orders the window front without showing the screen again.
        bool close = which == 7;
        told = close ? "the main window closed, Super+R, Escape" : "Super+R, Escape";
        if (auto* main = now.mainWindow(); main && close) {
            doing("the main window's close button");
            desktop().askToClose(main->id);
            if (auto broken = expectToggled(Toggle::Hides, "the close button"))
                return broken;
        }
        doing(close ? "Super+R (the command pop-up) with the program hidden" : "Super+R (the command pop-up) with nothing else shown");
        desktop().key("super+r");
        if (auto broken = expectPopUp(close ? "Super+R with the program hidden" : "Super+R"))
            return broken;
        doing("Escape in the command pop-up");
        desktop().key("Escape");
        return std::nullopt;
    }
    case 9:
        told = "\"ab cd\" typed, Ctrl+Z, Ctrl+Shift+Z";
        doing("type \"ab cd\", Ctrl+Z, Ctrl+Shift+Z");
        desktop().type("ab cd");
        desktop().key("ctrl+z");
        desktop().key("ctrl+shift+z");
        expected = "ab cd";
        return std::nullopt;
    case 10:
        // Up where the view does not reach on a long page: the caret is scrolled into view.
        told = "the caret sent to the top of the text by Ctrl+Home";
        doing("Ctrl+Home");
        desktop().key("ctrl+Home");
        return std::nullopt;
    case 11:
        told = "the caret sent up by Page Up, twice";
        doing("Page Up, Page Up");
        desktop().key("Prior");
        desktop().key("Prior");
        return std::nullopt;
    case 12:
    case 13:
    case 14: {
        auto* main = now.mainWindow();
        if (field.padFolder.empty() || !main) {
            told = "nothing in between";
            return std::nullopt;
        }
        const char* names[] = { "\"+\" (a new sheet)", "next sheet", "previous sheet" };
        told = std::string("its toolbar's ") + names[which - 12] + " button clicked";
        doing(told);
        auto [x, y] = toolbarButton(*main, which - 12);
        desktop().clickAt(x, y);
        return std::nullopt;
    }
    case 15:
        // "Show Ostrel" is the bring-to-front command (bringToFront:, showInfoWindow).
        if (!strip) {
            told = "nothing in between";
            return std::nullopt;
        }
        told = "the program hidden, and shown again by \"Show Ostrel\" from the status menu";
        goesTo = focusedByAShow(field);
        if (auto broken = hideByTheKey())
            return broken;
        doing("\"Show Ostrel\" from the status menu with the program hidden");
        desktop().rightClickAt(strip->box.x + strip->box.width - pixels(16), strip->box.midY());
        settle();
        desktop().type("show");
        desktop().key("Return");
        return expectMainWindowWithKeyboard("\"Show Ostrel\" from the status menu with the program hidden");
    case 16: {
        // A second launch asks the running copy to come to the front (bringToFront:) and ends.
        told = "the program hidden, and shown again by a second launch";
        goesTo = focusedByAShow(field);
        if (auto broken = hideByTheKey())
            return broken;
        doing("a second launch with the program hidden");
        auto second = Program::start(m_home, m_launch);
        auto ended = second ? second->waitForExit(60) : std::nullopt;
        if (!ended || !ended->cleanly())
            return Broken { "a second launch brings the running program to the front and ends", "a second launch",
                "a second launch " + (!second ? std::string("could not be started")
                                       : ended ? "ended with " + ended->describe() + ":" + second->transcript()
                                               : "did not end within a minute:" + second->transcript()) };
        return expectMainWindowWithKeyboard("a second launch with the program hidden");
    }
    case 17: {
        // From the background a pad's hot key brings the window forward and focuses that pad
        // (bringToFront:, then showNowPad and its kin).
        const Pad* pad = &kPads[0];
        for (const auto& each : kPads)
            if (field.padFolder == each.folder)
                pad = &each;
        told = std::string("the program hidden, and shown again by the hot key of the ") + pad->folder;
        goesTo = Field {};
        goesTo.name = std::string("the ") + pad->folder;
        goesTo.padFolder = pad->folder;
        if (auto broken = hideByTheKey())
            return broken;
        doing(std::string("the hot key of the ") + pad->folder + " (" + pad->hotKey + ") with the program hidden");
        desktop().key(pad->hotKey);
        return expectMainWindowWithKeyboard(std::string("the hot key of the ") + pad->folder + " with the program hidden");
    }
    default:
        told = "nothing in between";
        return std::nullopt;
    }
}

RandomUser::Outcome RandomUser::probe(const Scene& scene, Dice& dice)
{
    int which = dice.below(11);
    bool padFirst = dice.below(2) == 0;
    // The caret sent up by Ctrl+Home, or by the Page Up key.
    if (which == 10 && dice.below(2))
        which = 11;
    // A pad's "+", next or previous button clicked in between (not for the first seeds).
    if (m_widened && dice.below(3) == 0) {
        which = 12 + dice.below(3);
        padFirst = true;
    } else if (m_widened && dice.below(4) == 0) {
        // Or the program hidden and shown again by the other ways to show it.
        which = 15 + dice.below(3);
    }
    if (!scene.quiet()) {
        ++m_probesSkipped;
        doing("a probe, put off: other windows of ours show");
        return std::nullopt;
    }
    // The program in front, its main window holding the keyboard, as a user starts typing.
    if (!scene.mainWindowShown()) {
        auto* strip = scene.statusStrip();
        if (!strip) {
            ++m_probesSkipped;
            doing("a probe, put off: the program is hidden and shows no status item");
            return std::nullopt;
        }
        doing("a probe: first a click on the status item with the program hidden");
        clickTheStatusItem(*strip);
        if (auto broken = expectToggled(Toggle::Shows, "a click on the status item"))
            return broken;
    } else if (!scene.mainWindowHasKeyboard()) {
        auto* main = scene.mainWindow();
        doing("a probe: first a click on the main window's title bar");
        desktop().clickAt(main->frame.x + main->frame.width / 3, main->frame.y + (main->box.y - main->frame.y) / 2);
        if (!settle().mainWindowHasKeyboard()) {
            ++m_probesSkipped;
            doing("a probe, put off: the main window did not take the keyboard");
            return std::nullopt;
        }
    }
    auto field = fieldIn(settle(), padFirst);
    if (!field) {
        doing("a probe: first the Now pad opened by its hot key");
        desktop().key("ctrl+alt+n");
        field = fieldIn(settle(), true);
    }
    if (!field) {
        ++m_probesSkipped;
        doing("a probe, put off: no pad or objective field shows");
        return std::nullopt;
    }
    if (!onTheScreen(field->box)) {
        ++m_probesSkipped;
        doing("a probe, put off: " + field->name + " is not all on the screen");
        return std::nullopt;
    }
    // The caret at the end of what the field holds.
    doing("a probe: a click into " + field->name + ", Ctrl+End");
    desktop().clickAt(field->box.x + field->box.width - pixels(12), field->box.y + field->box.height - pixels(10));
    desktop().key("ctrl+End");
    std::string told, expected;
    Field goesTo;
    if (auto broken = interlude(which, *field, told, expected, goesTo))
        return broken;
    // A probe that would only find a fault found already spends the road's time elsewhere.
    std::string subject = (field->padFolder.empty() ? field->name : "a pad") + " after "
        + (which >= 1 && which <= 4 ? "a B / i / U / S button clicked" : which >= 12 && which <= 14 ? "a toolbar button clicked" : told);
    if (m_known.count(kProbeRule + "\n" + subject)) {
        ++m_probesSkipped;
        doing("a probe, put off: typing is lost in " + subject + " already");
        return std::nullopt;
    }
    std::string probe = probeText(m_probes++);
    expected += probe;
    doing("a probe: type \"" + probe + "\" into " + goesTo.name + " after " + told);
    // Where the field shows now: a show may have put the window elsewhere.
    auto now = fieldIn(settle(), !goesTo.padFolder.empty());
    std::optional<Box> shown;
    if (now && now->padFolder == goesTo.padFolder && onTheScreen(now->box))
        shown = now->box;
    auto before = shown ? desktop().settled(*shown, 2) : std::nullopt;
    desktop().type(probe);
    // The objective is kept in the settings at once; a pad's page a few seconds after its
    // first change.
    double patience = goesTo.padFolder.empty() ? 10 : 15;
    bool landed = false;
    auto typed = std::chrono::steady_clock::now();
    for (int asleep = 0; !landed && !waitedEnough(typed, patience, asleep);) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        landed = landedAnywhere(expected);
    }
    if (!landed) {
        std::string holds;
        for (const auto& text : textsOf(goesTo))
            holds += (holds.empty() ? "" : " / ") + around(text, expected);
        return Broken { kProbeRule, subject,
            "\"" + expected + "\" typed into " + goesTo.name + " after " + told + " is not in it (nor in any other pad or the objective); "
                + goesTo.name + " holds " + (holds.empty() ? "nothing" : holds) };
    }
    // Typed where the caret is, it shows there: a field scrolls its caret into view. Three
    // letters change far more of the picture than the caret's blink does.
    auto inField = textsOf(goesTo);
    bool inThisField = std::any_of(inField.begin(), inField.end(), [&](const std::string& text) { return text.find(expected) != std::string::npos; });
    if (!inThisField && m_widened)
        return Broken { kProbeRule, subject + ", elsewhere",
            "\"" + expected + "\" typed into " + goesTo.name + " after " + told + " landed in another field" };
    if (inThisField && before) {
        bool shows = false;
        auto landedAt = std::chrono::steady_clock::now();
        for (int asleep = 0; !shows && !waitedEnough(landedAt, 3, asleep);) {
            auto after = desktop().capture(*shown);
            shows = after && differing(*after, *before) > pixels(7) * pixels(7);
            if (!shows)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (!shows) {
            std::string holds;
            for (const auto& text : inField)
                if (text.find(expected) != std::string::npos)
                    holds = around(text, expected);
            return Broken { kProbeRule, subject + ", unseen",
                "\"" + expected + "\" typed into " + goesTo.name + " after " + told
                    + " is in it but does not show: the field keeps its caret out of view; it holds " + holds };
        }
    }
    for (std::size_t i = 0; i < probe.size(); ++i)
        desktop().key("BackSpace");
    return std::nullopt;
}

}
