#include "settings/value_format.h"

namespace quorn {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInt(std::string_view text) {
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);

  bool hex = false;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  } else if (!text.empty() && text[0] == '$') {
    hex = true;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;

  std::uint64_t magnitude = 0;
  for (char c : text) {
    int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (magnitude > 0xFFFFFFFFull) return std::nullopt;
  }

  std::int64_t value;
  if (hex) {
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
  } else {
    value = static_cast<std::int64_t>(magnitude);
    if (value > (negative ? 2147483648ll : 2147483647ll)) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::string FormatProfileInt(std::int32_t value) { return std::to_string(value); }

}  // namespace quorn
