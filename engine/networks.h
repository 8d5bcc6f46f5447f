// IPv4 addresses and networks written as text, and the exclusion networks.
//
// Grammar read (Boost.Regex semantics, search anywhere in the text):
//   dotted quad  ^(\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3})$
//   network      ^((?:\d{1,3}\.){3}\d{1,3})/(\d{1,2})$   or a bare dotted quad
// Bad input is never an error: it reads as address 0, "no network". An
// octet above 255 or a prefix above 32 makes the text no quad / no network,
// rather than wrapping into some other address or mask.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorn {

// An IPv4 network as written: `address` unmasked (first octet most
// significant, 0 = the text was no network), `prefix` in bits (0 acts as 32).
struct ipmask {
  std::uint32_t address = 0;
  std::int32_t prefix = 0;
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
  return m.address != 0 && (address & NetworkMask(m.prefix)) == m.address;
}

// Rebuilds SkipNetworks from the current Skip list (see lists.h).
void BuildSkipNetworks();

// Whether an address text lies in one of the current SkipNetworks.
bool IsExcluded(std::string_view ip);
bool IsExcluded(std::string_view ip, const std::vector<ipmask>& networks);

}  // namespace quorn
