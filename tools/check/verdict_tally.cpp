#include "tools/check/verdict_tally.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "tools/check/verdict_row.h"

namespace quorn {
namespace {

// Second-level labels under which countries register names (ne.jp, co.uk).
bool IsCountrySecondLevel(const std::string& label) {
  static const std::set<std::string> labels = {"ac", "ad", "co", "ed", "go", "gr", "lg", "ne", "or",
                                               "com", "edu", "gov", "mil", "net", "org"};
  return labels.count(label) > 0;
}

}  // namespace

std::string HostSuffix(const std::string& host) {
  std::string name = host;
  while (!name.empty() && name.back() == '.') name.pop_back();
  if (name.empty()) return "(no host name)";
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

  std::size_t last = name.rfind('.');
  if (last == std::string::npos) return name;
  std::size_t second = last == 0 ? std::string::npos : name.rfind('.', last - 1);
  if (second == std::string::npos) return name;
  const std::string tld = name.substr(last + 1);
  const std::string sld = name.substr(second + 1, last - second - 1);
  if (tld.size() == 2 && IsCountrySecondLevel(sld) && second > 0) {
    std::size_t third = name.rfind('.', second - 1);
    return third == std::string::npos ? name : name.substr(third + 1);
  }
  return name.substr(second + 1);
}

void VerdictTally::Add(const std::string& name, const MessageVerdict& verdict, const LiveSettings& form) {
  ++judged_;
  ++byCode_[verdict.hop.code];
  if (!verdict.spam) return;
  ++stamped_;
  ++suffixes_[HostSuffix(verdict.hop.host)];
  if (keepStamped_) stampedMessages_.push_back({VerdictRow(name, verdict, form), verdict.hop.code});
}

int VerdictTally::Count(VerdictCode code) const {
  auto it = byCode_.find(code);
  return it == byCode_.end() ? 0 : it->second;
}

int VerdictTally::RuleHits() const {
  int hits = 0;
  for (auto it = byCode_.lower_bound(FirstRule); it != byCode_.end(); ++it) hits += it->second;
  return hits;
}

int VerdictTally::LastRuleHit() const {
  if (byCode_.empty() || byCode_.rbegin()->first < FirstRule) return -1;
  return byCode_.rbegin()->first - FirstRule;
}

}  // namespace quorn
