#pragma once

#include "core/ValueTransformers.h"

#include <set>
#include <string>

namespace ostrel {

// The preferences window's transformers, registered by name at start-up for its bindings.

// A stored row number to and from a table's selection. An index set travels as an array of
// integers. A number is read as a 32-bit integer; a negative one (a damaged setting) selects
// nothing rather than a row that cannot exist.
class IntToIndexSetTransformer : public ValueTransformer {
public:
    std::string name() const override { return "IntToIndexSetTransformer"; }
    // A number to the set of that one index; nothing for anything else.
    base::Value transformedValue(const base::Value& value) const override;
    // The set's first (smallest) index as a number; nothing for an empty set or anything else.
    base::Value reverseTransformedValue(const base::Value& value) const override;

    static base::Value indexSetValue(const std::set<int>& indexes);
    // The non-negative 32-bit integers of an index-set value; anything else reads as empty.
    static std::set<int> indexSet(const base::Value& value);
};

// Plain stored text to and from the rich text a text view edits. Rich text travels as the
// package data the text system reads and writes.
class AttributedStringTransformer : public ValueTransformer {
public:
    std::string name() const override { return "AttributedStringTransformer"; }
    // Text to rich text of that text without attributes; nothing for anything else.
    base::Value transformedValue(const base::Value& value) const override;
    // Rich text to its plain text; nothing for anything else or data that does not read.
    base::Value reverseTransformedValue(const base::Value& value) const override;
};

// An application's path to the name a list shows: the last component without its extension
// ("/usr/share/applications/firefox-esr.desktop" gives "firefox-esr"). One way only.
class PathToAppNameTransformer : public ValueTransformer {
public:
    std::string name() const override { return "PathToAppNameTransformer"; }
    base::Value transformedValue(const base::Value& value) const override;
    // Not reversible: gives nothing.
    base::Value reverseTransformedValue(const base::Value& value) const override;

    static std::string appName(const std::string& path);
};

// Registers the three under their names.
void registerPreferencesValueTransformers();

}
