#include "sim/deferred.h"

#include <windows.h>

#include <cstdlib>
#include <deque>
#include <sstream>
#include <vector>

#include "sim/host.h"
#include "sim/host_calls.h"

namespace sim {
namespace {

struct AtCall {
  std::string function;
  long remaining;
  std::string line;
  LineRunner run;
};

std::vector<AtCall> Pending;
bool Listening = false;

void OnCall(const char* function) {
  std::vector<AtCall> due;
  for (auto it = Pending.begin(); it != Pending.end();) {
    if (it->function == function && --it->remaining <= 0) {
      due.push_back(std::move(*it));
      it = Pending.erase(it);
    } else {
      ++it;
    }
  }
  for (const AtCall& call : due) {
    Say("  at " + call.function + ": " + call.line);
    call.run(call.line);
  }
}

// Posted lines, run by a message-only window of the simulator.
constexpr UINT kRunPosted = WM_APP + 1;
std::deque<std::pair<std::string, LineRunner>> Posted;

LRESULT CALLBACK PostedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kRunPosted) return DefWindowProcW(window, message, wParam, lParam);
  if (Posted.empty()) return 0;
  auto posted = std::move(Posted.front());
  Posted.pop_front();
  Say("  dispatched: " + posted.first);
  posted.second(posted.first);
  return 0;
}

HWND PostedWindow() {
  static HWND window = [] {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PostedWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuornHostPosted";
    RegisterClassExW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
  }();
  return window;
}

}  // namespace

bool ExecuteDeferredCommand(const std::string& command, const std::string& argument, const LineRunner& run) {
  if (command == "at") {
    std::istringstream words(argument);
    std::string function, line;
    long count = 0;
    words >> function >> count;
    std::getline(words >> std::ws, line);
    if (function.empty() || count <= 0 || line.empty()) {
      Say("  usage: at FUNCTION N LINE");
      return true;
    }
    if (!Listening) {
      AddHostCallListener(OnCall);
      Listening = true;
    }
    Pending.push_back({function, count, line, run});
  } else if (command == "post") {
    Posted.emplace_back(argument, run);
    PostMessageW(PostedWindow(), kRunPosted, 0, 0);
  } else if (command == "pump") {
    // "pump" dispatches what is queued; "pump MS" goes on for MS milliseconds.
    const ULONGLONG end = GetTickCount64() + (argument.empty() ? 0 : std::stoul(argument));
    do {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      const ULONGLONG now = GetTickCount64();
      if (now >= end) break;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    } while (true);
  } else {
    return false;
  }
  return true;
}

}  // namespace sim
