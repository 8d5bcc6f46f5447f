// The reverse lookup with Windows Sockets 1.1: WSAAsyncGetHostByAddr with
// its answer posted to a window as WM_APP, a wait in pauses of at most
// 100 ms (each ending early when a message arrives) with the thread's
// window messages processed between them, and WSACancelAsyncRequest at the
// time-out; the blocking gethostbyaddr on
// systems of major version 4, where the time-out does not apply.
//
// An answer counts only when it carries the current request's task handle;
// one that reports an error ends the wait with no name. Each request's
// buffer stays allocated until its own answer has come (or for good, if it
// never comes), because a cancelled request may still be completed by the
// system: nothing can write into released memory.
#pragma once

// Windows Sockets must come before windows.h.
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace quorn {

class HostLookups {
 public:
  HostLookups() = default;
  HostLookups(const HostLookups&) = delete;
  HostLookups& operator=(const HostLookups&) = delete;
  ~HostLookups();

  // The name of `ip`, or the empty text. `answered` is the flag the owner's
  // WM_APP handler sets (through OnAnswer); it is cleared before each
  // asynchronous request.
  std::string Resolve(HWND window, const std::string& ip, std::int32_t timeoutMs,
                      std::int32_t osMajorVersion, bool& answered);

  // For the window's WM_APP handler: true when the message answers the
  // current request (with a name or with an error).
  bool OnAnswer(WPARAM task, LPARAM status);

 private:
  std::map<HANDLE, std::unique_ptr<char[]>> buffers_;  // requests not yet answered
  HANDLE current_ = nullptr;
  std::string name_;
  bool busy_ = false;
};

// Dispatches every pending message of the thread.
void ProcessPendingMessages();

}  // namespace quorn
