#include "win32/host_lookup.h"

namespace quorn {
namespace {

constexpr std::int32_t kPauseMs = 100;

// One WSAStartup and one WSACleanup on every path of a lookup.
class SocketsInUse {
 public:
  SocketsInUse() {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
  }
  ~SocketsInUse() { WSACleanup(); }
};

}  // namespace

void ProcessPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // leave it to the owner's loop
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

HostLookups::~HostLookups() {
  // Requests still unanswered may be completed by the system later: their
  // buffers are left allocated rather than freed under it.
  for (auto& entry : buffers_) (void)entry.second.release();
}

bool HostLookups::OnAnswer(WPARAM task, LPARAM status) {
  auto found = buffers_.find(reinterpret_cast<HANDLE>(task));
  if (found == buffers_.end()) return false;
  bool current = found->first == current_;
  if (current) {
    const auto* entry = reinterpret_cast<const hostent*>(found->second.get());
    name_ = WSAGETASYNCERROR(status) == 0 && entry->h_name ? entry->h_name : "";
  }
  buffers_.erase(found);  // answered: the system is done with the buffer
  return current;
}

std::string HostLookups::Resolve(HWND window, const std::string& ip, std::int32_t timeoutMs,
                                 std::int32_t osMajorVersion, bool& answered) {
  // A lookup started by a handler that runs during another's wait fails
  // rather than take over the waiting lookup's state.
  if (busy_) return std::string();
  busy_ = true;
  struct Done {
    bool& busy;
    ~Done() { busy = false; }
  } done{busy_};

  unsigned long address = inet_addr(ip.c_str());
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs > 0 ? timeoutMs : 0);
  SocketsInUse sockets;

  if (osMajorVersion == 4) {
    const hostent* entry = gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_INET);
    return entry && entry->h_name ? entry->h_name : std::string();
  }

  answered = false;
  name_.clear();
  auto buffer = std::make_unique<char[]>(MAXGETHOSTSTRUCT);
  HANDLE task = WSAAsyncGetHostByAddr(window, WM_APP, reinterpret_cast<const char*>(&address), 4,
                                      AF_INET, buffer.get(), MAXGETHOSTSTRUCT);
  if (task) buffers_[task] = std::move(buffer);
  current_ = task;

  // Each pause ends early when a message arrives, the answer among them,
  // so the user interface and the answer wait for no more than a moment.
  while (timeoutMs > 0 && !answered) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    ULONGLONG left = deadline - now;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left < kPauseMs ? left : kPauseMs),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    ProcessPendingMessages();
  }
  current_ = nullptr;
  if (answered) return name_;
  if (task) WSACancelAsyncRequest(task);
  return std::string();
}

}  // namespace quorn
