// Fuzz target: texts a sender writes into a Received: line, searched for
// one that chooses the relay the filter judges.
//
// The input is the HELO argument, a line feed, and the ident user name
// (the same text for both when there is no line feed). Each is put into
// every server shape the built-in patterns read; the line must still give
// the relay the receiving server wrote, or be unreadable. A sender's texts
// hold no line break (the server would end its line there), so CR, LF and
// FF become blanks.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/general.h"
#include "fuzz/input_time_bound.h"
#include "settings/default_lines.h"
#include "tests/engine/server_shapes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorn;
  static const ListVersion builtInRecvRegex(DefaultRecvRegexLines());
  std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t split = text.find('\n');
  std::string helo = text.substr(0, split);
  std::string user = split == std::string::npos ? helo : text.substr(split + 1);
  for (std::string* sender : {&helo, &user}) {
    for (char& c : *sender) {
      if (c == '\r' || c == '\n' || c == '\f') c = ' ';
    }
  }
  fuzz::InputTimeBound bound;
  for (const Shape& shape : kShapes) {
    const LineRelay relay = ReadReceivedLine(Fill(shape.line, helo, user), builtInRecvRegex);
    fuzz::Require(ReadsTheServersRelay(shape, relay), shape.server);
  }
  return 0;
}
