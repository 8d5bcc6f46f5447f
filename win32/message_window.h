// MessageWindow: a hidden message-only window that hands every message it
// gets to a callback, for code that needs a window only as the address of
// answers the system posts (a reverse lookup's WM_APP). It knows no form
// and no control, so programs without the window layer can use it.
//
// Its window class is registered while a window of it exists and
// unregistered after the last one goes, so that a module loaded again
// never meets the class with a procedure that is gone. The callback runs on
// the thread that created the window; no exception leaves the procedure.
#pragma once

#include <windows.h>

#include <functional>

namespace quorn {

class MessageWindow {
 public:
  // Handles one message: true when it did, with the result to return.
  using Callback = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

  // `module` holds this code (the plug-in DLL, or the program).
  MessageWindow(HINSTANCE module, Callback callback);
  ~MessageWindow();
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  // Null when the system refused the window.
  HWND hwnd() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE module_;
  Callback callback_;
  HWND window_ = nullptr;
};

}  // namespace quorn
