#include "tools/check/stats_report.h"

#include <algorithm>
#include <utility>

#include "tools/check/text_table.h"

namespace quorn {
namespace {

constexpr std::size_t kSuffixesShown = 10;

const VerdictCode kFixedCodes[] = {Normal, Excluded, Whitelisted, Blacklisted, LookupFailed, ReceivedUnknown};

// Every rule of the list, and rules with hits beyond it (the list changed
// during the run).
int RuleRowCount(const VerdictTally& tally, const std::vector<std::string>& rules) {
  return std::max(static_cast<int>(rules.size()), tally.LastRuleHit() + 1);
}

}  // namespace

std::vector<std::string> EffectiveRules(const ListVersion& rules) {
  std::vector<std::string> effective;
  for (const Pattern& rule : rules.Patterns()) {
    if (rule.IsEffective()) effective.push_back(rule.Source());
  }
  return effective;
}

std::string RuleCell(int ruleIndex, const std::vector<std::string>& rules) {
  std::string cell = VerdictName(RuleVerdict(ruleIndex));
  if (ruleIndex < static_cast<int>(rules.size())) cell += " `" + CellText(rules[ruleIndex]) + '`';
  return cell;
}

std::string StatsReport(const VerdictTally& tally, const LookupLog& lookups, const std::vector<std::string>& rules) {
  const int judged = tally.Judged();
  std::string out = "messages judged: " + std::to_string(judged);
  if (tally.Unjudged() > 0) out += " (" + std::to_string(tally.Unjudged()) + " not judged)";
  out += "; stamped as spam: " + std::to_string(tally.Stamped()) + " (" + Share(tally.Stamped(), judged) + ")\n\n";

  TextTable classes({"verdict", "messages", "share"}, {false, true, true});
  for (VerdictCode code : kFixedCodes) {
    classes.Add({VerdictName(code), std::to_string(tally.Count(code)), Share(tally.Count(code), judged)});
  }
  classes.Add({"S25R rules", std::to_string(tally.RuleHits()), Share(tally.RuleHits(), judged)});
  out += classes.Render() + '\n';

  TextTable ruleHits({"S25R rule", "messages", "share"}, {false, true, true});
  for (int i = 0; i < RuleRowCount(tally, rules); ++i) {
    const int hits = tally.Count(RuleVerdict(i));
    ruleHits.Add({RuleCell(i, rules), std::to_string(hits), Share(hits, judged)});
  }
  out += ruleHits.Render() + '\n';

  std::vector<std::pair<std::string, int>> suffixes(tally.StampedSuffixes().begin(), tally.StampedSuffixes().end());
  std::stable_sort(suffixes.begin(), suffixes.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  if (suffixes.size() > kSuffixesShown) suffixes.resize(kSuffixesShown);
  TextTable suffixTable({"deciding relay of stamped messages", "messages", "share"}, {false, true, true});
  for (const auto& [suffix, count] : suffixes) {
    suffixTable.Add({CellText(suffix), std::to_string(count), Share(count, tally.Stamped())});
  }
  out += suffixTable.Render() + '\n';
  out += lookups.Summary() + '\n';
  return out;
}

}  // namespace quorn
