// IPv4 addresses and networks written as text, and the exclusion networks.
//
// Grammar read (Boost.Regex semantics, search anywhere in the text):
//   dotted quad  ^(\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3})$
//   network      ^((?:\d{1,3}\.){3}\d{1,3})/(\d{1,2})$   or a bare dotted quad
// Bad input is never an error: it reads as address 0, "no network". An
// octet above 255 or a prefix above 32 makes the text no quad / no network,
// rather than wrapping into some other address or mask.
//
// IPv6 networks are written as an IPv6 address (as ParseIPv6 reads it), a
// slash and a prefix length of one to three digits up to 128, or as a bare
// address. They follow the IPv4 rules: the address is kept unmasked (bits
// set beyond the prefix make a network that contains nothing), prefix 0
// acts as 128 (a single host), and the all-zero address "::" is no network.
// A network of IPv4-mapped addresses (::ffff:a.b.c.d with a prefix of 97 to
// 128, or none) is the IPv4 network it carries, since such addresses are
// judged as IPv4. An address of one family never lies in a network of the
// other.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/ip_address.h"

namespace quorn {

// A network as written: `address` unmasked (first octet most significant,
// 0 = the text was no network), `prefix` in bits (0 acts as 32). For an
// IPv6 network `ipv6` is set, `address` is only the non-zero mark of a
// network, the address is `address6` and `prefix` counts up to 128.
struct ipmask {
  std::uint32_t address = 0;
  std::int32_t prefix = 0;
  bool ipv6 = false;
  Ipv6Address address6{};
};

// All ones shifted left by (32 - prefix) mod 32: prefixes 0 and 32 both mean
// a single host.
std::uint32_t NetworkMask(std::int32_t prefix);

// The dotted quad's value masked with the prefix's mask; 0 when the text is
// no dotted quad.
std::uint32_t ParseIPv4(std::string_view text, std::int32_t prefix);

// The network a text denotes; address 0 when it denotes none.
ipmask ParseNetwork(std::string_view text);

// Whether an address, already read with ParseIPv4(text, 32), lies in a
// network: the membership rule ParseIPv4(text, m.prefix) == m.address for a
// network with a non-zero address, computed without reading the text again.
inline bool AddressInNetwork(std::uint32_t address, const ipmask& m) {
  return m.address != 0 && !m.ipv6 && (address & NetworkMask(m.prefix)) == m.address;
}

// Whether a relay's address lies in a network of its own family.
bool AddressInNetwork(const RelayAddress& address, const ipmask& m);

// Rebuilds SkipNetworks from the current Skip list (see lists.h).
void BuildSkipNetworks();

// Whether an address text lies in one of the current SkipNetworks.
bool IsExcluded(std::string_view ip);
bool IsExcluded(std::string_view ip, const std::vector<ipmask>& networks);

}  // namespace quorn
