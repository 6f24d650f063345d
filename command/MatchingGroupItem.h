#pragma once

#include "command/MatchingItem.h"

#include <memory>

namespace ostrel {

// A group header; selecting it enters the group rather than running anything.
class MatchingGroupItem final : public MatchingItem {
public:
    static std::shared_ptr<MatchingGroupItem> create(std::string name, std::vector<std::string> path = {});

    std::string byLineString() const override;
    void execute() override { }
    bool dismissBeforeExecution() const override { return true; }

    // The title followed by ">" and each path element: "Sidebar>Tools".
    static std::string proposedIdentifierFor(const std::string& preciseMatchingString,
        const std::vector<std::string>& expandedMatchingStrings);

private:
    MatchingGroupItem(std::string name, std::vector<std::string> path);
};

}
