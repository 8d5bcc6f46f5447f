// An error whose text is meant for a person (Shift-JIS): a user-written
// pattern the engine cannot use (the reason, two line feeds, and the
// pattern between apostrophes), or a settings file that cannot be written.
// Callers at the edge of the plug-in catch it and show the text in an
// error box.
#pragma once

#include <stdexcept>
#include <string>

namespace quorn {

class TextError : public std::runtime_error {
 public:
  explicit TextError(const std::string& text) : std::runtime_error(text) {}
  TextError(const char* reason, const std::string& entry)
      : std::runtime_error(std::string(reason) + "\n\n'" + entry + "'") {}
};

}  // namespace quorn
