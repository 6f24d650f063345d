#pragma once

#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Timer.h"
#include "platform/desktop/UrlScheme.h"

#include <cctype>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::test {

// The running copy's side of the link hand-over, for messages from later launches: it
// claims the scheme in $XDG_RUNTIME_DIR, which must be private and not claimed yet, and
// counts the lines logged while it lives.
class LinkHandOverProbe {
public:
    static constexpr std::string_view kScheme = "ostrel2things";

    LinkHandOverProbe()
    {
        m_previousSink = base::setDiagnosticSink([this](std::string_view) { ++m_lines; });
        listen();
    }
    ~LinkHandOverProbe()
    {
        m_listener.reset();
        base::setDiagnosticSink(m_previousSink);
    }
    LinkHandOverProbe(const LinkHandOverProbe&) = delete;
    LinkHandOverProbe& operator=(const LinkHandOverProbe&) = delete;

    bool listening() const { return m_listener != nullptr; }

    void listen()
    {
        m_listener.reset();
        m_listener = desktop::UrlScheme::claim(std::string(kScheme)).listener;
        if (m_listener) {
            m_listener->on_url = [this](const std::string& url) { m_received.push_back(url); };
            m_listener->on_bring_to_front = [this] { ++m_frontRequests; };
        }
    }

    // Any bytes handed over by another launch: exactly a clean link of our scheme reaches the
    // program, unchanged; the words a launch without a link sends bring the program to the
    // front; anything else is dropped with a logged line. Answers what went wrong, if anything.
    std::optional<std::string> problem(std::string_view message)
    {
        // A running copy says a kind of trouble once and then counts it: a fresh one for each
        // message says every drop.
        listen();
        if (!m_listener)
            return "the scheme could not be claimed again";
        m_received.clear();
        std::size_t frontRequestsBefore = m_frontRequests;
        if (!desktop::UrlScheme::sendToRunningCopy(message))
            return "the message could not be handed over";
        std::size_t linesBefore = m_lines;
        bool timedOut = false;
        auto deadline = base::Timer::create(10, false, base::RunLoop::Mode::Common, [&](base::Timer&) { timedOut = true; });
        base::RunLoop::main().runUntil([&] {
            return !m_received.empty() || m_lines > linesBefore || m_frontRequests > frontRequestsBefore || timedOut;
        });
        deadline->invalidate();
        if (timedOut)
            return "a hand-over was never answered";
        bool askedForFront = m_frontRequests > frontRequestsBefore;
        if (askedForFront != (message == desktop::UrlScheme::kBringToFrontRequest))
            return askedForFront ? "a message other than the front request brought the program to the front"
                                 : "the front request did not bring the program to the front";
        if (askedForFront)
            return m_received.empty() ? std::nullopt : std::optional<std::string>("the front request arrived as a link");
        if (isCleanLink(message)) {
            if (m_received.size() != 1 || m_received[0] != message)
                return "a clean link did not arrive as it was sent";
        } else if (!m_received.empty()) {
            return "a message that is no clean link reached the program";
        }
        return std::nullopt;
    }

    // What the program may take for a link, worked out on its own: our scheme and a colon
    // in any letter case, at most the hand-over's limit, well-formed UTF-8 and no control
    // character (C0, DEL, C1).
    static bool isCleanLink(std::string_view text)
    {
        if (text.size() > desktop::UrlScheme::kMaxLength || text.size() <= kScheme.size() || text[kScheme.size()] != ':')
            return false;
        for (std::size_t i = 0; i < kScheme.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(text[i])) != kScheme[i])
                return false;
        }
        for (std::size_t i = 0; i < text.size();) {
            auto byte = static_cast<unsigned char>(text[i]);
            int length = byte < 0x80 ? 1 : (byte >> 5) == 6 ? 2 : (byte >> 4) == 14 ? 3 : (byte >> 3) == 30 ? 4 : 0;
            if (length == 0 || i + std::size_t(length) > text.size())
                return false;
            char32_t code = length == 1 ? byte : byte & (0x7F >> length);
            for (int k = 1; k < length; ++k) {
                auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
                if ((next >> 6) != 2)
                    return false;
                code = (code << 6) | (next & 0x3F);
            }
            static constexpr char32_t kSmallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
            if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return false;
            if (code < 0x20 || (code >= 0x7F && code <= 0x9F))
                return false;
            i += std::size_t(length);
        }
        return true;
    }

private:
    std::unique_ptr<desktop::UrlScheme> m_listener;
    base::DiagnosticSink m_previousSink;
    std::size_t m_lines { 0 };
    std::size_t m_frontRequests { 0 };
    std::vector<std::string> m_received;
};

}
