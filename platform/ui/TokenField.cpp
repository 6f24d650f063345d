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
    // Whole characters off the end until the rest and an ellipsis fit; nothing when not even
    // one character does.
    std::string shown = token;
    while (!shown.empty()) {
        std::size_t end = shown.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(shown[end]) & 0xC0) == 0x80)
            --end;
        shown.erase(end);
        if (!shown.empty() && ControlLook::labelSize(shown + "\u2026", font()).width <= width)
            return shown + "\u2026";
    }
    return {};
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

void TokenField::keyDown(const Event& event)
{
    auto key = static_cast<base::KeyCode>(event.keyCode());
    if ((key == base::KeyCode::Tab || key == base::KeyCode::Return || key == base::KeyCode::KeypadEnter) && isEditing()
        && acceptSuggestion())
        return;
    TextField::keyDown(event);
    refreshSuggestion();
}

void TokenField::setComposition(const Composition& composition)
{
    m_suggestion.clear();
    TextField::setComposition(composition);
}

void TokenField::commitText(const std::string& utf8)
{
    TextField::commitText(utf8);
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

void TokenField::drawOwnLook(gfx::GraphicsContext& context)
{
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
    double x = area.minX();
    context.save();
    context.clipToRect(area);
    for (const auto& token : tokens()) {
        // A pill that does not fit whole is shortened with an ellipsis, never cut at the edge.
        std::string shown = token;
        double width = ControlLook::labelSize(shown, font()).width + 12;
        if (x + width > area.maxX()) {
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
    context.restore();
}

}
