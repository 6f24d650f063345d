#include "log/ComputerIdentifier.h"

#include "platform/base/Files.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace ostrel {

std::string ComputerIdentifier::current(const std::filesystem::path& interfaces)
{
    auto names = base::files::list(interfaces);
    if (!names)
        return "default";
    std::sort(names->begin(), names->end());
    for (const auto& name : *names) {
        // Virtual interfaces (loopback, bridges, tunnels) have no device and may change from
        // boot to boot; only hardware keeps the file names stable.
        if (!base::files::exists(interfaces / name / "device"))
            continue;
        // "xx:xx:xx:xx:xx:xx\n"; anything longer is no hardware address.
        auto text = base::files::readBytes(interfaces / name / "address", 64);
        if (!text)
            continue;
        if (auto address = parseHardwareAddress(*text))
            return fromHardwareAddress(*address);
    }
    return "default";
}

std::string ComputerIdentifier::fromHardwareAddress(const HardwareAddress& address)
{
    std::string identifier;
    for (auto byte : address) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%x", unsigned(byte));
        identifier += digits;
    }
    return identifier;
}

std::optional<ComputerIdentifier::HardwareAddress> ComputerIdentifier::parseHardwareAddress(std::string_view text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    HardwareAddress address {};
    if (text.size() != 17)
        return std::nullopt;
    for (size_t i = 0; i < 6; ++i) {
        int high = digit(text[i * 3]);
        int low = digit(text[i * 3 + 1]);
        if (high < 0 || low < 0 || (i < 5 && text[i * 3 + 2] != ':'))
            return std::nullopt;
        address[i] = std::uint8_t(high * 16 + low);
    }
    return address;
}

}
