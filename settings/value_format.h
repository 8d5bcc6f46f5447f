// How integers and booleans are written into the settings file and read
// back from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorn {

// Decimal, with an optional "-"; or hexadecimal after "0x", "0X" or "$"
// (eight digits at most, read as a 32-bit pattern). Anything else, an empty
// text or a value out of range included, is none.
std::optional<std::int32_t> ParseProfileInt(std::string_view text);

std::string FormatProfileInt(std::int32_t value);
inline std::string FormatProfileBool(bool value) { return value ? "1" : "0"; }

}  // namespace quorn
