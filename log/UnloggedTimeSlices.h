#pragma once

#include "platform/text/AttributedString.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace base {
class Timer;
}

namespace ostrel {

// Rated slices the log could not take yet (its folder gone or replaced, its disk full or
// only read): each is kept in a file of its own in the program's data folder, written
// atomically and named by the entry's identifier, from before it goes to the log until the
// log holds it. A quit, a stop signal or a kill in between loses none. Kept slices are
// written to the day file of the day they were rated at the next Log, at the next start and,
// while any wait, every half minute in the background (which is how a folder coming back is
// noticed); the user is told of those written. The identifier makes each go in once: a day
// file that holds it already (the program stopped between writing it there and forgetting
// the kept file) only has the kept file forgotten.
//
// A kept file that cannot be read is left where it is, said once, and never written.
// Main thread only.
class UnloggedTimeSlices {
public:
    static constexpr double kRetryInterval = 30;

    struct Slice {
        std::string uuid;
        // When the log was first asked to take it: it goes into that day's file.
        double date { 0 };
        text::AttributedString entry;
    };

    static UnloggedTimeSlices& shared();

    // "Unlogged Time Slices" in the program's data folder.
    static std::filesystem::path folder();

    // Keeps the slice (replacing an earlier copy under its identifier). Where its file
    // cannot be written (the data folder's disk full as well), it is held in memory and its
    // file tried again with every retry and at the way out. False in that case.
    bool keep(const Slice& slice);
    // The slice is in the log, or the user dropped it: its file and copy go.
    void forget(const std::string& uuid);
    // Every kept slice, oldest first: those on disk and those held in memory.
    std::vector<Slice> kept() const;

    // The slice its rating screen still offers to log: that screen writes it, with what the
    // user rated last, so the writing of the others leaves it alone. None once it is left.
    void setHeldBack(std::optional<std::string> uuid);

    // Writes every kept slice but the held-back one to the log, oldest first, each once, and
    // tells the user of those written. Failures tell nobody: the slices stay for the next
    // try. Answers how many were written.
    std::size_t writeToLog();

    // The slices held in memory, tried on disk once more: at the way out.
    void keepOnDisk();

private:
    UnloggedTimeSlices() = default;
    std::filesystem::path fileOf(const std::string& uuid) const;
    void remove(const std::string& uuid);
    void dropHeld(const std::string& uuid);
    bool writeFile(const Slice& slice) const;
    std::vector<Slice> keptOnDisk() const;
    void tellWritten(const std::vector<Slice>& written) const;
    // Retries run while anything waits that the background may write or keep.
    void reviewRetries();

    std::vector<Slice> m_heldInMemory;
    std::optional<std::string> m_heldBack;
    mutable std::vector<std::string> m_unreadableTold;
    std::shared_ptr<base::Timer> m_retries;
};

}
