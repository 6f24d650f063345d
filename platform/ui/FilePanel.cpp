#include "platform/ui/FilePanel.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/KeyCodes.h"
#include "platform/base/RunLoop.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/PanelView.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace ui {

namespace {

constexpr double kWidth = 520;
constexpr double kRow = 20;

FilePanel::Responder& responder()
{
    static FilePanel::Responder installed;
    return installed;
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

fs::path home()
{
    const char* value = std::getenv("HOME");
    return value && *value ? fs::path(value) : fs::path("/");
}

}

// The rows of a folder: a click selects (Shift or Command adds), a double click opens.
class FileListView : public View {
public:
    static std::shared_ptr<FileListView> create(FilePanel& panel) { return std::shared_ptr<FileListView>(new FileListView(panel)); }
    bool isFlipped() const override { return true; }
    bool acceptsFirstResponder() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect&) override
    {
        context.setFillColor(ControlLook::kField);
        context.fillRect(bounds());
        const auto& listing = m_panel.listing();
        const auto& selection = m_panel.selection();
        for (std::size_t i = 0; i < listing.size(); ++i) {
            Rect row(0, i * kRow, bounds().width(), kRow);
            bool selected = std::find(selection.begin(), selection.end(), i) != selection.end();
            if (selected) {
                context.setFillColor(ControlLook::kAccent);
                context.fillRect(row);
            }
            gfx::Color color = listing[i].selectable || listing[i].isDirectory ? ControlLook::kText : ControlLook::kSecondaryText;
            if (listing[i].isDirectory) {
                context.setFillColor(selected ? gfx::colors::white : gfx::Color::rgb(0.45, 0.65, 0.95));
                gfx::Path::roundedRect(Rect(8, row.minY() + 5, 14, 10), 2, 2).fill();
            } else {
                context.setStrokeColor(color);
                auto page = gfx::Path::rect(Rect(10.5, row.minY() + 3.5, 10, 13));
                page.stroke();
            }
            ControlLook::drawLabel(listing[i].path.filename().string(), Rect(30, row.minY(), row.width() - 36, kRow),
                gfx::Font::system(12), selected ? gfx::colors::white : color, gfx::TextAlignment::left);
        }
    }
    void mouseDown(const Event& event) override
    {
        Point p = convertPointFrom(event.locationInWindow(), nullptr);
        if (p.y < 0)
            return;
        auto index = static_cast<std::size_t>(p.y / kRow);
        if (index >= m_panel.listing().size())
            return;
        if (event.clickCount() >= 2)
            m_panel.open(index);
        else
            m_panel.select(index, event.modifierFlags() & (ModifierFlag::Shift | ModifierFlag::Command));
    }
    // The arrows move the selection, scrolled into sight; Return opens the selected row.
    void keyDown(const Event& event) override
    {
        auto key = static_cast<base::KeyCode>(event.keyCode());
        const auto& listing = m_panel.listing();
        const auto& selection = m_panel.selection();
        if ((key == base::KeyCode::DownArrow || key == base::KeyCode::UpArrow) && !listing.empty()) {
            std::size_t index = 0;
            if (!selection.empty())
                index = key == base::KeyCode::DownArrow ? std::min(selection.back() + 1, listing.size() - 1) : (selection.back() ? selection.back() - 1 : 0);
            else if (key == base::KeyCode::UpArrow)
                index = listing.size() - 1;
            m_panel.select(index);
            ScrollView::scrollRectToVisible(*this, Rect(0, static_cast<double>(index) * kRow, bounds().width(), kRow));
            return;
        }
        if ((key == base::KeyCode::Return || key == base::KeyCode::KeypadEnter) && !selection.empty()) {
            // Opening a folder lists it anew and confirming closes the panel: held until done.
            auto keep = shared_from_this();
            m_panel.open(selection.back());
            return;
        }
        View::keyDown(event);
    }

private:
    explicit FileListView(FilePanel& panel)
        : View({})
        , m_panel(panel)
    {
    }
    FilePanel& m_panel;
};

std::shared_ptr<FilePanel> FilePanel::openPanel() { return std::shared_ptr<FilePanel>(new FilePanel(Kind::Open)); }

std::shared_ptr<FilePanel> FilePanel::savePanel()
{
    auto panel = std::shared_ptr<FilePanel>(new FilePanel(Kind::Save));
    panel->m_canCreateDirectories = true;
    return panel;
}

FilePanel::FilePanel(Kind kind)
    : m_kind(kind)
    , m_prompt(kind == Kind::Open ? "Open" : "Save")
    , m_directory(home())
{
}

FilePanel::~FilePanel()
{
    if (m_window)
        m_window->close();
}

void FilePanel::setResponder(Responder answer) { responder() = std::move(answer); }

void FilePanel::setDirectory(fs::path directory)
{
    std::error_code error;
    // A folder that is gone falls back to the nearest one that is there.
    while (!directory.empty() && !fs::is_directory(directory, error) && directory != directory.parent_path())
        directory = directory.parent_path();
    m_directory = directory.empty() ? home() : directory;
    m_selection.clear();
    reload();
}

void FilePanel::setNameFieldStringValue(std::string name)
{
    m_name = std::move(name);
    if (m_nameField)
        m_nameField->setStringValue(m_name);
}

bool FilePanel::isPackage(const fs::path& path) const
{
    if (m_packagesAsFolders)
        return false;
    std::string extension = lowered(path.extension().string());
    return extension == ".app" || extension == ".rtfd" || extension == ".bundle"
        || (!extension.empty() && std::find(m_allowedTypes.begin(), m_allowedTypes.end(), extension.substr(1)) != m_allowedTypes.end());
}

bool FilePanel::typeAllowed(const fs::path& path) const
{
    if (m_allowedTypes.empty())
        return true;
    std::string extension = lowered(path.extension().string());
    for (const auto& type : m_allowedTypes)
        if (extension == "." + lowered(type))
            return true;
    return false;
}

void FilePanel::setStatus(std::string status)
{
    m_status = std::move(status);
    if (m_statusLabel)
        m_statusLabel->setStringValue(m_status);
}

void FilePanel::reload()
{
    m_listing.clear();
    std::error_code error;
    fs::directory_iterator it(m_directory, fs::directory_options::skip_permission_denied, error);
    if (error) {
        setStatus("The folder “" + m_directory.filename().string() + "” cannot be read.");
    } else {
        setStatus({});
        for (; it != fs::directory_iterator(); it.increment(error)) {
            if (error)
                break;
            const fs::path& path = it->path();
            std::string name = path.filename().string();
            // Hidden names, our own temporary files among them, are nobody's to choose.
            if (name.empty() || name[0] == '.')
                continue;
            std::error_code typeError;
            bool folder = it->is_directory(typeError) && !isPackage(path);
            Entry entry { path, folder, true };
            if (folder)
                entry.selectable = m_kind == Kind::Open && m_canChooseDirectories;
            else
                entry.selectable = m_kind == Kind::Open ? m_canChooseFiles && typeAllowed(path) : false;
            m_listing.push_back(std::move(entry));
        }
    }
    std::sort(m_listing.begin(), m_listing.end(), [](const Entry& a, const Entry& b) {
        if (a.isDirectory != b.isDirectory)
            return a.isDirectory;
        return lowered(a.path.filename().string()) < lowered(b.path.filename().string());
    });
    m_selection.clear();
    syncViews();
}

void FilePanel::select(std::size_t index, bool extend)
{
    if (index >= m_listing.size())
        return;
    if (m_kind == Kind::Save && !m_listing[index].isDirectory)
        setNameFieldStringValue(m_listing[index].path.filename().string());
    auto found = std::find(m_selection.begin(), m_selection.end(), index);
    if (extend && m_multiple) {
        if (found != m_selection.end())
            m_selection.erase(found);
        else
            m_selection.push_back(index);
    } else {
        m_selection = { index };
    }
    syncViews();
}

void FilePanel::open(std::size_t index)
{
    if (index >= m_listing.size())
        return;
    if (m_listing[index].isDirectory) {
        setDirectory(m_listing[index].path);
        return;
    }
    m_selection = { index };
    confirm();
}

void FilePanel::goUp()
{
    if (m_directory.has_parent_path() && m_directory != m_directory.parent_path())
        setDirectory(m_directory.parent_path());
}

bool FilePanel::createFolder()
{
    if (!m_canCreateDirectories)
        return false;
    std::error_code error;
    fs::path folder = m_directory / "untitled folder";
    for (int n = 2; fs::exists(folder, error) && n < 1000; ++n)
        folder = m_directory / ("untitled folder " + std::to_string(n));
    if (!fs::create_directory(folder, error) || error) {
        setStatus("The folder could not be made here: " + error.message() + ".");
        return false;
    }
    setDirectory(folder);
    return true;
}

bool FilePanel::confirm()
{
    m_urls.clear();
    if (m_kind == Kind::Save) {
        std::string name = m_nameField ? m_nameField->stringValue() : m_name;
        if (name.empty() || name == "." || name == "..") {
            setStatus("Please enter a name.");
            return false;
        }
        if (name.find('/') != std::string::npos || name[0] == '.') {
            setStatus("A name cannot contain “/” or begin with “.”.");
            return false;
        }
        fs::path path = m_directory / name;
        if (!m_allowedTypes.empty() && !typeAllowed(path) && !(m_allowsOtherTypes && path.has_extension()))
            path += "." + m_allowedTypes.front();
        std::error_code error;
        if (fs::is_directory(path, error)) {
            setStatus("“" + path.filename().string() + "” is a folder.");
            return false;
        }
        if (fs::exists(path, error)) {
            // Replacing a file loses what is in it: the user says so first.
            base::AlertRequest request;
            request.message = "“" + path.filename().string() + "” already exists. Do you want to replace it?";
            request.informativeText = "A file with the same name already exists. Replacing it will overwrite its current contents.";
            request.buttons = { "Cancel", "Replace" };
            request.escapeButton = 0;
            if (base::AlertPresenter::present(request).button != 1)
                return false;
        }
        m_name = path.filename().string();
        m_urls.push_back(path);
    } else {
        for (std::size_t index : m_selection)
            if (index < m_listing.size() && m_listing[index].selectable)
                m_urls.push_back(m_listing[index].path);
        if (m_urls.empty() && m_canChooseDirectories && m_selection.empty())
            m_urls.push_back(m_directory);
        if (m_urls.empty()) {
            setStatus("Please choose an item.");
            return false;
        }
    }
    m_response = Response::OK;
    return true;
}

void FilePanel::cancel()
{
    m_urls.clear();
    m_response = Response::Cancel;
}

void FilePanel::syncViews()
{
    if (m_pathLabel)
        m_pathLabel->setStringValue(m_directory.string());
    if (m_list) {
        m_list->setFrameSize(Size(m_list->frame().width(), std::max(240.0, m_listing.size() * kRow)));
        m_list->setNeedsDisplay();
    }
}

void FilePanel::build()
{
    auto content = PanelView::create();
    double y = 14;
    if (!m_message.empty()) {
        auto message = TextField::createLabel(m_message);
        message->setFrame(Rect(16, y, kWidth - 32, 18));
        content->addSubview(message);
        y += 26;
    }
    auto up = Button::create("\u2191");
    up->setBezelStyle(BezelStyle::Square);
    up->setFrame(Rect(16, y, 28, 22));
    up->onAction = [this] { goUp(); };
    content->addSubview(up);
    m_pathLabel = TextField::createLabel(m_directory.string());
    m_pathLabel->setFrame(Rect(52, y + 2, kWidth - 68, 18));
    content->addSubview(m_pathLabel);
    y += 30;

    auto scroll = ScrollView::create();
    scroll->setHasVerticalScroller(true);
    // Listings read from the top.
    scroll->setContentView(ClipView::create(true));
    scroll->setFrame(Rect(16, y, kWidth - 32, 240));
    m_list = FileListView::create(*this);
    m_list->setFrame(Rect(0, 0, kWidth - 32 - 10, 240));
    scroll->setDocumentView(m_list);
    content->addSubview(scroll);
    y += 248;
    m_statusLabel = TextField::createLabel(m_status);
    m_statusLabel->setFont(gfx::Font::system(gfx::Font::smallSystemFontSize));
    m_statusLabel->setTextColor(gfx::Color::rgb(0.95, 0.6, 0.5));
    m_statusLabel->setFrame(Rect(16, y, kWidth - 32, 16));
    content->addSubview(m_statusLabel);
    y += 22;

    if (m_kind == Kind::Save) {
        auto label = TextField::createLabel("Save As:");
        label->setFrame(Rect(16, y + 3, 70, 18));
        content->addSubview(label);
        m_nameField = TextField::create(m_name);
        m_nameField->setFrame(Rect(90, y, kWidth - 106, 24));
        m_nameField->onTextChange = [this] { m_name = m_nameField->stringValue(); };
        m_nameField->onAction = [this] { confirm(); };
        content->addSubview(m_nameField);
        y += 34;
    }
    auto ok = Button::create(m_prompt);
    ok->setKeyEquivalent("\r");
    ok->setFrame(Rect(kWidth - 16 - 90, y, 90, 24));
    ok->onAction = [this] { confirm(); };
    content->addSubview(ok);
    auto cancelButton = Button::create("Cancel");
    cancelButton->setKeyEquivalent("\x1b");
    cancelButton->setFrame(Rect(kWidth - 16 - 190, y, 90, 24));
    cancelButton->onAction = [this] { cancel(); };
    content->addSubview(cancelButton);
    if (m_canCreateDirectories) {
        auto newFolder = Button::create("New Folder");
        newFolder->setFrame(Rect(16, y, 100, 24));
        newFolder->onAction = [this] { createFolder(); };
        content->addSubview(newFolder);
    }
    y += 24 + 16;
    content->setFrame(Rect(0, 0, kWidth, y));

    Rect visible = Screen::main() ? Screen::main()->visibleFrame : Rect(0, 0, 1024, 768);
    m_window = Window::create(Rect(visible.midX() - kWidth / 2, visible.midY() - y / 2, kWidth, y), WindowStyle::Titled);
    m_window->setTitle(m_title.empty() ? m_prompt : m_title);
    m_window->setLevel(WindowLevel::Floating);
    m_window->setContentView(content);
    if (m_nameField)
        m_window->setInitialFirstResponder(m_nameField.get());
}

FilePanel::Response FilePanel::runModal()
{
    m_response.reset();
    m_urls.clear();
    auto* app = Application::shared();
    if (!app || (app->backend().name() == "offscreen" && !responder())) {
        base::diagnostic("file panel: " + (m_title.empty() ? m_prompt : m_title) + " | cancelled (no display)");
        return Response::Cancel;
    }
    setDirectory(m_directory);
    if (!m_window)
        build();
    syncViews();
    Window* previousKey = Application::shared() ? Application::shared()->keyWindow() : nullptr;
    std::weak_ptr<Window> previous = previousKey ? previousKey->weak_from_this() : std::weak_ptr<Window> {};
    m_window->makeKeyAndOrderFront();
    if (m_nameField)
        m_window->makeFirstResponder(m_nameField.get());
    if (auto answer = responder())
        base::RunLoop::main().post([this, answer] {
            if (auto response = answer(*this)) {
                // A refused answer ends the panel too: nobody else is there to answer it.
                if (*response == Response::Cancel || !confirm())
                    cancel();
            }
        });
    base::RunLoop::main().runModal([this] { return m_response.has_value(); });
    m_window->orderOut();
    if (auto window = previous.lock(); window && window->isVisible())
        window->makeKeyWindow();
    // The program quitting (a stop signal, Quit from elsewhere) ends the panel unanswered.
    return m_response.value_or(Response::Cancel);
}

}
