// Reading a header's Received: lines.
//
// A header is unfolded first (CR LF followed by a tab, then CR LF followed
// by a space, each become one space; a bare LF is no line break here). Its
// Received: lines are the lines that begin with "Received:" in exact case,
// up to the next LF (a CR before it stays part of the line). Each line gives
// a relay's host name and address through the RecvRegex entries that match
// it (ReadReceivedLine). Unfolding and collection cost time linear in the
// header's size, whatever a sender writes; reading the lines is bounded
// below.
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

// How much of a header's Received: lines a check reads. A sender can write
// lines of any length and number, and a pattern may cost time quadratic in
// the length of the text it searches: the built-in patterns all together
// cost about 1.5 ms on the worst 4 KiB line a random search of 3,000
// hostile lines found (12 µs on a real line), and an earlier Postfix pattern
// took 40 ms on 8 KiB of "(" (the library's own complexity limit stops a
// search only past some 14 KiB, after more than 100 ms). So lines are read
// whole up to kReceivedLineReadLimit bytes,
// eight times the longest line in some 40,000 real headers; and, top
// first, only while the squares of the lengths read add up to at most the
// square of that limit: however a sender splits a hostile text into lines,
// the patterns cost about what one line of the limit costs (real headers
// use less than a tenth of it). At most kReceivedLinesReadLimit lines are
// read (real mail carries at most about 15), so a flood of short lines is
// bounded too.
constexpr std::size_t kReceivedLineReadLimit = 4096;
constexpr std::size_t kReceivedLinesReadLimit = 100;

// What one Received: line tells about its relay.
enum class RelayReading {
  Address,     // an entry matched and gave an address (hop.ip)
  NoAddress,   // no entry matched, or its address group was empty
  Unreadable,  // not readable within the bounds above, or a search on it
               // exceeded the library's limits: a relay that cannot be
               // judged, so the check must not pass over it
};

struct LineRelay {
  RelayReading reading = RelayReading::NoAddress;
  // `ip` and `host` of the relay the line names (both empty when no entry
  // matches), `code` ReceivedUnknown when the line calls the host
  // "unknown", else Normal. An unreadable line gives empty `ip` and `host`
  // and the code ReceivedUnknown.
  ippack hop;
};

// Reads one line with the given version of RecvRegex.
//
// A sender writes part of every line (the HELO argument, an ident user
// name) and can copy the receiving server's own words into it, so a
// pattern's first match may be the sender's. Every entry is therefore
// searched at every place of the line before the receiving server's part
// (its last " by ", with a blank or ")" before the word and a blank after
// it: the receiving server's name and comments follow, which name that
// server's own addresses), in list order. Each entry's matches are found
// left to right, each search starting where the match before ended. A match
// over a part of the line that an earlier entry has read is passed over, so
// the more exact entries come first; but one that lies wholly inside such a
// part and names another address makes the line Unreadable, since the
// earlier entry may have taken in the server's own words. When the matches
// name one relay (the same name, address and "unknown"), that is the line's
// relay; when they name more than one, the line is Unreadable, never passed
// over.
//
// A sender may also write after the receiving server's "by" (a recipient,
// an envelope sender). A " by " there moves the boundary later: more of the
// line is searched, which can add relays but never hide one. An entry that
// does not compile raises its error only when no earlier entry has read the
// line.
//
// Unreadable as well when the line is longer than kReceivedLineReadLimit or
// a search on it exceeds the library's limits. Throws TextError for an
// entry that does not compile, or that gives a relay at a new place with
// other than two groups.
LineRelay ReadReceivedLine(const std::string& line, const ListVersion& recvRegex);

// Reads the Received: lines of one header, top first, within the bounds
// above: every line past them is Unreadable. The check and the inspector
// read the same way, so both agree on which lines count as unreadable.
class ReceivedLineReader {
 public:
  explicit ReceivedLineReader(const ListVersion& recvRegex) : recvRegex_(recvRegex) {}

  LineRelay Read(const std::string& line);
  // Whether a line went past the bounds: every further line is unreadable.
  bool PastBounds() const { return pastBounds_; }

 private:
  const ListVersion& recvRegex_;
  std::size_t linesRead_ = 0;
  unsigned long long squaresRead_ = 0;
  bool pastBounds_ = false;
};

// The relay of one Received: line, read alone with the current RecvRegex
// list or the given version of it: ReadReceivedLine's hop.
ippack ParseReceived(const std::string& line);
ippack ParseReceived(const std::string& line, const ListVersion& recvRegex);

}  // namespace quorn
