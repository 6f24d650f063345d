#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

namespace ostrel {

// Every tag met while reading the log, offered as completions in tag fields. The readers add
// tags on the reload queue while fields read them on the main thread, so all access goes
// through the manager's lock and readers get copies.
class TagManager {
public:
    static TagManager& sharedInstance();

    // Adds the non-empty, not yet known pieces of a comma-separated tag text (untrimmed,
    // letter case counts), then keeps the list sorted case-insensitively.
    void addTagsFromString(const std::string& tagString);
    // The same for every tag text a reader met in one file, under one lock.
    void addTagsFromStrings(const std::vector<std::string>& tagStrings);
    std::vector<std::string> allTags() const;
    // The tags beginning with `prefix`, letter case ignored, in the order of allTags().
    std::vector<std::string> completionListStartingWith(const std::string& prefix) const;
    // The token-field delegate's question, answered as completionListStartingWith().
    std::vector<std::string> completionsForSubstring(const std::string& substring) const
    {
        return completionListStartingWith(substring);
    }

    // A tag source field: told, on the main thread, the whole list after new tags arrived.
    class TokenField {
    public:
        virtual ~TokenField() = default;
        virtual void updateWithTagList(const std::vector<std::string>& tags) = 0;
    };
    // Held weakly: a field that went away is simply no longer told.
    void registerTokenField(const std::shared_ptr<TokenField>& field);

    // For tests: forget every tag.
    void removeAllTags();

private:
    TagManager() = default;

    mutable std::mutex m_mutex;
    std::vector<std::string> m_allTags;
    std::unordered_set<std::string> m_known;
    std::vector<std::weak_ptr<TokenField>> m_allTagSourceTokenFields;
};

// Orders as a person reading the list expects: letter case and, as far as the locale says,
// accents do not separate neighbours.
bool localizedCaseInsensitiveLess(const std::string& a, const std::string& b);

}
