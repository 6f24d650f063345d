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
    // The same list as a load from scratch, but the records of every file unchanged since
    // `previous` was loaded from the same folder are taken from it, in the order they have
    // there: one changed day costs that day, not the decade's sort.
    // `changedNames`, when given, are the names of the folder's entries its watch saw change
    // since `previous` was loaded: the folder is then not listed again, and only those files
    // and the ones that may change unseen (written lately, or to be read again) are looked at.
    void loadFromFolder(const std::string& folder, const std::string& root, const FullDataSet* previous,
        const std::vector<std::string>* changedNames = nullptr);

    Records loadRTFDFile(const std::string& path) override;
    // Older plain-text files become rich text in these attributes (the pads' default font
    // and colour). Set on the main thread before loading: the settings are not read from
    // the loading threads.
    void setPlainTextAttributes(text::Attributes attributes) { m_plainTextAttributes = std::move(attributes); }
    Records loadPlainTextFile(const std::string& path) override;
    Records createTimeSlicesFromData(const text::AttributedString& content) const;
    bool readsFullRecords() const override { return true; }
    // Forgets where the records came from: the next load from this set sorts them all.
    void setTimeSlices(Records timeSlices) override;

    std::vector<std::shared_ptr<FullTimeSlice>> fullTimeSlices() const;
    void sortNewestFirst();
    // Where identifiers repeat, the map keeps the last of them in list order.
    void generateUUIDMap();
    std::shared_ptr<FullTimeSlice> fullTimeSliceFor(const std::string& uuid) const;
    // Drops every record with exactly this identifier.
    void deleteWithUUID(const std::string& uuid);

private:
    // Each record's file, as an index into m_files; the order of the files breaks ties
    // between records that start at the same moment.
    struct Origins {
        std::string folder;
        std::string root;
        std::vector<std::shared_ptr<LogFile>> files;
        std::vector<std::uint64_t> generations;
        std::vector<std::uint32_t> fileOfRecord;
    };
    // Makes the list of every file's records, newest first, moving them out of `perFile`.
    void takeNewestFirst(std::vector<Records>& perFile);
    // The previous set's files, with the changed names come or gone, each marked to be looked
    // at or not.
    FolderFiles filesChangedSince(const FullDataSet& previous, const std::vector<std::string>& changedNames,
        std::vector<char>& lookAt) const;
    // False, changing nothing, where the previous set cannot lend its order.
    bool mergeWithUnchangedOf(const FullDataSet& previous, FolderFiles& read);

    text::Attributes m_plainTextAttributes;
    // Where the records came from; empty unless the list is a load's, untouched since.
    Origins m_origins;
    // Identifier to record, open-addressed: position + 1 of each identifier's record in the
    // list; 0 for a free slot.
    std::vector<uint32_t> m_uuidToFullTimeSliceMap;
    // Each record's identifier hashed, in list order.
    std::vector<std::uint64_t> m_uuidHashes;
};

}
