#include "engine/networks.h"

#include <boost/regex.hpp>

#include <optional>
#include <string>
#include <vector>

#include "engine/line_syntax.h"
#include "engine/lists.h"

namespace quorn {
namespace {

// Reads 1 to `maxDigits` ASCII digits at `pos`; advances `pos`.
std::optional<std::uint32_t> ReadNumber(std::string_view text, std::size_t& pos,
                                        int maxDigits) {
  std::uint32_t value = 0;
  int digits = 0;
  while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + static_cast<std::uint32_t>(text[pos] - '0');
    ++pos;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

// Reads exactly \d{1,3}(\.\d{1,3}){3} at `pos`; advances `pos`. A quad with
// an octet above 255 is refused.
std::optional<std::uint32_t> ReadQuad(std::string_view text, std::size_t& pos) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (pos >= text.size() || text[pos] != '.') return std::nullopt;
      ++pos;
    }
    auto octet = ReadNumber(text, pos, 3);
    if (!octet) return std::nullopt;
    if (*octet > 255) return std::nullopt;
    value = value << 8 | *octet;
  }
  return value;
}

std::uint32_t OctetsValue(const boost::smatch& m, int firstGroup) {
  std::uint32_t value = 0;
  for (int i = firstGroup; i < firstGroup + 4; ++i) {
    unsigned long octet = std::stoul(m[i].str());
    if (octet > 255) return 0;
    value = value << 8 | static_cast<std::uint32_t>(octet);
  }
  return value;
}

// The full value of the dotted quad the text is, or 0.
std::uint32_t DottedQuadValue(std::string_view text) {
  if (!HasLineSeparator(text)) {
    std::size_t pos = 0;
    auto value = ReadQuad(text, pos);
    return value && pos == text.size() ? *value : 0;
  }
  // "^" and "$" may match at line breaks: let the library find the first
  // line that is a quad.
  static const boost::regex quad(R"(^(\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3})$)");
  std::string copy(text);
  boost::smatch m;
  if (!boost::regex_search(copy, m, quad)) return 0;
  return OctetsValue(m, 1);
}

ipmask MakeNetwork(std::uint32_t address, std::uint32_t prefix) {
  if (address == 0 || prefix > 32) return {};
  return {address, static_cast<std::int32_t>(prefix)};
}

ipmask ParseNetworkWithLineBreaks(std::string_view text) {
  static const boost::regex network(R"(^((?:\d{1,3}\.){3}\d{1,3})/(\d{1,2})$)");
  ipmask result;
  std::string copy(text);
  boost::smatch m;
  if (boost::regex_search(copy, m, network)) {
    result = MakeNetwork(DottedQuadValue(m[1].str()), std::stoul(m[2].str()));
  }
  copy += "/0";
  if (boost::regex_search(copy, m, network)) {
    result = MakeNetwork(DottedQuadValue(m[1].str()), std::stoul(m[2].str()));
  }
  return result;
}

// An IPv6 network: an address, optionally "/" and 1 to 3 digits up to 128.
ipmask ParseIPv6Network(std::string_view text) {
  std::size_t slash = text.rfind('/');
  std::uint32_t prefix = 0;
  if (slash != std::string_view::npos) {
    std::size_t pos = slash + 1;
    auto written = ReadNumber(text, pos, 3);
    if (!written || pos != text.size() || *written > 128) return {};
    prefix = *written;
    text = text.substr(0, slash);
  }
  auto address = ParseIPv6(text);
  if (!address) return {};
  if (auto mapped = MappedIPv4(*address)) {
    if (prefix == 0) return MakeNetwork(*mapped, 0);
    if (prefix > 96) return MakeNetwork(*mapped, prefix - 96);
  }
  ipmask result;
  for (std::uint8_t byte : *address) {
    if (byte != 0) result.address = 1;
  }
  if (result.address == 0) return {};  // "::", like 0.0.0.0
  result.ipv6 = true;
  result.address6 = *address;
  result.prefix = static_cast<std::int32_t>(prefix);
  return result;
}

bool Ipv6InNetwork(const Ipv6Address& address, const ipmask& m) {
  int bits = m.prefix == 0 ? 128 : m.prefix;
  for (int i = 0; i < 16; ++i, bits -= 8) {
    std::uint8_t mask = bits >= 8 ? 0xFF : bits <= 0 ? 0 : static_cast<std::uint8_t>(0xFF << (8 - bits));
    if ((address[i] & mask) != m.address6[i]) return false;
  }
  return true;
}

}  // namespace

bool AddressInNetwork(const RelayAddress& address, const ipmask& m) {
  if (m.address == 0) return false;
  switch (address.family) {
    case RelayAddress::IPv4:
      return AddressInNetwork(address.v4, m);
    case RelayAddress::IPv6:
      return m.ipv6 && Ipv6InNetwork(address.v6, m);
    default:
      return false;
  }
}

std::uint32_t NetworkMask(std::int32_t prefix) {
  std::uint32_t shift = (32u - static_cast<std::uint32_t>(prefix)) & 31u;
  return 0xFFFFFFFFu << shift;
}

std::uint32_t ParseIPv4(std::string_view text, std::int32_t prefix) {
  return DottedQuadValue(text) & NetworkMask(prefix);
}

ipmask ParseNetwork(std::string_view text) {
  // No IPv4 network holds a colon: such a text is IPv6 or none.
  if (text.find(':') != std::string_view::npos && !HasLineSeparator(text)) return ParseIPv6Network(text);
  if (HasLineSeparator(text)) return ParseNetworkWithLineBreaks(text);
  std::size_t pos = 0;
  auto address = ReadQuad(text, pos);
  if (!address) return {};
  if (pos == text.size()) return MakeNetwork(*address, 0);  // a single host
  if (text[pos] != '/') return {};
  ++pos;
  auto prefix = ReadNumber(text, pos, 2);
  if (!prefix || pos != text.size()) return {};
  return MakeNetwork(*address, *prefix);
}

void BuildSkipNetworks() {
  std::vector<ipmask> networks;
  auto skip = Skip.Current();
  for (const std::string& line : skip->Lines()) {
    ipmask m = ParseNetwork(line);
    if (m.address != 0) networks.push_back(m);
  }
  SkipNetworks.Replace(std::move(networks));
}

bool IsExcluded(std::string_view ip) {
  return IsExcluded(ip, *SkipNetworks.Current());
}

bool IsExcluded(std::string_view ip, const std::vector<ipmask>& networks) {
  const RelayAddress address = ReadRelayAddress(ip);
  for (const ipmask& m : networks) {
    if (AddressInNetwork(address, m)) return true;
  }
  return false;
}

}  // namespace quorn
