#include "engine/verdict.h"

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

  ReceivedLineReader reader(*lists.recvRegex);
  MessageVerdict verdict;
  verdict.hop.code = Excluded;
  for (const std::string& line : *lines) {
    LineRelay relay = reader.Read(line);
    if (relay.reading == RelayReading::NoAddress) continue;
    if (relay.reading == RelayReading::Address && IsExcluded(relay.hop.ip, *lists.skipNetworks)) continue;
    verdict.hop = relay.hop;
    if (relay.reading == RelayReading::Address) ClassifyHop(form, verdict.hop, lists);
    break;
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
