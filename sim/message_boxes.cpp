#include "sim/message_boxes.h"

#include <windows.h>

#include <string>

#include "sim/host.h"
#include "win32/text_convert.h"

namespace sim {
namespace {

HHOOK Hook = nullptr;
BoxAnswer Answer = BoxAnswer::Yes;

std::string OneLine(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n");
  for (std::size_t at; (at = text.find('\n')) != std::string::npos;) text.replace(at, 1, "\\n");
  return text;
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    GetClassNameW(box, className, 16);
    if (std::wstring(className) == L"#32770") {
      wchar_t text[4096] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 4096);
      std::string buttons;
      int answer = IDOK;
      if (GetDlgItem(box, IDYES)) {
        buttons = "Yes/No";
        answer = Answer == BoxAnswer::Yes ? IDYES : IDNO;
      } else {
        buttons = "OK";
      }
      Say("  box [" + buttons + "]: " + OneLine(quorn::Utf8FromWide(text)) +
          (buttons == "OK" ? "" : (answer == IDYES ? " -> Yes" : " -> No")));
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    }
  }
  return CallNextHookEx(Hook, code, wParam, lParam);
}

}  // namespace

void AnswerMessageBoxes() {
  if (!Hook) Hook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

void SetBoxAnswer(BoxAnswer answer) { Answer = answer; }

}  // namespace sim
