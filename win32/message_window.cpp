#include "win32/message_window.h"

#include <utility>

namespace quorn {
namespace {

const wchar_t kClassName[] = L"QuornMessageWindow";
int LiveWindows = 0;  // windows of the class now; it is registered while there are any

}  // namespace

MessageWindow::MessageWindow(HINSTANCE module, Callback callback)
    : module_(module), callback_(std::move(callback)) {
  if (LiveWindows == 0) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = module_;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly when a window of another module kept it
  }
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module_, this);
  if (window_) ++LiveWindows;
}

MessageWindow::~MessageWindow() {
  if (!window_) return;
  DestroyWindow(window_);
  if (--LiveWindows == 0) UnregisterClassW(kClassName, module_);
}

LRESULT CALLBACK MessageWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && self->callback_ && message != WM_NCCREATE) {
    try {
      LRESULT result = 0;
      if (self->callback_(message, wParam, lParam, result)) return result;
    } catch (...) {
      // Nothing may leave a window procedure; the message gets the default.
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quorn
