#include "engine/classify.h"

#include "engine/networks.h"

namespace quorn {
namespace {

// Entries that are networks take part in the network tests only; every
// other non-empty entry is a text searched for in the host name.
bool InListedNetwork(const RelayAddress& address, const ListVersion& list) {
  for (const std::string& entry : list.Lines()) {
    if (AddressInNetwork(address, ParseNetwork(entry))) return true;
  }
  return false;
}

bool NameListed(const std::string& host, const ListVersion& list) {
  for (const std::string& entry : list.Lines()) {
    if (entry.empty() || ParseNetwork(entry).address != 0) continue;
    if (host.find(entry) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

void ClassifyHop(LiveSettings& form, ippack& hop) {
  ClassifyHop(form, hop, ListSnapshot::Take());
}

void ClassifyHop(LiveSettings& form, ippack& hop, const ListSnapshot& lists) {
  const RelayAddress address = ReadRelayAddress(hop.ip);
  if (InListedNetwork(address, *lists.white)) {
    hop.code = Whitelisted;
    return;
  }
  if (InListedNetwork(address, *lists.black)) {
    hop.code = Blacklisted;
    return;
  }

  if (form.AcceptReceivedHost && hop.code == ReceivedUnknown) {
    hop.host.clear();
    return;
  }
  if (!(form.AcceptReceivedHost && !hop.host.empty())) {
    // The repeat belongs to the very first lookup after start. It is
    // claimed before the wait, since a check nested in that wait (a message
    // delivered meanwhile) must neither take it nor leave the first without.
    const bool first = form.FirstLookup;
    form.FirstLookup = false;
    hop.host = form.ResolveHostName(hop.ip);
    if (first && hop.host.empty()) hop.host = form.ResolveHostName(hop.ip);
  }
  if (hop.host.empty()) {
    hop.code = LookupFailed;
    return;
  }

  if (NameListed(hop.host, *lists.white)) {
    hop.code = Whitelisted;
    return;
  }
  if (NameListed(hop.host, *lists.black)) {
    hop.code = Blacklisted;
    return;
  }

  int ruleIndex = 0;
  for (const Pattern& rule : lists.rules->Patterns()) {
    if (!rule.IsEffective()) continue;
    bool found = false;
    try {
      found = rule.Search(hop.host);
    } catch (const SearchLimitError&) {
      // The name (a sender's, from the line or the DNS) cannot be judged:
      // the relay counts as one without a usable name, never as clean.
      hop.host.clear();
      hop.code = ReceivedUnknown;
      return;
    }
    if (found) {
      hop.code = RuleVerdict(ruleIndex);
      return;
    }
    ++ruleIndex;
  }
}

}  // namespace quorn
