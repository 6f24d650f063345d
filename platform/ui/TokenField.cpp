#include "platform/ui/TokenField.h"

#include "platform/base/KeyCodes.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/gfx/TextLayout.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"

#include <algorithm>

namespace ui {

namespace {
gfx::Color pillColor() { return ControlLook::kAccent.blended(0.4, gfx::colors::black); }

std::string trimmed(const std::string& text)
{
    auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}
}

std::string TokenField::elided(const std::string& token, double width) const
{
    // Where a shortened token may end: after each whole character, short of the whole token
    // and of what a pill ever shows.
    std::size_t limit = std::min(token.size() - (token.empty() ? 0 : 1), kShownLimit);
    std::vector<std::size_t> ends;
    for (std::size_t at = 1; at <= limit; ++at) {
        if (at == token.size() || (static_cast<unsigned char>(token[at]) & 0xC0) != 0x80)
            ends.push_back(at);
    }
    // The longest start that fits with an ellipsis, found by halving: one measure a step.
    auto fits = [&](std::size_t end) {
        return ControlLook::labelSize(token.substr(0, end) + "\u2026", font()).width <= width;
    };
    std::size_t low = 0, high = ends.size();
    while (low < high) {
        std::size_t middle = (low + high) / 2;
        if (fits(ends[middle]))
            low = middle + 1;
        else
            high = middle;
    }
    if (low == 0)
        return {};
    return token.substr(0, ends[low - 1]) + "\u2026";
}

std::shared_ptr<TokenField> TokenField::create() { return std::shared_ptr<TokenField>(new TokenField); }

TokenField::TokenField()
    : TextField({})
{
}

std::vector<std::string> TokenField::split(const std::string& value)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t comma = value.find(',', start);
        std::string token = trimmed(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!token.empty())
            out.push_back(token);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return out;
}

std::string TokenField::join(const std::vector<std::string>& tokens)
{
    std::string out;
    for (const auto& token : tokens)
        out += (out.empty() ? "" : ", ") + token;
    return out;
}

std::vector<std::string> TokenField::tokens() const { return split(stringValue()); }

void TokenField::setTokens(const std::vector<std::string>& tokens)
{
    setStringValue(join(tokens));
    m_suggestion.clear();
}

std::size_t TokenField::currentTokenStart() const
{
    std::size_t comma = stringValue().rfind(',', caret() ? caret() - 1 : 0);
    if (caret() == 0 || comma == std::string::npos)
        return 0;
    return comma + 1;
}

void TokenField::refreshSuggestion()
{
    m_suggestion.clear();
    if (!completions || !isEditing() || caret() != stringValue().size())
        return;
    std::size_t start = currentTokenStart();
    std::string typed = trimmed(stringValue().substr(start));
    if (typed.empty())
        return;
    std::size_t index = static_cast<std::size_t>(std::count(stringValue().begin(), stringValue().begin() + static_cast<std::ptrdiff_t>(start), ','));
    auto offers = completions(typed, index);
    if (!offers.empty())
        m_suggestion = offers.front();
    setNeedsDisplay();
}

bool TokenField::acceptSuggestion()
{
    if (m_suggestion.empty())
        return false;
    std::size_t start = currentTokenStart();
    std::string before = stringValue().substr(0, start);
    std::string value = trimmed(before);
    value = (value.empty() ? "" : value + " ") + m_suggestion + ", ";
    // Replaced as an edit: the change is reported like typing.
    setCaret(0);
    selectAll();
    m_suggestion.clear();
    insertText(value);
    return true;
}

bool TokenField::selectTokenBesideCaret(const Event& event)
{
    auto key = static_cast<base::KeyCode>(event.keyCode());
    bool back = key == base::KeyCode::Delete;
    if ((!back && key != base::KeyCode::ForwardDelete) || !isEditing() || hasComposition() || selectionAnchor() != caret()
        || (event.modifierFlags() & (ModifierFlag::Shift | ModifierFlag::Control | ModifierFlag::Option | ModifierFlag::Command)))
        return false;
    const std::string& text = stringValue();
    constexpr const char* kBlanks = " \t";
    std::size_t at = caret();
    std::size_t start = currentTokenStart();
    // Typed text before the caret is edited as text, a character at a time.
    if (std::size_t typed = text.find_first_not_of(kBlanks, start); typed < at)
        return false;
    if (back) {
        // The token ends at the comma that starts the typed text.
        if (start == 0)
            return false;
        std::size_t comma = start - 1;
        std::size_t previous = comma == 0 ? std::string::npos : text.rfind(',', comma - 1);
        std::size_t from = text.find_first_not_of(kBlanks, previous == std::string::npos ? 0 : previous + 1);
        if (from >= comma)
            return false;
        setSelection(from, at);
        return true;
    }
    std::size_t from = text.find_first_not_of(kBlanks, at);
    if (from == std::string::npos || text[from] == ',')
        return false;
    std::size_t comma = text.find(',', from);
    std::size_t to = comma == std::string::npos ? text.size() : std::min(text.find_first_not_of(kBlanks, comma + 1), text.size());
    setSelection(to, at);
    return true;
}

void TokenField::keyDown(const Event& event)
{
    if (selectTokenBesideCaret(event))
        return;
    auto key = static_cast<base::KeyCode>(event.keyCode());
    if ((key == base::KeyCode::Tab || key == base::KeyCode::Return || key == base::KeyCode::KeypadEnter) && isEditing()
        && acceptSuggestion())
        return;
    TextField::keyDown(event);
    tokenizeAfterComma();
    refreshSuggestion();
}

void TokenField::tokenizeAfterComma()
{
    // A comma typed at the end closes the token: the text becomes the tidy list, ready for
    // the next, and what came before shows as pills.
    const std::string& text = stringValue();
    if (hasComposition() || caret() != text.size() || text.empty() || text.back() != ',')
        return;
    auto list = tokens();
    std::string tidy = list.empty() ? std::string {} : join(list) + ", ";
    if (tidy == text)
        return;
    selectAll();
    insertText(tidy);
}

void TokenField::setComposition(const Composition& composition)
{
    m_suggestion.clear();
    TextField::setComposition(composition);
}

void TokenField::commitText(const std::string& utf8)
{
    TextField::commitText(utf8);
    tokenizeAfterComma();
    refreshSuggestion();
}

bool TokenField::resignFirstResponder()
{
    m_suggestion.clear();
    // What the user leaves is the tidy list: no empty tokens, one comma and space between.
    std::string tidy = join(tokens());
    if (tidy != stringValue()) {
        selectAll();
        insertText(tidy);
    }
    return TextField::resignFirstResponder();
}

double TokenField::drawPills(gfx::GraphicsContext& context, const std::vector<std::string>& list, const Rect& area) const
{
    double x = area.minX();
    for (const auto& token : list) {
        // A pill that does not fit whole is shortened with an ellipsis, never cut at the edge;
        // a token past what a pill ever shows is not measured whole.
        std::string shown = token;
        bool measurable = token.size() <= kShownLimit;
        double width = measurable ? ControlLook::labelSize(shown, font()).width + 12 : 0;
        if (!measurable || x + width > area.maxX()) {
            shown = elided(token, area.maxX() - x - 12);
            if (shown.empty())
                break;
            width = ControlLook::labelSize(shown, font()).width + 12;
        }
        Rect pill(x, area.midY() - font().pointSize * 0.75, width, font().pointSize * 1.5);
        context.setFillColor(pillColor());
        gfx::Path::roundedRect(pill, pill.height() / 2, pill.height() / 2).fill();
        ControlLook::drawLabel(shown, pill, font(), textColor());
        x += width + 4;
        if (shown != token)
            break;
    }
    return x;
}

bool TokenField::drawEditingWithPills(gfx::GraphicsContext& context)
{
    // The tokens before the one being typed stay pills while the caret is at the end and
    // nothing is selected; a selection or a caret among them shows the plain text to edit.
    std::size_t start = currentTokenStart();
    if (start == 0 || hasComposition() || caret() != stringValue().size() || selectionAnchor() != caret())
        return false;
    auto done = split(stringValue().substr(0, start));
    std::string typing = stringValue().substr(start);
    typing.erase(0, std::min(typing.find_first_not_of(' '), typing.size()));
    Rect area = textRect();
    gfx::TextLayout typed(typing, gfx::TextStyle(font(), textColor()));
    double pillsWidth = 0;
    for (const auto& token : done)
        pillsWidth += ControlLook::labelSize(token, font()).width + 16;
    if (done.empty() || pillsWidth + typed.boundingRect().width() + 2 > area.width())
        return false;
    if (drawsBackground() || isBordered())
        ControlLook::drawBezel(context, bounds(), 4, drawsBackground() ? ControlLook::kField : gfx::Color::white(0, 0),
            isBordered() ? ControlLook::kAccent : gfx::Color::white(0, 0));
    context.save();
    context.clipToRect(area);
    double x = drawPills(context, done, area);
    double width = typed.boundingRect().width();
    typed.draw(Rect(x, area.minY(), std::max(0.0, area.maxX() - x), area.height()));
    context.setFillColor(textColor());
    double lineHeight = std::max(typed.boundingRect().height(), font().pointSize * 1.2);
    context.fillRect(Rect(x + width, area.minY(), 1, lineHeight));
    if (!m_suggestion.empty()) {
        std::string word = typing;
        if (m_suggestion.size() > word.size())
            gfx::TextLayout(m_suggestion.substr(word.size()), gfx::TextStyle(font(), ControlLook::kSecondaryText))
                .draw(Rect(x + width, area.minY(), std::max(0.0, area.maxX() - x - width), area.height()));
    }
    context.restore();
    return true;
}

void TokenField::drawOwnLook(gfx::GraphicsContext& context)
{
    if (isEditing() && drawEditingWithPills(context))
        return;
    if (isEditing() || stringValue().empty()) {
        TextField::drawOwnLook(context);
        if (!m_suggestion.empty()) {
            std::string typed = trimmed(stringValue().substr(currentTokenStart()));
            if (m_suggestion.size() > typed.size()) {
                // On the typed text's own line: the field draws its text from the top.
                Rect area = textRect();
                double x = area.minX() + gfx::TextLayout(stringValue(), gfx::TextStyle(font())).boundingRect().width();
                context.save();
                context.clipToRect(area);
                gfx::TextLayout(m_suggestion.substr(typed.size()), gfx::TextStyle(font(), ControlLook::kSecondaryText))
                    .draw(Rect(x, area.minY(), std::max(0.0, area.maxX() - x), area.height()));
                context.restore();
            }
        }
        return;
    }
    if (drawsBackground() || isBordered())
        ControlLook::drawBezel(context, bounds(), 4, drawsBackground() ? ControlLook::kField : gfx::Color::white(0, 0),
            isBordered() ? ControlLook::kStroke : gfx::Color::white(0, 0));
    Rect area = textRect();
    context.save();
    context.clipToRect(area);
    drawPills(context, tokens(), area);
    context.restore();
}

}
