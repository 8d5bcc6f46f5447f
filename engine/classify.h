// Judging one relay: White and Black networks, then the host name (from the
// line or a reverse lookup), White and Black texts in it, and the S25R rules.
#pragma once

#include "engine/lists.h"
#include "engine/live_settings.h"
#include "engine/verdict_code.h"

namespace quorn {

// Sets hop.code (and, when a lookup is made, hop.host) for a hop whose ip is
// set and whose code is what ParseReceived gave it. Reads the current lists,
// or the versions in `lists`. A rule whose search on the host name exceeds
// the regular-expression library's limits makes the relay ReceivedUnknown
// with an empty host. Throws TextError for a rule that does not compile;
// hop.host then holds the name already found and hop.code is unchanged.
void ClassifyHop(LiveSettings& form, ippack& hop);
void ClassifyHop(LiveSettings& form, ippack& hop, const ListSnapshot& lists);

}  // namespace quorn
