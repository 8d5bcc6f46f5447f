// The error the engine raises for a user-written pattern it cannot use.
// Its text is meant for a person: the reason, two line feeds, and the
// pattern between apostrophes, all Shift-JIS. Callers at the edge of the
// plug-in catch it and show the text in an error box.
#pragma once

#include <stdexcept>
#include <string>

namespace quorn {

class TextError : public std::runtime_error {
 public:
  TextError(const char* reason, const std::string& entry)
      : std::runtime_error(std::string(reason) + "\n\n'" + entry + "'") {}
};

}  // namespace quorn
