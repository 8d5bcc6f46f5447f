// The built-in lines of the five setting lists: what a first start writes
// into the INI file, and what a list falls back to when its section is
// missing.
#pragma once

#include <string>

#include "engine/lists.h"

namespace quorn {

const TextLines& DefaultSkipLines();
const TextLines& DefaultWhiteLines();
const TextLines& DefaultBlackLines();
const TextLines& DefaultRulesLines();
const TextLines& DefaultRecvRegexLines();

// A list read from the file of the given section, unless it is byte for
// byte a built-in list of an earlier version (settings/retired_default_lines.h):
// a user who never edited it gets today's built-in list instead.
TextLines ReplaceRetiredDefault(const std::string& section, TextLines lines);

// Whether a RecvRegex list is a built-in one of earlier versions.
bool IsRetiredRecvRegex(const TextLines& lines);

// Whether it is one shipped before edited Skip lists were given the local
// IPv6 networks (AddLocalIPv6Networks), which such a Skip list may lack.
bool RetiredRecvRegexMayLeaveLocalIPv6Unskipped(const TextLines& lines);

// Appends "::1/128", "fe80::/10" and "fc00::/7" to a Skip list that names
// no IPv6 network. For a file whose RecvRegex list is read as today's
// built-in one (it was an earlier built-in list) while its Skip list was
// edited: the built-in patterns read IPv6 relays, and without these
// networks a local hop such as a content filter on "[IPv6:::1]" would be
// the judged relay. The first versions read no IPv6 relay at all, and a Skip
// list that names no IPv6 network passes over none, so this changes nothing
// the user relied on.
void AddLocalIPv6Networks(TextLines& skip);

// Puts the built-in lines into the five lists and rebuilds SkipNetworks.
void UseDefaultLists();

}  // namespace quorn
