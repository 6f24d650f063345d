#include "platform/base/Diagnostics.h"
#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes, read as RTF and as package data: nothing may crash, hang or grow without bound,
// and whatever is read must write and read back.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool quiet = (base::setDiagnosticSink([](std::string_view) {}), true);
    (void)quiet;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (auto document = text::Rtf::read(bytes)) {
        auto again = text::Rtf::read(text::Rtf::write(document->text, document->attributes, text::Rtf::Attachments::asFileReferences));
        if (!again || !(again->text == document->text) || !(again->attributes == document->attributes))
            __builtin_trap();
    }
    (void)text::Rtfd::fromData(bytes);
    return 0;
}
