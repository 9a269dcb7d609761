#pragma once
// The 64-bit FNV-1a hash that ties a course to its map's bytes and keys the records, and its
// written form: 16 lowercase hexadecimal digits.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Game::Checksum {

constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001b3ull;

// FNV-1a 64 of `bytes`, continuing from `hash` (the offset basis for a fresh hash), so that
// several pieces hash as their concatenation.
uint64_t fnv1a64(std::string_view bytes, uint64_t hash = kFnvOffset);

// `value` as exactly 16 lowercase hexadecimal digits.
std::string toHex(uint64_t value);
// The value of exactly 16 hexadecimal digits (either case); none for anything else.
std::optional<uint64_t> fromHex(std::string_view text);

} // namespace Game::Checksum
