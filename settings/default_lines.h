// The built-in lines of the five setting lists: what a first start writes
// into the INI file, and what a list falls back to when its section is
// missing.
#pragma once

#include "engine/lists.h"

namespace quorn {

const TextLines& DefaultSkipLines();
const TextLines& DefaultWhiteLines();
const TextLines& DefaultBlackLines();
const TextLines& DefaultRulesLines();
const TextLines& DefaultRecvRegexLines();

// Puts the built-in lines into the five lists and rebuilds SkipNetworks.
void UseDefaultLists();

}  // namespace quorn
