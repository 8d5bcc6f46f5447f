// IPv6 addresses written as text, and a relay's address of either family.
//
// An IPv6 address is read strictly, in every standard form: eight groups of
// one to four hexadecimal digits (either case) separated by colons, one run
// of zero groups written "::", and a dotted quad in place of the last two
// groups. A leading "IPv6:" (the tag of an address literal in brackets,
// any case) and a trailing zone ("%9", "%eth0") are allowed and ignored.
// Anything else, blanks around the text included, is no address.
//
// An IPv4-mapped address (::ffff:a.b.c.d) is the IPv4 address it carries:
// the system sees such a relay as an IPv4 client, so it is judged as one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorn {

// Sixteen bytes, the first the most significant.
using Ipv6Address = std::array<std::uint8_t, 16>;

std::optional<Ipv6Address> ParseIPv6(std::string_view text);

// The IPv4 address an IPv4-mapped address carries.
std::optional<std::uint32_t> MappedIPv4(const Ipv6Address& address);

// A relay's address as the engine reads its text.
struct RelayAddress {
  enum Family { None, IPv4, IPv6 };
  Family family = None;
  std::uint32_t v4 = 0;  // IPv4, first octet most significant; never 0
  Ipv6Address v6{};      // IPv6, never IPv4-mapped
};

// A dotted quad exactly as ParseIPv4 reads it (value 0 is no address), else
// an IPv6 address as ParseIPv6 reads it.
RelayAddress ReadRelayAddress(std::string_view text);

// What the reverse lookup of an address text asks for: an IPv6 address
// (PTR under ip6.arpa) when the text is one and not IPv4-mapped; the IPv4
// address a mapped one carries; otherwise the text is read by the IPv4
// lookup exactly as it always was.
struct LookupTarget {
  enum Kind { AsIPv4Text, MappedIPv4, IPv6 };
  Kind kind = AsIPv4Text;
  std::uint32_t v4 = 0;  // MappedIPv4, first octet most significant
  Ipv6Address v6{};      // IPv6
};

LookupTarget ReverseLookupTarget(std::string_view ip);

}  // namespace quorn
