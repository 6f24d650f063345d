#include "platform/base/Base64.h"

namespace base {

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}
}

std::string encodeBase64(const std::vector<std::uint8_t>& bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t chunk = std::uint32_t(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            chunk |= std::uint32_t(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            chunk |= bytes[i + 2];
        out += kAlphabet[(chunk >> 18) & 63];
        out += kAlphabet[(chunk >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(chunk >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kAlphabet[chunk & 63] : '=';
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view text)
{
    std::vector<std::uint8_t> out;
    std::uint32_t buffer = 0;
    int bits = 0;
    bool padding = false;
    for (char c : text) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t')
            continue;
        if (c == '=') {
            padding = true;
            continue;
        }
        int value = sextet(c);
        if (value < 0 || padding)
            return std::nullopt;
        buffer = (buffer << 6) | std::uint32_t(value);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(std::uint8_t((buffer >> bits) & 0xff));
        }
    }
    return out;
}

}
