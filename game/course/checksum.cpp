#include "game/course/checksum.h"

namespace Game::Checksum {
namespace {

constexpr size_t kHexDigits = 16;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

uint64_t fnv1a64(std::string_view bytes, uint64_t hash)
{
    for (const char c : bytes) {
        hash ^= uint64_t((unsigned char)c);
        hash *= kFnvPrime;
    }
    return hash;
}

std::string toHex(uint64_t value)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(kHexDigits, '0');
    for (size_t i = 0; i < kHexDigits; ++i)
        text[kHexDigits - 1 - i] = kDigits[(value >> (4 * i)) & 0xF];
    return text;
}

std::optional<uint64_t> fromHex(std::string_view text)
{
    if (text.size() != kHexDigits)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        const int digit = hexValue(c);
        if (digit < 0)
            return std::nullopt;
        value = (value << 4) | uint64_t(digit);
    }
    return value;
}

} // namespace Game::Checksum
