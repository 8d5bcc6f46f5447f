#include "sim/run_timer.h"

#include <windows.h>

#include <cstdio>

namespace sim {
namespace {

HHOOK Hook = nullptr;
LONGLONG FirstBoxAt = 0;  // 0 until a box is activated while timing

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && FirstBoxAt == 0) {
    wchar_t name[16] = {};
    GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16);
    if (lstrcmpW(name, L"#32770") == 0) {
      LARGE_INTEGER now;
      QueryPerformanceCounter(&now);
      FirstBoxAt = now.QuadPart;
    }
  }
  return CallNextHookEx(Hook, code, wParam, lParam);
}

}  // namespace

bool ExecuteTimedCommand(const std::string& command, const std::string& argument,
                         const std::function<void(const std::string& line)>& run) {
  if (command != "time") return false;
  if (!Hook) Hook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  FirstBoxAt = 0;
  QueryPerformanceCounter(&start);
  run(argument);
  QueryPerformanceCounter(&end);
  const LONGLONG stop = FirstBoxAt != 0 ? FirstBoxAt : end.QuadPart;
  FirstBoxAt = -1;  // stop watching
  std::fprintf(stderr, "quorn-host: time %.1f ms: %s\n",
               1000.0 * static_cast<double>(stop - start.QuadPart) / static_cast<double>(frequency.QuadPart),
               argument.c_str());
  std::fflush(stderr);
  return true;
}

}  // namespace sim
