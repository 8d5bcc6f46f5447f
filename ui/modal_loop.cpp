// The modal show of a form: its own message loop over the plug-in's one
// pump, the other windows of the thread disabled meanwhile, Enter, Esc and
// Tab as a dialog takes them (for every pump while the form is the active
// modal one), and the idle notification.
#include <vector>

#include "ui/buttons.h"
#include "ui/form.h"
#include "win32/message_pump.h"

namespace quorn::ui {
namespace {

struct Disabled {
  HWND modal;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<Disabled*>(param);
  if (window != state->modal && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    state->windows.push_back(window);
  }
  return TRUE;
}

bool IsMultiLineEditor(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return lstrcmpiW(name, L"Edit") == 0 && (GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE);
}

}  // namespace

bool Form::PreTranslateMessage(const MSG& message) { return HandleDialogKey(message); }

bool Form::HandleDialogKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
  switch (message.wParam) {
    case VK_RETURN: {
      if (IsMultiLineEditor(message.hwnd)) return false;  // a new line
      // A focused push button takes Enter itself, as on a dialog.
      auto* focused = dynamic_cast<Button*>(Wnd::FromHandle(message.hwnd));
      if (Button* button = focused ? focused : defaultButton_) button->Click();
      return true;
    }
    case VK_ESCAPE:
      if (cancelButton_) cancelButton_->Click();
      return true;
    case VK_TAB: {
      HWND next = GetNextDlgTabItem(hwnd(), message.hwnd, GetKeyState(VK_SHIFT) < 0);
      if (next) SetFocus(next);
      return true;
    }
    default: return false;
  }
}

ModalResult Form::ShowModal() {
  if (modal_) {  // asked again while open: no second loop
    SetForegroundWindow(hwnd());
    return ModalResult::None;
  }
  HWND previous = GetActiveWindow();
  Disabled disabled{hwnd(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
  modal_ = true;
  result_ = ModalResult::None;
  if (!IsWindowVisible(hwnd())) PrepareShow();
  ShowWindow(hwnd(), SW_SHOW);
  SetActiveWindow(hwnd());
  if (HWND first = GetNextDlgTabItem(hwnd(), nullptr, FALSE)) SetFocus(first);

  RunModalLoop();

  // Enable the others before hiding, so that activation returns to them.
  for (HWND window : disabled.windows) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  if (IsWindow(hwnd())) ShowWindow(hwnd(), SW_HIDE);
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  modal_ = false;
  return result_ == ModalResult::None ? ModalResult::Cancel : result_;
}

void Form::RunModalLoop() {
  // The pump offers every message to this form first while it is the
  // innermost modal one, whoever pumps: this loop, or a wait below it.
  ActiveMessageFilter filter(*this);
  bool idleDone = false;
  while (result_ == ModalResult::None && IsWindow(hwnd())) {
    const Pumped pumped = PumpOneMessage();
    if (pumped == Pumped::Quit) {
      // The host is quitting: end the modal show and leave the quit to
      // the host's own loop.
      result_ = ModalResult::Cancel;
      return;
    }
    if (pumped == Pumped::Message) {
      idleDone = false;
      continue;
    }
    if (!idleDone) {
      idleDone = true;
      if (onIdle) {
        try {
          onIdle();
        } catch (...) {
          // Never into the host; the window's own handler reports its errors.
        }
      }
      // Automation waits on this count for the idle work of a show.
      SetPropW(hwnd(), L"QuornIdle", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(++idleCalls_)));
      continue;
    }
    WaitMessage();
  }
}

}  // namespace quorn::ui
