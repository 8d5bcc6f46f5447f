// Fuzz target: the engine's text parsers, each against the regular
// expression it stands for.
//
// The hand-written readers of dotted quads, networks, comment lines,
// folded headers and Received: lines replace library patterns for speed;
// the library's reading with Boost's "^"/"$" rules is the reference here,
// so every difference is a finding. The input is one text; a Received:
// line read from it with the built-in patterns must not raise an error.
#include <boost/regex.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/general.h"
#include "engine/ip_address.h"
#include "engine/networks.h"
#include "engine/pattern.h"
#include "fuzz/input_time_bound.h"
#include "settings/default_lines.h"

namespace quorn {
namespace {

std::uint32_t ReferenceQuad(const std::string& text) {
  static const boost::regex quad(R"(^(\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3})$)");
  boost::smatch m;
  if (!boost::regex_search(text, m, quad)) return 0;
  std::uint32_t value = 0;
  for (int i = 1; i <= 4; ++i) {
    unsigned long octet = std::stoul(m[i].str());
    if (octet > 255) return 0;
    value = value << 8 | static_cast<std::uint32_t>(octet);
  }
  return value;
}

// A network is the first "quad/prefix" line, or failing that the first
// bare quad line (read as "quad/0").
ipmask ReferenceNetwork(const std::string& text) {
  static const boost::regex network(R"(^((?:\d{1,3}\.){3}\d{1,3})/(\d{1,2})$)");
  auto make = [](const boost::smatch& m) {
    const std::uint32_t address = ReferenceQuad(m[1].str());
    const unsigned long prefix = std::stoul(m[2].str());
    if (address == 0 || prefix > 32) return ipmask{};
    return ipmask{address, static_cast<std::int32_t>(prefix)};
  };
  ipmask result;
  boost::smatch m;
  if (boost::regex_search(text, m, network)) result = make(m);
  const std::string withPrefix = text + "/0";
  if (boost::regex_search(withPrefix, m, network)) result = make(m);
  return result;
}

// CR LF + tab, then CR LF + space, replaced one at a time from the start.
std::string ReferenceUnfold(std::string text) {
  for (const char* fold : {"\r\n\t", "\r\n "}) {
    for (std::size_t at; (at = text.find(fold)) != std::string::npos;) text.replace(at, 3, " ");
  }
  return text;
}

std::vector<std::string> ReferenceReceivedLines(const std::string& text) {
  static const boost::regex field("^Received:[^\\n]*");
  std::vector<std::string> lines;
  for (boost::sregex_iterator it(text.begin(), text.end(), field), end; it != end; ++it) {
    lines.push_back(it->str());
  }
  return lines;
}

}  // namespace
}  // namespace quorn

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorn;
  using fuzz::Require;
  static const ListVersion builtInRecvRegex(DefaultRecvRegexLines());
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzz::InputTimeBound bound;

  const std::uint32_t quad = ReferenceQuad(text);
  for (std::int32_t prefix : {0, 1, 8, 24, 31, 32}) {
    Require(ParseIPv4(text, prefix) == (quad & NetworkMask(prefix)), "ParseIPv4 reads as the pattern");
  }
  const ipmask network = ParseNetwork(text);
  if (text.find(':') != std::string::npos && text.find_first_of("\n\r\f") == std::string::npos) {
    // An IPv6 network (an IPv4-mapped one is read as IPv4): its address
    // part is an address ParseIPv6 reads.
    if (network.address != 0) {
      Require(ParseIPv6(std::string_view(text).substr(0, text.find('/'))).has_value(),
              "an IPv6 network's address is an IPv6 address");
    }
  } else {
    const ipmask expected = ReferenceNetwork(text);
    Require(network.address == expected.address && network.prefix == expected.prefix,
            "ParseNetwork reads as the pattern");
  }

  static const boost::regex comment("^(?:#|//)");
  Require(IsCommentLine(text) == boost::regex_search(text, comment), "IsCommentLine reads as the pattern");

  // The quadratic references only on short texts.
  if (size <= 2048) {
    Require(UnfoldHeader(text) == ReferenceUnfold(text), "UnfoldHeader replaces as the reference");
  }
  Require(FindReceivedLines(text) == ReferenceReceivedLines(text),
          "FindReceivedLines finds the lines the pattern finds");

  const LineRelay relay = ReadReceivedLine(text, builtInRecvRegex);
  Require(relay.hop.host.find(' ') == std::string::npos, "a host name holds no blank");
  Require((relay.reading == RelayReading::Address) == !relay.hop.ip.empty(),
          "an address is read exactly when the line gives one");
  if (relay.reading == RelayReading::Unreadable) {
    Require(relay.hop.code == ReceivedUnknown, "an unreadable line is a relay without a name");
  }
  return 0;
}
