// The verdict on one message header.
#pragma once

#include <string>

#include "engine/lists.h"
#include "engine/live_settings.h"
#include "engine/verdict_code.h"

namespace quorn {

// How many Received: lines, from the top, a check reads at most. The relay
// that decides is written near the top by the recipient's own servers (real
// mail carries at most about 15 such lines); only a sender can add more,
// below, and reading them all would let one header hold the host for
// seconds. A header whose first lines give no relay to judge is Excluded.
constexpr std::size_t kReceivedLinesReadLimit = 100;

struct MessageVerdict {
  bool spam = false;
  ippack hop;  // the deciding relay; ip and host empty when none was judged
};

// Judges a header: unfolds it, collects its Received: lines into
// ReceivedLines, takes the first relay outside the exclusion networks among
// the first kReceivedLinesReadLimit lines and classifies it. Records the code in form.LastVerdict. Throws TextError for
// a pattern it cannot use; LastVerdict then keeps its earlier value.
MessageVerdict JudgeMessage(LiveSettings& form, const std::string& header);
// The same with the list versions given: a batch of checks that must all
// read the lists it started with takes one snapshot for all of them.
MessageVerdict JudgeMessage(LiveSettings& form, const std::string& header, const ListSnapshot& lists);

// JudgeMessage's spam decision alone.
bool CheckMessage(LiveSettings& form, std::string header);
bool CheckMessage(LiveSettings& form, std::string header, const ListSnapshot& lists);

// The label of form.LastVerdict for the "X-Quorn: type=" stamp: "blacklist",
// "lookup failed", "rule<n>", or empty for codes that are no spam. Points
// into a buffer reused by every call.
const char* VerdictLabel(const LiveSettings& form);

}  // namespace quorn
