#include <windows.h>

#include "settings/form_main.h"
#include "tests/lookup/lookup_adapter.h"

namespace quorn {
namespace {

std::function<void()> TimerCallback;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (TimerCallback) TimerCallback();
}

}  // namespace

// The settings window object the DLL uses, kept for the whole test run as
// in the plug-in, so that late answers reach the same window.
TFormMain& TestForm() {
  static TFormMain form(GetModuleHandleW(nullptr));
  return form;
}

std::string PlatformLookup(const std::string& ip, std::int32_t timeoutMs,
                           const std::function<void()>& whileWaiting) {
  TFormMain& form = TestForm();
  form.TimeOut = timeoutMs;
  TimerCallback = whileWaiting;
  UINT_PTR timer = whileWaiting ? SetTimer(nullptr, 0, 10, OnTimer) : 0;
  std::string name = form.ResolveHostName(ip);
  if (timer) KillTimer(nullptr, timer);
  TimerCallback = nullptr;
  return name;
}

bool UseBlockingLookup(bool on) {
  TestForm().OsMajorVersion = on ? 4 : 5;
  return true;
}

}  // namespace quorn
