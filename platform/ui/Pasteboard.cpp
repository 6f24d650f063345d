#include "platform/ui/Pasteboard.h"

#include "platform/gfx/TextLayout.h"
#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"

#include <algorithm>
#include <sstream>

namespace ui {

Pasteboard& Pasteboard::general()
{
    static Pasteboard* pasteboard = new Pasteboard;
    return *pasteboard;
}

int Pasteboard::clearContents()
{
    m_items.clear();
    m_order.clear();
    return ++m_changeCount;
}

void Pasteboard::setData(const std::string& type, std::string bytes)
{
    if (!m_items.count(type))
        m_order.push_back(type);
    m_items[type] = std::move(bytes);
    if (type == PasteboardType::String && m_system.setText) {
        m_lastSystemText = m_items[type];
        m_system.setText(m_items[type]);
    }
}

void Pasteboard::setString(const std::string& text, const std::string& type)
{
    // Text is kept as valid UTF-8, whatever it came from.
    setData(type, gfx::displayableText(text) == text ? text : gfx::displayableText(text));
}

void Pasteboard::setFiles(const std::vector<std::filesystem::path>& files)
{
    std::string list;
    for (const auto& file : files)
        list += file.string() + "\n";
    setData(PasteboardType::FileList, list);
}

void Pasteboard::followSystemClipboard() const
{
    if (!m_system.text)
        return;
    auto text = m_system.text();
    if (!text || text->empty() || text == m_lastSystemText)
        return;
    // Another program copied since we last wrote: its text is the clipboard now.
    auto& self = const_cast<Pasteboard&>(*this);
    self.m_items.clear();
    self.m_order = { PasteboardType::String };
    self.m_items[PasteboardType::String] = gfx::displayableText(*text);
    self.m_lastSystemText = text;
    ++self.m_changeCount;
}

std::optional<std::string> Pasteboard::data(const std::string& type) const
{
    followSystemClipboard();
    auto it = m_items.find(type);
    if (it == m_items.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> Pasteboard::string(const std::string& type) const { return data(type); }

std::vector<std::filesystem::path> Pasteboard::files() const
{
    std::vector<std::filesystem::path> out;
    auto list = data(PasteboardType::FileList);
    if (!list)
        return out;
    std::istringstream lines(*list);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty())
            out.emplace_back(line);
    return out;
}

std::vector<std::string> Pasteboard::types() const
{
    followSystemClipboard();
    return m_order;
}

std::optional<std::string> Pasteboard::availableType(const std::vector<std::string>& types) const
{
    followSystemClipboard();
    for (const auto& type : types)
        if (m_items.count(type))
            return type;
    return std::nullopt;
}

void Pasteboard::setRichText(const text::AttributedString& text)
{
    clearContents();
    setData(PasteboardType::Rtfd, text::Rtfd::data(text));
    setData(PasteboardType::Rtf, text::Rtf::write(text));
    setString(text.utf8());
}

std::optional<text::AttributedString> Pasteboard::richText() const
{
    std::optional<text::Document> document;
    // Data from the pasteboard is checked by its reader: what does not read is skipped.
    if (auto rtfd = data(PasteboardType::Rtfd))
        document = text::Rtfd::fromData(*rtfd);
    if (!document)
        if (auto rtf = data(PasteboardType::Rtf))
            document = text::Rtf::read(*rtf);
    if (!document)
        return std::nullopt;
    return std::move(document->text);
}

}
