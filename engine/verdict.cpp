#include "engine/verdict.h"

#include <algorithm>
#include <cstdio>

#include "engine/classify.h"
#include "engine/lists.h"
#include "engine/networks.h"
#include "engine/received.h"

namespace quorn {

MessageVerdict JudgeMessage(LiveSettings& form, const std::string& header) {
  return JudgeMessage(form, header, ListSnapshot::Take());
}

MessageVerdict JudgeMessage(LiveSettings& form, const std::string& header, const ListSnapshot& lists) {
  CollectReceivedLines(UnfoldHeader(header));
  const auto lines = ReceivedLines.Current();

  ippack hop;
  const std::size_t count = std::min(lines->size(), kReceivedLinesReadLimit);
  for (std::size_t i = 0; i < count; ++i) {
    hop = ParseReceived((*lines)[i], *lists.recvRegex);
    if (hop.ip.empty()) continue;
    if (IsExcluded(hop.ip, *lists.skipNetworks)) hop.ip.clear();
    if (!hop.ip.empty()) break;
  }

  MessageVerdict verdict;
  if (hop.ip.empty()) {
    verdict.hop.code = Excluded;
  } else {
    ClassifyHop(form, hop, lists);
    verdict.hop = hop;
  }
  form.LastVerdict = verdict.hop.code;
  verdict.spam = IsSpamVerdict(verdict.hop.code, form.ReverseLookup);
  return verdict;
}

bool CheckMessage(LiveSettings& form, std::string header) {
  return JudgeMessage(form, header).spam;
}

bool CheckMessage(LiveSettings& form, std::string header, const ListSnapshot& lists) {
  return JudgeMessage(form, header, lists).spam;
}

const char* VerdictLabel(const LiveSettings& form) {
  static char label[32];
  const VerdictCode v = form.LastVerdict;
  if (v == Blacklisted) return "blacklist";
  if (v == LookupFailed || v == ReceivedUnknown) return "lookup failed";
  if (v < FirstRule) return "";
  std::snprintf(label, sizeof label, "rule%d", static_cast<int>(v - FirstRule + 1));
  return label;
}

}  // namespace quorn
