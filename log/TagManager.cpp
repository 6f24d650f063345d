#include "log/TagManager.h"

#include "log/StringToTokenArrayTransformer.h"
#include "platform/base/MainQueue.h"

#include <unicode/coll.h>
#include <unicode/unistr.h>

#include <algorithm>

namespace ostrel {

namespace {

std::string folded(const std::string& text)
{
    std::string result;
    icu::UnicodeString::fromUTF8(text).foldCase().toUTF8String(result);
    return result;
}

}

TagManager& TagManager::sharedInstance()
{
    static TagManager* manager = new TagManager;
    return *manager;
}

void TagManager::addTagsFromString(const std::string& tagString) { addTagsFromStrings({ tagString }); }

void TagManager::addTagsFromStrings(const std::vector<std::string>& tagStrings)
{
    std::vector<std::shared_ptr<TokenField>> fields;
    std::vector<std::string> snapshot;
    // Split before the lock: the threads reading a log's files each bring theirs at once.
    std::vector<std::string> pieces;
    for (const auto& tagString : tagStrings) {
        if (auto tokens = StringToTokenArrayTransformer::tokens(tagString))
            pieces.insert(pieces.end(), std::make_move_iterator(tokens->begin()), std::make_move_iterator(tokens->end()));
    }
    {
        std::lock_guard lock(m_mutex);
        bool added = false;
        for (auto& piece : pieces) {
            if (piece.empty() || m_known.contains(piece))
                continue;
            m_known.insert(piece);
            m_allTags.push_back(std::move(piece));
            added = true;
        }
        if (!added)
            return;
        std::stable_sort(m_allTags.begin(), m_allTags.end(), localizedCaseInsensitiveLess);
        snapshot = m_allTags;
        for (auto& weak : m_allTagSourceTokenFields) {
            if (auto field = weak.lock())
                fields.push_back(field);
        }
    }
    if (fields.empty())
        return;
    base::MainQueue::async([fields = std::move(fields), snapshot = std::move(snapshot)] {
        for (auto& field : fields)
            field->updateWithTagList(snapshot);
    });
}

std::vector<std::string> TagManager::allTags() const
{
    std::lock_guard lock(m_mutex);
    return m_allTags;
}

std::vector<std::string> TagManager::completionListStartingWith(const std::string& prefix) const
{
    std::string wanted = folded(prefix);
    std::vector<std::string> matches;
    for (const auto& tag : allTags()) {
        if (folded(tag).starts_with(wanted))
            matches.push_back(tag);
    }
    return matches;
}

void TagManager::registerTokenField(const std::shared_ptr<TokenField>& field)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_allTagSourceTokenFields, [](const auto& weak) { return weak.expired(); });
    m_allTagSourceTokenFields.push_back(field);
}

void TagManager::removeAllTags()
{
    std::lock_guard lock(m_mutex);
    m_allTags.clear();
    m_known.clear();
}

bool localizedCaseInsensitiveLess(const std::string& a, const std::string& b)
{
    thread_local std::unique_ptr<icu::Collator> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        // The POSIX locale's collation sorts every capital before every small letter, which
        // no reader of a tag list expects; it falls back to the root order.
        icu::Locale locale = icu::Locale::getDefault();
        if (std::string_view(locale.getVariant()) == "POSIX" || std::string_view(locale.getName()) == "c")
            locale = icu::Locale::getRoot();
        std::unique_ptr<icu::Collator> made(icu::Collator::createInstance(locale, status));
        if (U_SUCCESS(status) && made)
            made->setStrength(icu::Collator::SECONDARY);
        else
            made.reset();
        return made;
    }();
    if (!collator)
        return folded(a) < folded(b);
    UErrorCode status = U_ZERO_ERROR;
    auto order = collator->compareUTF8(a, b, status);
    if (U_FAILURE(status))
        return folded(a) < folded(b);
    return order == UCOL_LESS;
}

}
