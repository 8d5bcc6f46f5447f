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

HostLookups::HostLookups(HINSTANCE module, bool& answered)
    : answered_(answered), window_(module, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (message != WM_APP) return false;
        if (OnAnswer(wParam, lParam)) answered_ = true;
        result = 0;
        return true;
      }) {}

HostLookups::~HostLookups() {
  // Requests still unanswered may be completed by the system later: their
  // buffers are left allocated rather than freed under it.
  for (auto& entry : buffers_) (void)entry.second.release();
  for (auto& entry : nameJobs_) ReleaseNameInfoJob(entry.second);
}

bool HostLookups::OnAnswer(WPARAM task, LPARAM status) {
  auto job = nameJobs_.find(task);
  if (job != nameJobs_.end()) {
    Request* owner = nullptr;
    for (Request* request : waiting_) {
      if (request->task == reinterpret_cast<HANDLE>(task)) owner = request;
    }
    if (owner) {
      owner->name = WSAGETASYNCERROR(status) == 0 ? NameInfoJobName(*job->second) : "";
      owner->answered = true;
    }
    ReleaseNameInfoJob(job->second);
    nameJobs_.erase(job);
    return owner && owner == waiting_.back();
  }
  auto found = buffers_.find(reinterpret_cast<HANDLE>(task));
  if (found == buffers_.end()) return false;
  Request* owner = nullptr;
  for (Request* request : waiting_) {
    if (request->task == found->first) owner = request;
  }
  if (owner) {
    const auto* entry = reinterpret_cast<const hostent*>(found->second.get());
    owner->name = WSAGETASYNCERROR(status) == 0 && entry->h_name ? entry->h_name : "";
    owner->answered = true;
  }
  buffers_.erase(found);  // answered: the system is done with the buffer
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
  auto buffer = std::make_unique<char[]>(MAXGETHOSTSTRUCT);
  Request request;
  if (target.kind == LookupTarget::IPv6) {
    if (NameInfoJob* job = StartNameInfoLookup(window, target.v6)) {
      request.task = reinterpret_cast<HANDLE>(NameInfoJobId(*job));
      nameJobs_[NameInfoJobId(*job)] = job;
    }
  } else {
    request.task = WSAAsyncGetHostByAddr(window, WM_APP, reinterpret_cast<const char*>(&address), 4,
                                         AF_INET, buffer.get(), MAXGETHOSTSTRUCT);
    if (request.task) buffers_[request.task] = std::move(buffer);
  }

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
  auto job = nameJobs_.find(reinterpret_cast<WPARAM>(request.task));
  if (job != nameJobs_.end()) {
    // The worker cannot be stopped: it ends on its own, and its answer,
    // finding no job, is dropped.
    ReleaseNameInfoJob(job->second);
    nameJobs_.erase(job);
  } else if (request.task) {
    WSACancelAsyncRequest(request.task);
  }
  return std::string();
}

std::int32_t SystemMajorVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;  // the 148-byte record
  return GetVersionExA(&info) ? static_cast<std::int32_t>(info.dwMajorVersion) : 0;
}

}  // namespace quorn
