#pragma once

#include "platform/text/AttributedString.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ui {

namespace PasteboardType {
constexpr const char* String = "public.utf8-plain-text";
constexpr const char* Rtf = "public.rtf";
constexpr const char* Rtfd = "com.apple.flat-rtfd";
// One file path per line.
constexpr const char* FileList = "public.file-url";
}

// Data by type, within the program: strings, RTF, RTFD and named private types. Plain text
// also goes to the desktop's clipboard, and text another program put there is what the
// general pasteboard answers for strings until the program writes again.
class Pasteboard {
public:
    // Where plain text meets the desktop's clipboard (the window backend's).
    struct SystemClipboard {
        std::function<void(const std::string&)> setText;
        std::function<std::optional<std::string>()> text;
    };

    // The copy-and-paste pasteboard.
    static Pasteboard& general();
    // A new, empty pasteboard (a drop's, for instance).
    Pasteboard() = default;

    // Empties the pasteboard; returns the new change count.
    int clearContents();
    int changeCount() const { return m_changeCount; }
    void setData(const std::string& type, std::string bytes);
    void setString(const std::string& text, const std::string& type = PasteboardType::String);
    void setFiles(const std::vector<std::filesystem::path>& files);
    std::optional<std::string> data(const std::string& type) const;
    std::optional<std::string> string(const std::string& type = PasteboardType::String) const;
    std::vector<std::filesystem::path> files() const;
    std::vector<std::string> types() const;
    // Rich text, as text views copy it: RTFD, RTF and its plain text.
    void setRichText(const text::AttributedString& text);
    // The richest text held (RTFD, else RTF); none when neither is there or reads.
    std::optional<text::AttributedString> richText() const;
    // The first of the types asked for that the pasteboard holds.
    std::optional<std::string> availableType(const std::vector<std::string>& types) const;

    void setSystemClipboard(SystemClipboard clipboard) { m_system = std::move(clipboard); }

private:
    // Takes in text another program put on the desktop's clipboard since we last wrote.
    void followSystemClipboard() const;

    std::map<std::string, std::string> m_items;
    std::vector<std::string> m_order;
    int m_changeCount { 0 };
    SystemClipboard m_system;
    std::optional<std::string> m_lastSystemText;
};

}
