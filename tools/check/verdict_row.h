// The line quorn-check prints for one judged message, also the format of
// the corpus test's expected verdicts:
//
//   name <TAB> code <TAB> code name <TAB> label <TAB> relay address <TAB> host name
//
// The label is the stamp's ("" for clean mail). Text a sender wrote may hold
// tabs and line breaks, so control bytes and backslashes are escaped.
#pragma once

#include <string>

#include "engine/verdict.h"

namespace quorn {

std::string EscapedField(const std::string& text);

std::string VerdictRow(const std::string& name, const MessageVerdict& verdict, const LiveSettings& form);

}  // namespace quorn
