// What a checker run found in one set of messages: verdicts by code, the
// host-name suffixes of the relays that decided the spam verdicts, and the
// messages that would be stamped.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/verdict.h"

namespace quorn {

// A name's last two labels, or three under a country code's second-level
// domain such as ne.jp or co.uk ("p1234-ipbf56.tokyo.example.ne.jp" gives
// "example.ne.jp"); lower case, without a final dot. "(no host name)" for
// the empty name.
std::string HostSuffix(const std::string& host);

struct StampedMessage {
  std::string row;  // its VerdictRow
  VerdictCode code = Normal;
};

class VerdictTally {
 public:
  // `keepStamped`: remember every stamped message, not only count it.
  explicit VerdictTally(bool keepStamped = false) : keepStamped_(keepStamped) {}

  void Add(const std::string& name, const MessageVerdict& verdict, const LiveSettings& form);
  void AddUnjudged() { ++unjudged_; }

  int Judged() const { return judged_; }
  int Unjudged() const { return unjudged_; }
  int Stamped() const { return stamped_; }
  int Count(VerdictCode code) const;
  int RuleHits() const;     // messages decided by any S25R rule
  int LastRuleHit() const;  // the highest rule index with a hit; -1 for none
  const std::map<std::string, int>& StampedSuffixes() const { return suffixes_; }
  const std::vector<StampedMessage>& StampedMessages() const { return stampedMessages_; }

 private:
  bool keepStamped_;
  int judged_ = 0;
  int unjudged_ = 0;
  int stamped_ = 0;
  std::map<std::int32_t, int> byCode_;
  std::map<std::string, int> suffixes_;
  std::vector<StampedMessage> stampedMessages_;
};

}  // namespace quorn
