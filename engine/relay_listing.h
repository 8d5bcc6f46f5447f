// Every relay of one header, as the Received-line inspector lists them.
//
// The relays are read exactly as JudgeMessage reads them (the header
// unfolded, the lines read top first by one ReceivedLineReader within its
// bounds), so that the relay marked as deciding is the one the verdict
// judges, with the same class. Unlike the verdict, every relay that is not
// excluded is classified, and a line that gives no address is dropped.
// A line that cannot be read within the bounds is a hop of its own with an
// empty address and the code ReceivedUnknown; reading ends after the first
// line past the reader's bounds, since every further line is unreadable too.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/lists.h"
#include "engine/live_settings.h"
#include "engine/verdict_code.h"

namespace quorn {

using HopList = std::vector<std::shared_ptr<ippack>>;

struct ListedRelays {
  HopList hops;
  // The text of a RecvRegex entry that could not be used; the hops are
  // those of the lines above the failing one.
  std::optional<std::string> error;
};

// Reads the relays of `header` and marks them: a hop inside one of
// lists.skipNetworks gets the code Excluded, and the first hop that is not
// excluded is marked deciding. Replaces ReceivedLines, as the verdict does.
ListedRelays ReadRelays(const std::string& header, const ListSnapshot& lists);

// Whether a hop is still to be classified: it has an address and is not
// excluded (an unreadable hop keeps its code).
bool NeedsClassifying(const ippack& hop);

// Classifies the hops in order with ClassifyHop. `beforeHop` runs before
// each hop (excluded ones included); when it returns false the run stops
// there. Only finished hops stay: on a stop, and when ClassifyHop throws
// (the error is passed on), the hops from the unfinished one on are
// removed from `hops`.
void ClassifyHops(LiveSettings& form, HopList& hops, const ListSnapshot& lists,
                  const std::function<bool(const ippack& hop)>& beforeHop);

// Sets each hop's spam flag: whether its code would make a message spam
// (IsSpamVerdict), excluded hops never.
void MarkSpamHops(HopList& hops, bool reverseLookup);

// The class column's text of a code (Shift-JIS): "正常", "除外するアドレス",
// "ホワイトリスト", "ブラックリスト", "逆引き失敗" for both lookup codes, and
// "S25R rule " with the rule's number, however far down the list it is.
std::string ClassText(VerdictCode code);

// Whether the hop's address can be added to Skip: it has one, is not
// excluded already, and reads as a network (the check the settings window
// makes on every Skip line).
bool CanExclude(const ippack& hop);

}  // namespace quorn
