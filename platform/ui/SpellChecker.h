#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// The desktop's spelling dictionaries through Enchant: the language of the user's locale,
// else American English, else none at all (then every word passes and nothing is marked).
// Main thread only.
class SpellChecker {
public:
    static SpellChecker& shared();
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    bool isAvailable() const { return m_dictionary != nullptr; }
    // The dictionary's language tag ("en_US"), empty without one.
    const std::string& language() const { return m_language; }

    // UTF-8 words; true when the dictionary knows the word, or when there is no dictionary.
    bool isCorrect(std::string_view word);
    std::vector<std::string> suggestions(std::string_view word, std::size_t limit = 5);

private:
    SpellChecker();

    struct Broker;
    std::unique_ptr<Broker> m_broker;
    void* m_dictionary { nullptr };
    std::string m_language;
};

}
