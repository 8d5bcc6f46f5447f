#include "tools/check/message_file.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <vector>

#include "engine/bounded_header.h"

namespace quorn {

std::string WithCrLfLineEnds(std::string text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  char previous = '\0';
  for (char c : text) {
    if (c == '\n' && previous != '\r') out.push_back('\r');
    out.push_back(c);
    previous = c;
  }
  return out;
}

std::string HeaderOf(const std::string& message) {
  std::size_t end = message.find("\r\n\r\n");
  return end == std::string::npos ? message : message.substr(0, end);
}

std::optional<std::string> ReadMessageHeader(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // The file is read in blocks and its line ends made CR LF on the way, up
  // to the first empty line; the last three bytes made wait for the next
  // block, as they may begin that empty line.
  BoundedHeader header;
  std::vector<char> block(std::size_t{64} << 10);
  std::string made;
  char previous = '\0';
  std::uint32_t lastFour = 0;
  auto add = [&](char c) {
    made.push_back(c);
    lastFour = lastFour << 8 | static_cast<unsigned char>(c);
    return lastFour == 0x0D0A0D0Au;  // CR LF CR LF
  };
  for (;;) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const std::streamsize got = in.gcount();
    if (got <= 0) break;
    for (std::streamsize i = 0; i < got; ++i) {
      const char c = block[i];
      if (c == '\n' && previous != '\r') add('\r');
      previous = c;
      if (add(c)) {
        made.resize(made.size() - 4);
        header.Append(made);
        return header.Take();
      }
    }
    const std::size_t ready = made.size() - std::min<std::size_t>(made.size(), 3);
    header.Append(std::string_view(made).substr(0, ready));
    made.erase(0, ready);
    if (header.Settled()) return header.Take();
  }
  if (in.bad()) return std::nullopt;
  header.Append(made);
  return header.Take();
}

}  // namespace quorn
