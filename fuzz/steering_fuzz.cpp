// Fuzz target: texts a sender writes into a Received: line, searched for
// one that chooses the relay the filter judges.
//
// The input is the HELO argument, the ident user name and an address the
// sender chose (a recipient, an envelope sender), a line feed between
// them. Each is put into every server shape the built-in patterns read; the
// line must still give the relay the receiving server wrote, or be
// unreadable. A sender's texts hold no line break (the server would end its
// line there), so CR, LF and FF become blanks.
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
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Up to three texts, one a line: HELO argument, ident user name, chosen
  // address; a missing one repeats the one before.
  std::string parts[3];
  std::size_t from = 0;
  for (int i = 0; i < 3; ++i) {
    if (from > text.size()) {
      parts[i] = parts[i - 1];
      continue;
    }
    const std::size_t end = i < 2 ? text.find('\n', from) : std::string::npos;
    parts[i] = text.substr(from, end == std::string::npos ? std::string::npos : end - from);
    from = end == std::string::npos ? text.size() + 1 : end + 1;
  }
  for (std::string& sender : parts) {
    for (char& c : sender) {
      if (c == '\r' || c == '\n' || c == '\f') c = ' ';
    }
  }
  fuzz::InputTimeBound bound;
  for (const Shape& shape : kShapes) {
    const LineRelay relay = ReadReceivedLine(Fill(shape, parts[0], parts[1], parts[2]), builtInRecvRegex);
    fuzz::Require(ReadsTheServersRelay(shape, relay), shape.server);
  }
  return 0;
}
