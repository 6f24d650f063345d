#pragma once

#include "platform/text/Document.h"

#include <optional>
#include <string>
#include <string_view>

namespace text {

// Rich Text Format, as this program and other word processors sharing the log folder write
// it. Reading is forgiving: unknown words are skipped, a damaged or truncated file gives the
// text that could be read (with a diagnostic line), and only data that is not RTF at all
// gives none. A list item's label that another program wrote becomes the item's marker as the
// pads keep it (tab, marker, tab). Writing is deterministic and reads back to the same
// attributed string, and says lists, breaks and the formatting of complex scripts as other
// word processors read them: every label only where they draw their own in its place.
class Rtf {
public:
    // Plain RTF carries no files, so attachments are left out of it; a package's TXT.rtf
    // names each attachment's file in its place.
    enum class Attachments { omitted, asFileReferences };

    static std::optional<Document> read(std::string_view data);
    static std::string write(const AttributedString& text, const DocumentAttributes& attributes = {},
        Attachments attachments = Attachments::omitted);

    // Limits that keep hostile input from costing more than its own size.
    static constexpr size_t maximumGroupDepth = 200;
    static constexpr size_t maximumTableEntries = 4096;
    static constexpr size_t maximumFormattingBytes = size_t(16) << 20;
    static constexpr size_t formattingBytesPerByte = 16;
};

}
