#include "engine/received.h"

#include <boost/regex.hpp>

#include "engine/line_syntax.h"
#include "engine/text_error.h"
#include "texts/catalog.h"

namespace quorn {
namespace {

bool EndsWithSpaceFold(const std::string& out) {
  std::size_t n = out.size();
  return n >= 3 && out[n - 1] == ' ' && out[n - 2] == '\n' && out[n - 3] == '\r';
}

// Replaces every CR LF + `blank` by one space, with the same result as
// replacing the first occurrence over and over from the text's start. No
// occurrence can overlap another, so the order of the replacements does not
// matter; but a space written here can complete a new CR LF + space with
// the two bytes before it, so the output's end is looked at again after
// each replacement. Runs of text without LF are copied whole.
std::string JoinContinuations(std::string_view in, char blank) {
  std::string out;
  out.reserve(in.size());
  std::size_t pos = 0;
  for (;;) {
    std::size_t lf = in.find('\n', pos);
    if (lf == std::string_view::npos) {
      out.append(in.substr(pos));
      return out;
    }
    out.append(in.substr(pos, lf - pos));
    if (lf + 1 < in.size() && in[lf + 1] == blank && !out.empty() && out.back() == '\r') {
      out.back() = ' ';
      while (EndsWithSpaceFold(out)) {
        out.resize(out.size() - 3);
        out.push_back(' ');
      }
      pos = lf + 2;
    } else {
      out.push_back('\n');
      pos = lf + 1;
    }
  }
}

// The host group trimmed as "^ *([^ ]*) *$" would: blanks around the name
// dropped; a name with a blank inside becomes empty. Throws SearchLimitError.
std::string TrimHost(const std::string& host) {
  if (HasLineSeparator(host)) {
    static const boost::regex trim("^ *([^ ]*) *$");
    boost::smatch m;
    return SearchWithinLimits(host, m, trim) ? m[1].str() : std::string();
  }
  std::size_t first = host.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  std::size_t last = host.find_last_not_of(' ');
  std::string name = host.substr(first, last - first + 1);
  return name.find(' ') == std::string::npos ? name : std::string();
}

// The part of a line that one match covers, [begin, end).
struct LinePlace {
  std::size_t begin, end;
  bool Overlaps(const LinePlace& other) const { return begin < other.end && other.begin < end; }
  bool Contains(const LinePlace& other) const { return begin <= other.begin && other.end <= end; }
};

// The relay that one match of a two-group entry names.
ippack HopOfMatch(const boost::smatch& m) {
  ippack hop;
  hop.ip = m[2].str();
  hop.host = TrimHost(m[1].str());
  if (hop.host == "unknown") {
    hop.host.clear();
    hop.code = ReceivedUnknown;
  }
  return hop;
}

// Where the receiving server's own part of a line begins: its last " by "
// (a blank or ")" before the word, a blank after it), or the line's end
// when it has none. The HELO argument and an ident user name stand before
// it; after it come the receiving server's name and comments, which may
// name that server's own addresses. A sender's " by " after it (in a quoted
// recipient) moves the boundary later, which only adds places to read.
std::size_t ReceivingServerPart(const std::string& line) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; };
  for (std::size_t pos = line.size(); pos >= 3; --pos) {
    const std::size_t by = pos - 3;
    if (by > 0 && line.compare(by, 2, "by") == 0 && isBlank(line[by + 2]) &&
        (isBlank(line[by - 1]) || line[by - 1] == ')')) {
      return by;
    }
  }
  return line.size();
}

bool SameRelay(const ippack& a, const ippack& b) {
  return a.ip == b.ip && a.host == b.host && a.code == b.code;
}

LineRelay UnreadableLine() {
  LineRelay relay;
  relay.reading = RelayReading::Unreadable;
  relay.hop.code = ReceivedUnknown;
  return relay;
}

}  // namespace

std::string UnfoldHeader(std::string_view header) {
  return JoinContinuations(JoinContinuations(header, '\t'), ' ');
}

std::vector<std::string> FindReceivedLines(std::string_view text) {
  // Each occurrence of the field name that starts a line (as "^" sees line
  // starts) begins a line; the search skips the rest of a line taken. The
  // library's substring search keeps this at a few passes over the bytes,
  // however many line breaks a sender writes.
  static constexpr std::string_view kField = "Received:";
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while ((pos = text.find(kField, pos)) != std::string_view::npos) {
    if (!IsLineStart(text, pos)) {
      ++pos;
      continue;
    }
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(pos, end - pos));
    pos = end;
  }
  return lines;
}

void CollectReceivedLines(std::string_view text) {
  ReceivedLines.Replace(FindReceivedLines(text));
}

LineRelay ReadReceivedLine(const std::string& line, const ListVersion& recvRegex) {
  if (line.size() > kReceivedLineReadLimit) return UnreadableLine();
  const std::size_t serverPart = ReceivingServerPart(line);
  std::vector<LinePlace> taken;  // the parts of the line read so far, all naming relay.hop
  LineRelay relay;
  bool ambiguous = false;
  try {
    for (const Pattern& pattern : recvRegex.Patterns()) {
      if (!pattern.IsEffective()) continue;
      // An entry that does not compile is the user's error, raised when no
      // entry before it has read the line; after that it can add nothing.
      if (!taken.empty() && !pattern.Compiles()) continue;
      pattern.ForEachMatch(line, [&](const boost::smatch& m) {
        const LinePlace place{static_cast<std::size_t>(m[0].first - line.begin()),
                              static_cast<std::size_t>(m[0].second - line.begin())};
        if (place.begin >= serverPart) return false;  // the receiving server's own words
        if (m.size() != 3) throw TextError(texts::kNeedTwoGroups, pattern.Source());
        const ippack hop = HopOfMatch(m);
        bool overlaps = false;
        for (const LinePlace& other : taken) {
          if (!place.Overlaps(other)) continue;
          overlaps = true;
          // Another address wholly inside a part an earlier entry read: that
          // entry's match may have swallowed the server's own words.
          if (other.Contains(place) && hop.ip != relay.hop.ip) ambiguous = true;
        }
        if (!overlaps) {
          if (taken.empty()) {
            relay.hop = hop;
          } else if (!SameRelay(hop, relay.hop)) {
            ambiguous = true;
          }
          taken.push_back(place);
        }
        return !ambiguous;
      });
      if (ambiguous) return UnreadableLine();
    }
  } catch (const SearchLimitError&) {
    return UnreadableLine();
  }
  relay.reading = relay.hop.ip.empty() ? RelayReading::NoAddress : RelayReading::Address;
  return relay;
}

LineRelay ReceivedLineReader::Read(const std::string& line) {
  const unsigned long long limit = kReceivedLineReadLimit;
  const unsigned long long length = line.size();
  // length <= limit is tested before it is squared, so nothing overflows.
  if (pastBounds_ || ++linesRead_ > kReceivedLinesReadLimit || length > limit ||
      length * length > limit * limit - squaresRead_) {
    pastBounds_ = true;
    return UnreadableLine();
  }
  squaresRead_ += length * length;
  return ReadReceivedLine(line, recvRegex_);
}

ippack ParseReceived(const std::string& line) {
  return ParseReceived(line, *RecvRegex.Current());
}

ippack ParseReceived(const std::string& line, const ListVersion& recvRegex) {
  return ReadReceivedLine(line, recvRegex).hop;
}

}  // namespace quorn
