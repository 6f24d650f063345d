#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace desktop {

// A short message the desktop shows outside our windows.
struct Banner {
    std::string title;
    std::string body;
    // A sound of the freedesktop sound-naming list ("message-new-instant"), or none.
    std::string soundName;
    // Stays until closed, rather than for the desktop's usual few seconds.
    bool sticky { false };
    // The label of one button on it, or none. Pressing it only dismisses the banner.
    std::string button;
    bool operator==(const Banner&) const = default;
};

// The desktop's notification banners. Showing never blocks and never fails loudly: without
// a notification server the request is logged and the program carries on.
class Banners {
public:
    using Id = std::uint64_t;

    // freedesktop notifications on the session bus, talked to from a serial queue of their own.
    static std::unique_ptr<Banners> create();

    virtual ~Banners() = default;

    // A number for close(); 0 when the banner certainly cannot be shown (no session bus).
    virtual Id show(const Banner& banner) = 0;
    virtual void close(Id id) = 0;
    // Every banner of ours that may still be shown.
    virtual void closeAll() = 0;
};

// For tests of the code that shows banners: records every request.
class RecordingBanners final : public Banners {
public:
    Id show(const Banner& banner) override;
    void close(Id id) override { m_open.erase(id); }
    void closeAll() override { m_open.clear(); }

    const std::vector<Banner>& shown() const { return m_shown; }
    // The banners not closed yet, by id.
    const std::set<Id>& open() const { return m_open; }

private:
    std::vector<Banner> m_shown;
    std::set<Id> m_open;
};

}
