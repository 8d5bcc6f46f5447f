// The verdict of one relay and, through its deciding relay, of a message,
// and the hop record that carries it.
#pragma once

#include <cstdint>
#include <string>

namespace quorn {

// Codes 0 to 5 are fixed; a match of effective rule n (counted from 0) gives
// FirstRule + n. The code is held in a full 32-bit integer, so a rule far
// down a long list still names its own number (codes up to 127 are the same
// as in an 8-bit code; nothing wraps).
enum VerdictCode : std::int32_t {
  Normal = 0,
  Excluded = 1,
  Whitelisted = 2,
  Blacklisted = 3,
  LookupFailed = 4,
  ReceivedUnknown = 5,
  FirstRule = 6,
};

inline VerdictCode RuleVerdict(int ruleIndex) {
  return static_cast<VerdictCode>(FirstRule + ruleIndex);
}

// Whether a message whose deciding relay got `code` is spam. A failed lookup
// counts only while the ReverseLookup setting is on.
bool IsSpamVerdict(VerdictCode code, bool reverseLookup);

// The code's name for people and scripts: "Normal", "Excluded", ...,
// "Rule1" for the first effective rule.
std::string VerdictName(VerdictCode code);

// One relay as read from one Received: line. A plain value.
struct ippack {
  std::string ip;             // address as written in the line; empty if none
  std::uint8_t spam = 0;      // set by the inspector only
  std::uint8_t deciding = 0;  // set by the inspector only
  VerdictCode code = Normal;
  std::string host;           // from the line, or the reverse lookup
};

}  // namespace quorn
