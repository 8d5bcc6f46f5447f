#include "settings/form_main.h"

namespace quorn {
namespace {

const wchar_t kClassName[] = L"QuornFormMain";

std::int32_t ReadOsMajorVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;  // the 148-byte record
  return GetVersionExA(&info) ? static_cast<std::int32_t>(info.dwMajorVersion) : 0;
}

}  // namespace

TFormMain::TFormMain(HINSTANCE module) : module_(module) {
  OsMajorVersion = ReadOsMajorVersion();
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = module_;
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module_, this);
}

TFormMain::~TFormMain() {
  if (window_) DestroyWindow(window_);
  UnregisterClassW(kClassName, module_);
}

void TFormMain::ShowModal() {}

std::string TFormMain::ResolveHostName(const std::string& ip) {
  return lookups_.Resolve(window_, ip, TimeOut, OsMajorVersion, LookupAnswered);
}

LRESULT CALLBACK TFormMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form = reinterpret_cast<TFormMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_APP && form) {
    if (form->lookups_.OnAnswer(wParam, lParam)) form->LookupAnswered = true;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quorn
