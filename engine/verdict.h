// The verdict on one message header.
#pragma once

#include <string>

#include "engine/lists.h"
#include "engine/live_settings.h"
#include "engine/verdict_code.h"

namespace quorn {

struct MessageVerdict {
  bool spam = false;
  ippack hop;  // the deciding relay; ip and host empty when none was judged
};

// Judges a header: unfolds it, collects its Received: lines into
// ReceivedLines, reads them top first with a ReceivedLineReader and
// classifies the first relay outside the exclusion networks. A line that
// cannot be read within the reader's bounds before that relay decides
// instead: the message is ReceivedUnknown (spam), with empty address and
// host, since the sender may have hidden the real relay in it. A header
// without any relay to judge is Excluded. Records the code in
// form.LastVerdict. Throws TextError for a pattern of the user's it cannot
// use; LastVerdict then keeps its earlier value.
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
