// Reading a header's Received: lines.
//
// A header is unfolded first (CR LF followed by a tab, then CR LF followed
// by a space, each become one space; a bare LF is no line break here). Its
// Received: lines are the lines that begin with "Received:" in exact case,
// up to the next LF (a CR before it stays part of the line). Each line gives
// a relay's host name and address through the first RecvRegex entry that
// matches it. All of it costs time linear in the header's size, whatever a
// sender writes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/lists.h"
#include "engine/verdict_code.h"

namespace quorn {

std::string UnfoldHeader(std::string_view header);

// The Received: lines of a text, top first.
std::vector<std::string> FindReceivedLines(std::string_view text);

// Replaces ReceivedLines with the Received: lines of `text`.
void CollectReceivedLines(std::string_view text);

// A sender can write Received: lines of any length, and a user's pattern may
// cost time quadratic in the length of the text it searches (the Postfix
// default does, on a line of many "("). Patterns therefore read at most this
// many bytes of a line: twice the longest line seen in some 7,000 real
// headers, so real lines are read whole, while a hostile line costs at most
// about half a millisecond.
constexpr std::size_t kReceivedLineReadLimit = 1024;

// The relay of one Received: line (its first kReceivedLineReadLimit bytes), read with the current RecvRegex list or
// the given version of it: `ip` and `host` from the first entry that matches
// (both empty when none does), `code` ReceivedUnknown when the line calls
// the host "unknown", else Normal. Throws TextError for an entry that does
// not compile, matches with other than two groups, or exceeds the library's
// limits.
ippack ParseReceived(const std::string& line);
ippack ParseReceived(const std::string& line, const ListVersion& recvRegex);

}  // namespace quorn
