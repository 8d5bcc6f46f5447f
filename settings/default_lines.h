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
// byte the built-in list of an earlier version (Skip and RecvRegex without
// IPv6): a user who never edited it gets today's built-in list instead.
TextLines ReplaceRetiredDefault(const std::string& section, TextLines lines);

// Puts the built-in lines into the five lists and rebuilds SkipNetworks.
void UseDefaultLists();

}  // namespace quorn
