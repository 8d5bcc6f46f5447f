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

// Wine's cancel of an asynchronous request does nothing but report success.
// Wine is known by its loader's export or, where a setting hides that, by
// the registry key every Wine prefix has.
bool RunsUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll && GetProcAddress(ntdll, "wine_get_version")) return true;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, L"Software\\Wine", 0, KEY_READ, &key) == ERROR_SUCCESS) {
      RegCloseKey(key);
      return true;
    }
  }
  return false;
}

// Waits until `done` or the deadline. Each pause ends early when a message
// arrives, the answers among them, so the user interface and the answer
// wait for no more than a moment; at the nesting bound only the answers
// are dispatched.
template <class Done>
void WaitUntil(Done done, ULONGLONG deadline, bool atBound, HWND window) {
  while (!done()) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
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
}

}  // namespace

HostLookups::HostLookups(HINSTANCE module, bool& answered, HostLookupOptions options)
    : abandonedHoldMs_(options.abandonedHoldMs),
      cancelStopsAnswers_(!(options.detectWine && RunsUnderWine())),
      answered_(answered),
      window_(module, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (message != WM_APP) return false;
        if (OnAnswer(wParam, lParam)) answered_ = true;
        result = 0;
        return true;
      }) {
  for (Slot& slot : slots_) slot.buffer = std::make_unique<char[]>(MAXGETHOSTSTRUCT);
}

HostLookups::~HostLookups() {
  // Requests still unanswered may be completed by the system later: their
  // buffers are left allocated rather than freed under it. A worker holds
  // its own share of its job.
  for (Slot& slot : slots_) {
    if (slot.task != 0 && !slot.job) (void)slot.buffer.release();
    ReleaseNameInfoJob(slot.job);
  }
}

std::size_t HostLookups::Unanswered() const {
  std::size_t held = 0;
  for (const Slot& slot : slots_) held += slot.task != 0;
  return held;
}

void HostLookups::Free(Slot& slot) {
  ReleaseNameInfoJob(slot.job);
  slot.job = nullptr;
  slot.task = 0;
  slot.abandonedAt = 0;
  slot.freedAs = ++freeings_;
}

HostLookups::Slot* HostLookups::FreeSlot() {
  Slot* free = nullptr;
  Slot* expired = nullptr;
  const ULONGLONG now = GetTickCount64();
  for (Slot& slot : slots_) {
    // An IPv6 worker whose answer was lost (its window gone, the queue full)
    // has ended all the same.
    if (slot.task != 0 && slot.abandonedAt != 0 && slot.job && NameInfoJobEnded(*slot.job)) Free(slot);
    if (slot.task == 0) {
      if (!free || slot.freedAs < free->freedAs) free = &slot;
    } else if (slot.abandonedAt != 0 && now - slot.abandonedAt >= abandonedHoldMs_ && !expired) {
      expired = &slot;
    }
  }
  if (free) return free;
  if (!expired || retired_ >= kMaxRetired) return nullptr;
  // The system may still write the old buffer, or the worker its job: both
  // are left to it.
  ++retired_;
  if (!expired->job) {
    (void)expired->buffer.release();
    expired->buffer = std::make_unique<char[]>(MAXGETHOSTSTRUCT);
  }
  Free(*expired);
  return expired;
}

void HostLookups::Abandon(Slot& slot) {
  if (!slot.job && WSACancelAsyncRequest(reinterpret_cast<HANDLE>(slot.task)) == 0 && cancelStopsAnswers_) {
    cancelled_[nextCancelled_++ % kMaxUnanswered] = slot.task;
    Free(slot);
  } else {
    slot.abandonedAt = GetTickCount64();
  }
}

HostLookups::Slot* HostLookups::SlotOf(WPARAM task) {
  for (Slot& slot : slots_) {
    if (task != 0 && slot.task == task) return &slot;
  }
  return nullptr;
}

void HostLookups::Reissued(WPARAM task, const Slot& slot) {
  // A slot still holding the handle from before is free, and a lookup still
  // waiting for it has failed, as its answer could no longer be told from
  // the new one.
  for (Slot& old : slots_) {
    if (&old != &slot && old.task == task) Free(old);
  }
  for (Request* waiting : waiting_) {
    if (waiting->task == task) {
      waiting->task = 0;
      waiting->name.clear();
      waiting->answered = true;
    }
  }
  for (WPARAM& cancelled : cancelled_) {
    if (cancelled == task) cancelled = 0;
  }
}

bool HostLookups::OnAnswer(WPARAM task, LPARAM status) {
  Slot* slot = SlotOf(task);
  if (!slot) {
    // An answer to a request cancelled with success: this system's cancel
    // changes nothing, and from now on slots are held until the answer.
    for (WPARAM cancelled : cancelled_) {
      if (cancelled == task) cancelStopsAnswers_ = false;
    }
    return false;
  }
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
      const auto* entry = reinterpret_cast<const hostent*>(slot->buffer.get());
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

  // While this lookup waits it is the innermost one; when it ends, the flag
  // tells again whether the lookup outside it has had its answer.
  answered = false;
  Request request;
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

  Slot* slot = FreeSlot();
  if (!slot && timeoutMs > 0) WaitUntil([&] { return (slot = FreeSlot()) != nullptr; }, deadline, atBound, window);
  if (!slot) return std::string();  // every slot held for the whole time-out: a failed lookup
  if (target.kind == LookupTarget::IPv6) {
    if (NameInfoJob* job = StartNameInfoLookup(window, target.v6)) {
      slot->job = job;
      slot->task = NameInfoJobId(*job);
    }
  } else {
    HANDLE task = WSAAsyncGetHostByAddr(window, WM_APP, reinterpret_cast<const char*>(&address), 4, AF_INET,
                                        slot->buffer.get(), MAXGETHOSTSTRUCT);
    // A handle given again belongs to a request that is over.
    if (task) Reissued(reinterpret_cast<WPARAM>(task), *slot);
    slot->task = reinterpret_cast<WPARAM>(task);
  }
  request.task = slot->task;
  if (!request.task) return std::string();  // not started: a failed lookup

  if (timeoutMs > 0) WaitUntil([&] { return answered; }, deadline, atBound, window);
  // An answer already queued when the time runs out still counts: a nested
  // lookup may have held this one past its time-out without dispatching it.
  if (!request.answered && timeoutMs > 0) DispatchAnswers(window);
  if (request.answered) return request.name;
  if (slot->task == request.task) Abandon(*slot);
  return std::string();
}

std::int32_t SystemMajorVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;  // the 148-byte record
  return GetVersionExA(&info) ? static_cast<std::int32_t>(info.dwMajorVersion) : 0;
}

}  // namespace quorn
