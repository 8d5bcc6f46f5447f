#include "sim/nested_receipt.h"

#include <windows.h>

#include <deque>

#include "sim/host.h"

namespace sim {
namespace {

const wchar_t kClassName[] = L"QuornHostReceiveLoop";
constexpr UINT kOfferNext = WM_USER + 0x51;

struct ReceiveLoop {
  HWND window = nullptr;
  std::deque<Delivery> queue;
  int offered = 0;
  std::vector<int> inProgress;  // the deliveries whose calls have not returned, innermost last
  const std::function<void(const std::string&, std::string)>* deliver = nullptr;
};

ReceiveLoop* Loop = nullptr;

void OfferFront() {
  Delivery delivery = std::move(Loop->queue.front());
  Loop->queue.pop_front();
  int number = ++Loop->offered;
  if (!Loop->queue.empty()) PostMessageW(Loop->window, kOfferNext, 0, 0);
  Loop->inProgress.push_back(number);
  (*Loop->deliver)(delivery.name, std::move(delivery.text));
  Loop->inProgress.pop_back();
  Say("(end of delivery " + std::to_string(number) + ")");
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kOfferNext || !Loop || Loop->queue.empty()) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  std::string number = std::to_string(Loop->offered + 1);
  Say(Loop->inProgress.empty()
          ? "(delivery " + number + ", offered by the host's own loop)"
          : "(delivery " + number + ", offered from inside the plug-in's call for delivery " +
                std::to_string(Loop->inProgress.back()) + ")");
  OfferFront();
  return 0;
}

}  // namespace

void ReceiveNested(std::vector<Delivery> deliveries,
                   const std::function<void(const std::string& name, std::string text)>& deliver) {
  if (deliveries.empty()) return;
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered

  ReceiveLoop loop;
  loop.window = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
  loop.queue.assign(deliveries.begin(), deliveries.end());
  loop.deliver = &deliver;
  Loop = &loop;
  Say("(delivery 1)");
  OfferFront();
  // What no call of the plug-in dispatched, the host's own loop offers now.
  MSG message;
  while (!loop.queue.empty() && PeekMessageW(&message, loop.window, kOfferNext, kOfferNext, PM_REMOVE)) {
    DispatchMessageW(&message);
  }
  Loop = nullptr;
  DestroyWindow(loop.window);
}

}  // namespace sim
