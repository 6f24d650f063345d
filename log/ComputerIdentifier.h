#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// The name this computer gives its daily log files, so that computers sharing one log
// folder never write into each other's files.
class ComputerIdentifier {
public:
    using HardwareAddress = std::array<std::uint8_t, 6>;

    // The identifier of the first physical network interface (one with a device, by name
    // order) under `interfaces`, or "default" when there is none. Computed afresh each time.
    static std::string current(const std::filesystem::path& interfaces = "/sys/class/net");

    // Each byte in lower-case hexadecimal without zero padding, joined without separators:
    // 00 1e c2 0a 3f 05 gives "01ec2a3f5".
    static std::string fromHardwareAddress(const HardwareAddress& address);

    // "02:fc:00:00:00:01" as the kernel prints it; none unless six hexadecimal bytes.
    static std::optional<HardwareAddress> parseHardwareAddress(std::string_view text);
};

}
