#include "tools/check/message_file.h"

#include <fstream>
#include <iterator>

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
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return HeaderOf(WithCrLfLineEnds(std::move(text)));
}

}  // namespace quorn
