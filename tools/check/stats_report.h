// The summary quorn-check --stats prints after a run.
#pragma once

#include <string>
#include <vector>

#include "engine/lists.h"
#include "tools/check/lookup_log.h"
#include "tools/check/verdict_tally.h"

namespace quorn {

// The effective lines of a Rules list: rule n (from 1) is element n - 1.
std::vector<std::string> EffectiveRules(const ListVersion& rules);

// "Rule<n> `expression`", the expression shown as a table cell.
std::string RuleCell(int ruleIndex, const std::vector<std::string>& rules);

// Messages judged and stamped; verdicts by class (the fixed codes and the
// S25R rules together); hits per rule; the ten most frequent host-name
// suffixes among the stamped messages' deciding relays; the lookups.
std::string StatsReport(const VerdictTally& tally, const LookupLog& lookups, const std::vector<std::string>& rules);

}  // namespace quorn
