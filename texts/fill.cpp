#include "texts/fill.h"

namespace texts {

std::string Filled(const char* format, const std::vector<std::string>& values) {
  std::string text = format;
  std::size_t from = 0;
  for (const std::string& value : values) {
    from = text.find("%s", from);
    if (from == std::string::npos) break;
    text.replace(from, 2, value);
    from += value.size();
  }
  return text;
}

}  // namespace texts
