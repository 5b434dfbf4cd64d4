// The bits of a double written as 16 hexadecimal digits, most significant
// first, as `parse` prints them and `format` reads them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tamrel::cli {

inline constexpr std::size_t kBitsDigits = 16;

// Exactly 16 digits 0-9, A-F, a-f; nothing before, between or after them.
std::optional<std::uint64_t> ReadBits(std::string_view text);

// Appends the 16 upper-case digits of `bits`.
void AppendBits(std::uint64_t bits, std::string& out);

}  // namespace tamrel::cli
