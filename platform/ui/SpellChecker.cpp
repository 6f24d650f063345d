#include "platform/ui/SpellChecker.h"

#include "platform/base/Diagnostics.h"

#include <enchant.h>

#include <cstdlib>

namespace ui {

namespace {

// "de_CH.UTF-8@euro" gives "de_CH"; "C" and "POSIX" give nothing.
std::string localeLanguage()
{
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const char* value = std::getenv(name);
        if (!value || !*value)
            continue;
        std::string tag(value);
        tag = tag.substr(0, tag.find_first_of(".@"));
        if (tag == "C" || tag == "POSIX")
            return {};
        return tag;
    }
    return {};
}

}

struct SpellChecker::Broker {
    EnchantBroker* broker { enchant_broker_init() };
    ~Broker()
    {
        if (broker)
            enchant_broker_free(broker);
    }
};

SpellChecker& SpellChecker::shared()
{
    static SpellChecker* checker = new SpellChecker;
    return *checker;
}

SpellChecker::SpellChecker()
    : m_broker(std::make_unique<Broker>())
{
    if (!m_broker->broker)
        return;
    for (const std::string& tag : { localeLanguage(), std::string("en_US") }) {
        if (tag.empty() || !enchant_broker_dict_exists(m_broker->broker, tag.c_str()))
            continue;
        if (auto* dictionary = enchant_broker_request_dict(m_broker->broker, tag.c_str())) {
            m_dictionary = dictionary;
            m_language = tag;
            return;
        }
    }
    base::diagnostic("no spelling dictionary found: words are not checked");
}

SpellChecker::~SpellChecker()
{
    if (m_dictionary && m_broker->broker)
        enchant_broker_free_dict(m_broker->broker, static_cast<EnchantDict*>(m_dictionary));
}

bool SpellChecker::isCorrect(std::string_view word)
{
    if (!m_dictionary || word.empty())
        return true;
    // Below zero is the dictionary's own trouble, which must not mark the user's words.
    return enchant_dict_check(static_cast<EnchantDict*>(m_dictionary), word.data(), ssize_t(word.size())) <= 0;
}

std::vector<std::string> SpellChecker::suggestions(std::string_view word, std::size_t limit)
{
    std::vector<std::string> result;
    if (!m_dictionary || word.empty())
        return result;
    auto* dictionary = static_cast<EnchantDict*>(m_dictionary);
    std::size_t count = 0;
    char** list = enchant_dict_suggest(dictionary, word.data(), ssize_t(word.size()), &count);
    for (std::size_t i = 0; list && i < count && result.size() < limit; ++i)
        result.emplace_back(list[i]);
    if (list)
        enchant_dict_free_string_list(dictionary, list);
    return result;
}

}
