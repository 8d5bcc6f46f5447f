// The built-in Skip and RecvRegex lists of earlier versions, verbatim. A
// settings file that still holds one of them was never edited there, and is
// read with today's built-in list instead.
#pragma once

#include <vector>

#include "engine/lists.h"

namespace quorn {

// The Skip list before IPv6 networks joined it.
const TextLines& RetiredSkipLines();

struct RetiredRecvRegex {
  TextLines lines;
  // Shipped before an upgrade brought the local IPv6 networks into an
  // edited Skip list, so such a Skip list may still lack them.
  bool skipMayLackLocalIPv6;
};

// Every earlier built-in RecvRegex list, oldest first.
const std::vector<RetiredRecvRegex>& RetiredRecvRegexLists();

}  // namespace quorn
