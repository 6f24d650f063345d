#include "platform/ui/SpellingMarks.h"

#include "platform/text/Unicode.h"
#include "platform/ui/SpellChecker.h"
#include "platform/ui/TextSubstitutions.h"

#include <cmath>

namespace ui {

namespace {

// Past this many remembered paragraphs the memory starts over; a page shows far fewer.
constexpr std::size_t kRememberedParagraphs = 4096;

bool isApostrophe(char16_t c) { return c == u'\'' || c == 0x2019; }

}

const std::vector<text::Range>& SpellingMarks::misspellings(const std::u16string& paragraph)
{
    if (auto found = m_checked.find(paragraph); found != m_checked.end())
        return found->second;
    if (m_checked.size() >= kRememberedParagraphs)
        m_checked.clear();
    std::vector<text::Range> wrong;
    auto& checker = SpellChecker::shared();
    std::size_t at = 0;
    while (at < paragraph.size()) {
        if (!TextSubstitutions::isWordCharacter(paragraph[at])) {
            ++at;
            continue;
        }
        std::size_t start = at;
        bool digits = false;
        while (at < paragraph.size()
            && (TextSubstitutions::isWordCharacter(paragraph[at])
                || (isApostrophe(paragraph[at]) && at + 1 < paragraph.size() && TextSubstitutions::isWordCharacter(paragraph[at + 1])))) {
            digits = digits || (paragraph[at] >= u'0' && paragraph[at] <= u'9');
            ++at;
        }
        if (digits || at - start < 2)
            continue;
        std::u16string word = paragraph.substr(start, at - start);
        // The dictionaries know the straight apostrophe only.
        for (char16_t& c : word)
            if (c == 0x2019)
                c = u'\'';
        if (!checker.isCorrect(text::toUtf8(word)))
            wrong.push_back({ start, at - start });
    }
    return m_checked.emplace(paragraph, std::move(wrong)).first->second;
}

void SpellingMarks::drawMark(gfx::GraphicsContext& context, const Rect& wordRect)
{
    context.save();
    context.setFillColor(gfx::Color::rgb(0.9, 0.15, 0.15));
    double y = std::floor(wordRect.maxY()) - 1.5;
    for (double x = std::floor(wordRect.minX()); x + 1.5 <= wordRect.maxX(); x += 3)
        context.fillRect(Rect(x, y, 1.5, 1.5));
    context.restore();
}

}
