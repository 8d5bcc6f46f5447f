// The plug-in's modal message boxes: information with OK, a question with
// Yes and No (a confirmation, shown with the information icon), an error
// with OK. Texts are Shift-JIS and are shown through
// the wide API.
#pragma once

#include <string>

namespace quorn {

enum class MessageKind { Information, Question, Error };

// Shows the box and returns true for OK or Yes.
bool ShowMessage(const std::string& shiftJisText, MessageKind kind);

}  // namespace quorn
