#include "win32/host_lookup.h"

#include "engine/ip_address.h"
#include "win32/message_pump.h"
#include "win32/name_info_lookup.h"

namespace quorn {
namespace {

constexpr std::int32_t kPauseMs = 100;
// At the nesting bound, a wake by some other message than an answer is
// followed by this short sleep, so that messages left in the queue cannot
// make the wait spin.
constexpr DWORD kBoundedRetryMs = 10;

// One WSAStartup and one WSACleanup on every path of a lookup.
class SocketsInUse {
 public:
  SocketsInUse() {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
  }
  ~SocketsInUse() { WSACleanup(); }
};

// Dispatches only the lookup answers (WM_APP) already posted to `window`.
int DispatchAnswers(HWND window) {
  int count = 0;
  MSG message;
  while (PeekMessageW(&message, window, WM_APP, WM_APP, PM_REMOVE)) {
    DispatchMessageW(&message);
    ++count;
  }
  return count;
}

}  // namespace

HostLookups::HostLookups(HINSTANCE module, bool& answered, unsigned long long abandonedHoldMs)
    : abandonedHoldMs_(abandonedHoldMs),
      slots_(std::make_unique<Slot[]>(kMaxUnanswered)),
      answered_(answered),
      window_(module, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (message != WM_APP) return false;
        if (OnAnswer(wParam, lParam)) answered_ = true;
        result = 0;
        return true;
      }) {}

HostLookups::~HostLookups() {
  // Requests still unanswered may be completed by the system later: their
  // buffers are left allocated rather than freed under it. A worker holds
  // its own share of its job.
  bool systemMayWrite = false;
  for (std::size_t i = 0; i < kMaxUnanswered; ++i) {
    Slot& slot = slots_[i];
    if (slot.task != 0 && !slot.job) systemMayWrite = true;
    ReleaseNameInfoJob(slot.job);
  }
  if (systemMayWrite) (void)slots_.release();
}

std::size_t HostLookups::Unanswered() const {
  std::size_t held = 0;
  for (std::size_t i = 0; i < kMaxUnanswered; ++i) held += slots_[i].task != 0;
  return held;
}

void HostLookups::Free(Slot& slot) {
  ReleaseNameInfoJob(slot.job);
  slot.job = nullptr;
  slot.task = 0;
  slot.abandonedAt = 0;
}

HostLookups::Slot* HostLookups::FreeSlot() {
  const ULONGLONG now = GetTickCount64();
  Slot* free = nullptr;
  for (std::size_t i = 0; i < kMaxUnanswered; ++i) {
    Slot& slot = slots_[i];
    if (slot.task != 0 && slot.abandonedAt != 0 && now - slot.abandonedAt >= abandonedHoldMs_) Free(slot);
    if (slot.task == 0 && !free) free = &slot;
  }
  return free;
}

bool HostLookups::OnAnswer(WPARAM task, LPARAM status) {
  if (task == 0) return false;
  Slot* slot = nullptr;
  for (std::size_t i = 0; i < kMaxUnanswered && !slot; ++i) {
    if (slots_[i].task == task) slot = &slots_[i];
  }
  if (!slot) return false;
  Request* owner = nullptr;
  for (Request* request : waiting_) {
    if (request->task == task) owner = request;
  }
  if (owner) {
    if (WSAGETASYNCERROR(status) != 0) {
      owner->name.clear();
    } else if (slot->job) {
      owner->name = NameInfoJobName(*slot->job);
    } else {
      const auto* entry = reinterpret_cast<const hostent*>(slot->buffer);
      owner->name = entry->h_name ? entry->h_name : "";
    }
    owner->answered = true;
  }
  Free(*slot);  // answered: the system and the worker are done with it
  return owner && owner == waiting_.back();
}

std::string HostLookups::Resolve(const std::string& ip, std::int32_t timeoutMs, std::int32_t osMajorVersion) {
  const HWND window = window_.hwnd();
  bool& answered = answered_;
  const LookupTarget target = ReverseLookupTarget(ip);
  unsigned long address =
      target.kind == LookupTarget::MappedIPv4 ? htonl(target.v4) : inet_addr(ip.c_str());
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs > 0 ? timeoutMs : 0);
  SocketsInUse sockets;

  if (osMajorVersion == 4) {
    if (target.kind == LookupTarget::IPv6) return std::string();
    const hostent* entry = gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_INET);
    return entry && entry->h_name ? entry->h_name : std::string();
  }

  answered = false;
  // Every slot held by a request not yet answered: the lookup fails at once.
  Slot* slot = FreeSlot();
  if (!slot) return std::string();
  Request request;
  if (target.kind == LookupTarget::IPv6) {
    if (NameInfoJob* job = StartNameInfoLookup(window, target.v6)) {
      slot->job = job;
      slot->task = NameInfoJobId(*job);
    }
  } else {
    HANDLE task = WSAAsyncGetHostByAddr(window, WM_APP, reinterpret_cast<const char*>(&address), 4, AF_INET,
                                        slot->buffer, MAXGETHOSTSTRUCT);
    slot->task = reinterpret_cast<WPARAM>(task);
  }
  request.task = slot->task;

  // While this lookup waits it is the innermost one; when it ends, the flag
  // tells again whether the lookup outside it has had its answer.
  waiting_.push_back(&request);
  struct Leave {
    std::vector<Request*>& waiting;
    bool& answered;
    ~Leave() {
      waiting.pop_back();
      if (!waiting.empty()) answered = waiting.back()->answered;
    }
  } leave{waiting_, answered};
  const bool atBound = waiting_.size() >= kMaxWaiting;

  // Each pause ends early when a message arrives, the answer among them,
  // so the user interface and the answer wait for no more than a moment.
  while (timeoutMs > 0 && !answered) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    ULONGLONG left = deadline - now;
    DWORD pause = static_cast<DWORD>(left < kPauseMs ? left : kPauseMs);
    if (!atBound) {
      MsgWaitForMultipleObjectsEx(0, nullptr, pause, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      PumpWaitingMessages();
    } else {
      bool woken = MsgWaitForMultipleObjectsEx(0, nullptr, pause, QS_POSTMESSAGE, 0) == WAIT_OBJECT_0;
      if (DispatchAnswers(window) == 0 && woken) Sleep(pause < kBoundedRetryMs ? pause : kBoundedRetryMs);
    }
  }
  // An answer already queued when the time runs out still counts: a nested
  // lookup may have held this one past its time-out without dispatching it.
  if (!request.answered && timeoutMs > 0 && request.task) DispatchAnswers(window);
  if (request.answered) return request.name;
  // Unanswered, the request keeps its slot until its answer comes. A worker
  // cannot be stopped: it ends on its own, and its answer frees the slot.
  // A cancelled request may never be answered: its slot is taken again
  // after the hold.
  if (request.task && slot->task == request.task && !slot->job) {
    WSACancelAsyncRequest(reinterpret_cast<HANDLE>(request.task));
    slot->abandonedAt = GetTickCount64();
  }
  return std::string();
}

std::int32_t SystemMajorVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;  // the 148-byte record
  return GetVersionExA(&info) ? static_cast<std::int32_t>(info.dwMajorVersion) : 0;
}

}  // namespace quorn
