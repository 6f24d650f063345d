#pragma once

#include "log/FullTimeSlice.h"
#include "log/RawDataSet.h"
#include "platform/text/AttributedString.h"

#include <memory>
#include <string>
#include <cstdint>
#include <vector>

namespace ostrel {

// Every record of the log folder with objectives and identifiers, newest first, indexed by
// identifier: the set the log book, the statistics and the export read.
class FullDataSet : public RawDataSet {
public:
    void loadFromFolder(const std::string& folder, const std::string& root) override;

    Records loadRTFDFile(const std::string& path) override;
    // Older plain-text files become rich text in these attributes (the pads' default font
    // and colour). Set on the main thread before loading: the settings are not read from
    // the loading threads.
    void setPlainTextAttributes(text::Attributes attributes) { m_plainTextAttributes = std::move(attributes); }
    Records loadPlainTextFile(const std::string& path) override;
    Records createTimeSlicesFromData(const text::AttributedString& content) const;
    bool readsFullRecords() const override { return true; }

    std::vector<std::shared_ptr<FullTimeSlice>> fullTimeSlices() const;
    void sortNewestFirst();
    // Where identifiers repeat, the map keeps the last of them in list order.
    void generateUUIDMap();
    std::shared_ptr<FullTimeSlice> fullTimeSliceFor(const std::string& uuid) const;
    // Drops every record with exactly this identifier.
    void deleteWithUUID(const std::string& uuid);

private:
    text::Attributes m_plainTextAttributes;
    // Identifier to record, open-addressed: position + 1 of each identifier's record in the
    // list; 0 for a free slot.
    std::vector<uint32_t> m_uuidToFullTimeSliceMap;
};

}
