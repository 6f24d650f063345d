#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Button;
class TextField;
class View;
class Window;
class FileListView;

// Our own open and save panels: a folder's listing (folders first, hidden names left out),
// a way up, a name field for saving, a new-folder button, and the confirm and cancel
// buttons. runModal() works like an alert's: a nested run that answers OK or Cancel.
class FilePanel {
public:
    enum class Response { OK, Cancel };
    enum class Kind { Open, Save };
    // Answers a panel in place of the user once it shows (tests), or none to leave it up.
    using Responder = std::function<std::optional<Response>(FilePanel&)>;

    struct Entry {
        std::filesystem::path path;
        bool isDirectory { false };
        // Whether the entry may be chosen (its type allowed; folders where folders may be).
        bool selectable { true };
    };

    static std::shared_ptr<FilePanel> openPanel();
    static std::shared_ptr<FilePanel> savePanel();
    ~FilePanel();
    FilePanel(const FilePanel&) = delete;
    FilePanel& operator=(const FilePanel&) = delete;

    Kind kind() const { return m_kind; }
    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    const std::string& message() const { return m_message; }
    void setMessage(std::string message) { m_message = std::move(message); }
    const std::string& prompt() const { return m_prompt; }
    void setPrompt(std::string prompt) { m_prompt = std::move(prompt); }

    const std::filesystem::path& directory() const { return m_directory; }
    void setDirectory(std::filesystem::path directory);
    const std::string& nameFieldStringValue() const { return m_name; }
    void setNameFieldStringValue(std::string name);
    // Extensions without the dot ("csv"); empty allows everything.
    const std::vector<std::string>& allowedFileTypes() const { return m_allowedTypes; }
    void setAllowedFileTypes(std::vector<std::string> types) { m_allowedTypes = std::move(types); }
    bool allowsOtherFileTypes() const { return m_allowsOtherTypes; }
    void setAllowsOtherFileTypes(bool allows) { m_allowsOtherTypes = allows; }
    bool canCreateDirectories() const { return m_canCreateDirectories; }
    void setCanCreateDirectories(bool can) { m_canCreateDirectories = can; }
    bool canChooseFiles() const { return m_canChooseFiles; }
    void setCanChooseFiles(bool can) { m_canChooseFiles = can; }
    bool canChooseDirectories() const { return m_canChooseDirectories; }
    void setCanChooseDirectories(bool can) { m_canChooseDirectories = can; }
    bool allowsMultipleSelection() const { return m_multiple; }
    void setAllowsMultipleSelection(bool allows) { m_multiple = allows; }
    // A package (a folder with an extension, as "x.app" or "x.rtfd") counts as one file.
    bool treatsFilePackagesAsDirectories() const { return m_packagesAsFolders; }
    void setTreatsFilePackagesAsDirectories(bool treats) { m_packagesAsFolders = treats; }

    Response runModal();
    // What was chosen: one path for a save panel, one or more for an open panel.
    std::optional<std::filesystem::path> url() const { return m_urls.empty() ? std::nullopt : std::optional(m_urls.front()); }
    const std::vector<std::filesystem::path>& urls() const { return m_urls; }

    // The listing and what the user does with it, as the panel's own views do.
    const std::vector<Entry>& listing() const { return m_listing; }
    const std::vector<std::size_t>& selection() const { return m_selection; }
    void select(std::size_t index, bool extend = false);
    // A folder opens; a file is chosen (as a double click does).
    void open(std::size_t index);
    void goUp();
    // Makes "untitled folder" (numbered when taken) and opens it; false with a message shown.
    bool createFolder();
    // OK: false (with a message shown) while nothing fit to choose is there.
    bool confirm();
    void cancel();
    // The line under the listing: why a choice was refused, or why a folder cannot be read.
    const std::string& statusText() const { return m_status; }
    Window* window() const { return m_window.get(); }

    static void setResponder(Responder responder);

private:
    explicit FilePanel(Kind kind);
    void reload();
    void build();
    void syncViews();
    bool isPackage(const std::filesystem::path& path) const;
    bool typeAllowed(const std::filesystem::path& path) const;
    void setStatus(std::string status);

    Kind m_kind;
    std::string m_title;
    std::string m_message;
    std::string m_prompt;
    std::filesystem::path m_directory;
    std::string m_name;
    std::vector<std::string> m_allowedTypes;
    bool m_allowsOtherTypes { false };
    bool m_canCreateDirectories { false };
    bool m_canChooseFiles { true };
    bool m_canChooseDirectories { false };
    bool m_multiple { false };
    bool m_packagesAsFolders { false };

    std::vector<Entry> m_listing;
    std::vector<std::size_t> m_selection;
    std::vector<std::filesystem::path> m_urls;
    std::string m_status;
    std::optional<Response> m_response;

    std::shared_ptr<Window> m_window;
    std::shared_ptr<TextField> m_pathLabel;
    std::shared_ptr<TextField> m_nameField;
    std::shared_ptr<TextField> m_statusLabel;
    std::shared_ptr<FileListView> m_list;
};

}
