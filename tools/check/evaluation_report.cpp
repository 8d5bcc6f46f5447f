#include "tools/check/evaluation_report.h"

#include <algorithm>

#include "tools/check/stats_report.h"
#include "tools/check/text_table.h"
#include "tools/check/verdict_row.h"

namespace quorn {
namespace {

const VerdictCode kFixedCodes[] = {Normal, Excluded, Whitelisted, Blacklisted, LookupFailed, ReceivedUnknown};

std::string Reason(VerdictCode code, const std::vector<std::string>& rules) {
  switch (code) {
    case Blacklisted: return "the relay is on the black list";
    case LookupFailed: return "the relay has no host name (its line names none and the lookup failed)";
    case ReceivedUnknown: return "a Received: line that cannot be read decides";
    default: break;
  }
  const int index = code - FirstRule;
  if (index >= 0 && index < static_cast<int>(rules.size())) return "the host name matches S25R rule " +
                                                                      std::to_string(index + 1) + ": " + rules[index];
  return VerdictName(code);
}

}  // namespace

std::string EvaluationReport(const VerdictTally& spam, const VerdictTally& ham, const std::vector<std::string>& rules,
                             bool reverseLookup) {
  std::string out;
  if (spam.Unjudged() + ham.Unjudged() > 0) {
    out += "not judged: " + std::to_string(spam.Unjudged()) + " of the spam set, " + std::to_string(ham.Unjudged()) +
           " of the ham set\n\n";
  }
  TextTable confusion({"set", "messages", "stamped as spam", "share", "passed", "share"},
                      {false, true, true, true, true, true});
  for (const auto& [name, tally] : {std::pair<const char*, const VerdictTally*>{"spam (caught)", &spam},
                                    {"ham (false positives)", &ham}}) {
    const int passed = tally->Judged() - tally->Stamped();
    confusion.Add({name, std::to_string(tally->Judged()), std::to_string(tally->Stamped()),
                   Share(tally->Stamped(), tally->Judged()), std::to_string(passed), Share(passed, tally->Judged())});
  }
  out += confusion.Render() + '\n';

  TextTable classes({"verdict", "stamps", "spam set", "share", "ham set", "share"},
                    {false, false, true, true, true, true});
  auto row = [&](VerdictCode code, const std::string& name) {
    classes.Add({name, IsSpamVerdict(code, reverseLookup) ? "yes" : "no", std::to_string(spam.Count(code)),
                 Share(spam.Count(code), spam.Judged()), std::to_string(ham.Count(code)),
                 Share(ham.Count(code), ham.Judged())});
  };
  for (VerdictCode code : kFixedCodes) row(code, VerdictName(code));
  const int ruleRows = std::max({static_cast<int>(rules.size()), spam.LastRuleHit() + 1, ham.LastRuleHit() + 1});
  for (int i = 0; i < ruleRows; ++i) row(RuleVerdict(i), RuleCell(i, rules));
  out += classes.Render();
  return out;
}

std::string FalsePositiveList(const VerdictTally& ham, const std::vector<std::string>& rules) {
  std::string out;
  for (const StampedMessage& message : ham.StampedMessages()) {
    out += message.row + '\t' + EscapedField(Reason(message.code, rules)) + '\n';
  }
  return out;
}

}  // namespace quorn
