#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ui {

// Decides, keystroke by keystroke, which texts a field may hold.
class TextFormatter {
public:
    virtual ~TextFormatter() = default;
    virtual bool isPartialStringValid(const std::string& text) const = 0;
};

// Whole numbers, optionally bounded. While typing, the empty text passes, and a sign followed
// by digits passes while not above the maximum; the minimum is the caller's to apply when
// the value is taken (so that a number below it can still be typed digit by digit).
class IntegerFormatter : public TextFormatter {
public:
    std::optional<std::int64_t> minimum() const { return m_minimum; }
    void setMinimum(std::optional<std::int64_t> minimum) { m_minimum = minimum; }
    std::optional<std::int64_t> maximum() const { return m_maximum; }
    void setMaximum(std::optional<std::int64_t> maximum) { m_maximum = maximum; }

    bool isPartialStringValid(const std::string& text) const override;
    // The text as a number: none for anything but an optional sign and digits that fit.
    static std::optional<std::int64_t> parse(const std::string& text);

private:
    std::optional<std::int64_t> m_minimum { 0 };
    std::optional<std::int64_t> m_maximum;
};

}
