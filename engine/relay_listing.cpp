#include "engine/relay_listing.h"

#include "engine/classify.h"
#include "engine/networks.h"
#include "engine/received.h"
#include "engine/text_error.h"
#include "texts/catalog.h"

namespace quorn {

ListedRelays ReadRelays(const std::string& header, const ListSnapshot& lists) {
  CollectReceivedLines(UnfoldHeader(header));
  const auto lines = ReceivedLines.Current();

  ListedRelays listed;
  ReceivedLineReader reader(*lists.recvRegex);
  try {
    for (const std::string& line : *lines) {
      LineRelay relay = reader.Read(line);
      if (relay.reading == RelayReading::NoAddress) continue;
      listed.hops.push_back(std::make_shared<ippack>(relay.hop));
      if (reader.PastBounds()) break;
    }
  } catch (const TextError& e) {
    listed.error = e.what();
  }

  bool decided = false;
  for (const auto& hop : listed.hops) {
    if (!hop->ip.empty() && IsExcluded(hop->ip, *lists.skipNetworks)) hop->code = Excluded;
    if (!decided && hop->code != Excluded) {
      hop->deciding = 1;
      decided = true;
    }
  }
  return listed;
}

bool NeedsClassifying(const ippack& hop) { return !hop.ip.empty() && hop.code != Excluded; }

void ClassifyHops(LiveSettings& form, HopList& hops, const ListSnapshot& lists,
                  const std::function<bool(const ippack& hop)>& beforeHop) {
  std::size_t done = 0;
  try {
    for (; done < hops.size(); ++done) {
      // A reference of our own: the hook dispatches window messages.
      const std::shared_ptr<ippack> hop = hops[done];
      if (beforeHop && !beforeHop(*hop)) break;
      if (NeedsClassifying(*hop)) ClassifyHop(form, *hop, lists);
    }
  } catch (...) {
    hops.resize(done);
    throw;
  }
  hops.resize(done);
}

void MarkSpamHops(HopList& hops, bool reverseLookup) {
  for (const auto& hop : hops) hop->spam = IsSpamVerdict(hop->code, reverseLookup) ? 1 : 0;
}

std::string ClassText(VerdictCode code) {
  switch (code) {
    case Normal: return texts::kVerdictNormal;
    case Excluded: return texts::kVerdictExcluded;
    case Whitelisted: return texts::kVerdictWhitelisted;
    case Blacklisted: return texts::kVerdictBlacklisted;
    case LookupFailed:
    case ReceivedUnknown: return texts::kVerdictLookupFailed;
    default: break;
  }
  return texts::kVerdictRulePrefix + std::to_string(static_cast<long long>(code) - FirstRule + 1);
}

bool CanExclude(const ippack& hop) {
  return !hop.ip.empty() && hop.code != Excluded && ParseNetwork(hop.ip).address != 0;
}

}  // namespace quorn
