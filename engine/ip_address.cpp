#include "engine/ip_address.h"

#include <string>
#include <vector>

#include "engine/networks.h"

namespace quorn {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsZoneCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
         c == '_' || c == '~' || c == '-';
}

bool StartsWithTag(std::string_view text) {
  static constexpr std::string_view kTag = "ipv6:";
  if (text.size() < kTag.size()) return false;
  for (std::size_t i = 0; i < kTag.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kTag[i]) return false;
  }
  return true;
}

// A dotted quad of 1 to 3 digits per octet, each at most 255, as the
// engine reads IPv4 addresses everywhere.
std::optional<std::uint32_t> ReadEmbeddedQuad(std::string_view field) {
  std::uint32_t value = 0;
  std::size_t pos = 0;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (pos >= field.size() || field[pos] != '.') return std::nullopt;
      ++pos;
    }
    std::uint32_t octet = 0;
    int digits = 0;
    while (pos < field.size() && digits < 3 && field[pos] >= '0' && field[pos] <= '9') {
      octet = octet * 10 + static_cast<std::uint32_t>(field[pos] - '0');
      ++pos;
      ++digits;
    }
    if (digits == 0 || octet > 255) return std::nullopt;
    value = value << 8 | octet;
  }
  if (pos != field.size()) return std::nullopt;
  return value;
}

// Reads the colon-separated fields of one side of "::" into 16-bit groups;
// a dotted quad is allowed as the last field of the address only.
bool ReadGroups(std::string_view side, bool mayEndInQuad, std::vector<std::uint16_t>& groups) {
  if (side.empty()) return true;
  std::size_t start = 0;
  for (;;) {
    std::size_t colon = side.find(':', start);
    std::string_view field = side.substr(start, colon == std::string_view::npos ? side.npos : colon - start);
    const bool last = colon == std::string_view::npos;
    if (last && mayEndInQuad && field.find('.') != std::string_view::npos) {
      auto quad = ReadEmbeddedQuad(field);
      if (!quad) return false;
      groups.push_back(static_cast<std::uint16_t>(*quad >> 16));
      groups.push_back(static_cast<std::uint16_t>(*quad & 0xFFFF));
      return true;
    }
    if (field.empty() || field.size() > 4) return false;
    std::uint16_t group = 0;
    for (char c : field) {
      int digit = HexValue(c);
      if (digit < 0) return false;
      group = static_cast<std::uint16_t>(group << 4 | digit);
    }
    groups.push_back(group);
    if (groups.size() > 8) return false;
    if (last) return true;
    start = colon + 1;
  }
}

}  // namespace

std::optional<Ipv6Address> ParseIPv6(std::string_view text) {
  if (StartsWithTag(text)) text.remove_prefix(5);
  std::size_t percent = text.find('%');
  if (percent != std::string_view::npos) {
    std::string_view zone = text.substr(percent + 1);
    if (zone.empty()) return std::nullopt;
    for (char c : zone) {
      if (!IsZoneCharacter(c)) return std::nullopt;
    }
    text = text.substr(0, percent);
  }
  if (text.size() < 2) return std::nullopt;

  std::vector<std::uint16_t> head, tail;
  std::size_t gap = text.find("::");
  if (gap == std::string_view::npos) {
    if (!ReadGroups(text, true, head) || head.size() != 8) return std::nullopt;
  } else {
    std::string_view left = text.substr(0, gap), right = text.substr(gap + 2);
    if (right.find("::") != std::string_view::npos) return std::nullopt;
    if (!ReadGroups(left, false, head) || !ReadGroups(right, true, tail)) return std::nullopt;
    if (head.size() + tail.size() > 7) return std::nullopt;  // "::" stands for one group at least
  }

  Ipv6Address address{};
  std::size_t index = 0;
  for (std::uint16_t group : head) {
    address[index++] = static_cast<std::uint8_t>(group >> 8);
    address[index++] = static_cast<std::uint8_t>(group & 0xFF);
  }
  index = 16 - 2 * tail.size();
  for (std::uint16_t group : tail) {
    address[index++] = static_cast<std::uint8_t>(group >> 8);
    address[index++] = static_cast<std::uint8_t>(group & 0xFF);
  }
  return address;
}

std::optional<std::uint32_t> MappedIPv4(const Ipv6Address& address) {
  for (int i = 0; i < 10; ++i) {
    if (address[i] != 0) return std::nullopt;
  }
  if (address[10] != 0xFF || address[11] != 0xFF) return std::nullopt;
  return std::uint32_t{address[12]} << 24 | std::uint32_t{address[13]} << 16 |
         std::uint32_t{address[14]} << 8 | address[15];
}

RelayAddress ReadRelayAddress(std::string_view text) {
  RelayAddress result;
  if (std::uint32_t v4 = ParseIPv4(text, 32)) {
    result.family = RelayAddress::IPv4;
    result.v4 = v4;
    return result;
  }
  if (text.find(':') == std::string_view::npos) return result;
  auto v6 = ParseIPv6(text);
  if (!v6) return result;
  if (auto mapped = MappedIPv4(*v6)) {
    if (*mapped != 0) {
      result.family = RelayAddress::IPv4;
      result.v4 = *mapped;
    }
    return result;
  }
  result.family = RelayAddress::IPv6;
  result.v6 = *v6;
  return result;
}

LookupTarget ReverseLookupTarget(std::string_view ip) {
  LookupTarget target;
  if (ip.find(':') == std::string_view::npos) return target;
  auto v6 = ParseIPv6(ip);
  if (!v6) return target;
  if (auto mapped = MappedIPv4(*v6)) {
    target.kind = LookupTarget::MappedIPv4;
    target.v4 = *mapped;
    return target;
  }
  target.kind = LookupTarget::IPv6;
  target.v6 = *v6;
  return target;
}

}  // namespace quorn
