#include "win32/message_box.h"

#include <windows.h>

#include "texts/catalog.h"
#include "win32/text_convert.h"

namespace quorn {

bool ShowMessage(const std::string& shiftJisText, MessageKind kind) {
  UINT style = MB_TASKMODAL;
  switch (kind) {
    case MessageKind::Information: style |= MB_OK | MB_ICONINFORMATION; break;
    // A confirmation: information with Yes and No.
    case MessageKind::Question: style |= MB_YESNO | MB_ICONINFORMATION; break;
    case MessageKind::Error: style |= MB_OK | MB_ICONERROR; break;
  }
  int answer = MessageBoxW(GetActiveWindow(), WideFromShiftJis(shiftJisText).c_str(),
                           WideFromShiftJis(texts::kPlugInName).c_str(), style);
  return answer == IDOK || answer == IDYES;
}

}  // namespace quorn
