// What quorn-check --evaluate prints: how the filter judges a set of
// messages known to be spam and one known to be ham.
#pragma once

#include <string>
#include <vector>

#include "tools/check/verdict_tally.h"

namespace quorn {

// Two tables: the confusion table (spam caught, ham flagged, with their
// shares), then every verdict class and S25R rule with its count and share
// in each set and whether it stamps (a failed lookup stamps only while
// `reverseLookup` is on).
std::string EvaluationReport(const VerdictTally& spam, const VerdictTally& ham, const std::vector<std::string>& rules,
                             bool reverseLookup);

// The ham messages that would be stamped, one line each: their VerdictRow
// and, after a tab, the reason in words.
std::string FalsePositiveList(const VerdictTally& ham, const std::vector<std::string>& rules);

}  // namespace quorn
