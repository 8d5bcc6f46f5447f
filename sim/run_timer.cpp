#include "sim/run_timer.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "sim/host.h"

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

// The processor time of this process (all its threads) in milliseconds.
double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

}  // namespace

namespace {

// The most memory the process has held at once (its peak working set).
std::size_t PeakMemory() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) ? counters.PeakWorkingSetSize : 0;
}

}  // namespace

bool ExecuteMemoryCommand(const std::string& command, const std::string& argument,
                          const std::function<void(const std::string& line)>& run) {
  if (command != "peak-growth-below") return false;
  const std::size_t space = argument.find(' ');
  const unsigned long allowed = std::strtoul(argument.substr(0, space).c_str(), nullptr, 10);
  const std::size_t before = PeakMemory();
  run(space == std::string::npos ? std::string() : argument.substr(space + 1));
  const std::size_t grown = (PeakMemory() - before) >> 20;
  Say(grown < allowed ? "  peak memory grew by less than " + std::to_string(allowed) + " MiB"
                      : "  peak memory grew by " + std::to_string(grown) + " MiB, " + std::to_string(allowed) +
                            " MiB allowed");
  return true;
}

bool ExecuteTimedCommand(const std::string& command, const std::string& argument,
                         const std::function<void(const std::string& line)>& run) {
  if (command != "time") return false;
  if (!Hook) Hook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  FirstBoxAt = 0;
  const double cpuAtStart = ProcessCpuMs();
  QueryPerformanceCounter(&start);
  run(argument);
  QueryPerformanceCounter(&end);
  const double cpu = ProcessCpuMs() - cpuAtStart;
  const LONGLONG stop = FirstBoxAt != 0 ? FirstBoxAt : end.QuadPart;
  FirstBoxAt = -1;  // stop watching
  std::fprintf(stderr, "quorn-host: time %.1f ms: %s (processor %.0f ms to its end)\n",
               1000.0 * static_cast<double>(stop - start.QuadPart) / static_cast<double>(frequency.QuadPart),
               argument.c_str(), cpu);
  std::fflush(stderr);
  return true;
}

}  // namespace sim
