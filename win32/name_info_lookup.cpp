#include "win32/name_info_lookup.h"

#include <ws2tcpip.h>

#include <algorithm>

#include "win32/text_convert.h"

namespace quorn {

using GetNameInfoWFunction = int(WSAAPI*)(const SOCKADDR*, socklen_t, PWCHAR, DWORD, PWCHAR, DWORD, INT);

class NameInfoJob {
 public:
  LONG refs = 2;  // the waiting side and the worker
  HWND window = nullptr;
  WPARAM id = 0;
  HMODULE module = nullptr;  // the worker's reference to this module
  GetNameInfoWFunction getNameInfo = nullptr;
  sockaddr_in6 address{};
  wchar_t name[NI_MAXHOST] = {};
  int error = 0;
};

namespace {

// Ids with the top bit set, apart from the small task handles of Windows
// Sockets that share the message.
WPARAM NextJobId() {
  static LONG counter = 0;
  return static_cast<WPARAM>(0x80000000u | (static_cast<DWORD>(InterlockedIncrement(&counter)) & 0x7FFFFFFFu));
}

void Release(NameInfoJob* job) {
  if (InterlockedDecrement(&job->refs) == 0) delete job;
}

DWORD WINAPI NameInfoThread(void* parameter) {
  auto* job = static_cast<NameInfoJob*>(parameter);
  const HMODULE module = job->module;
  // Sockets of its own: the waiting side's end with its wait.
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) == 0) {
    job->error = job->getNameInfo(reinterpret_cast<const SOCKADDR*>(&job->address), sizeof job->address,
                                  job->name, NI_MAXHOST, nullptr, 0, NI_NAMEREQD);
    WSACleanup();
  } else {
    job->error = WSASYSNOTREADY;
  }
  PostMessageW(job->window, WM_APP, job->id, WSAMAKEASYNCREPLY(0, job->error));
  Release(job);
  FreeLibraryAndExitThread(module, 0);
}

GetNameInfoWFunction BoundGetNameInfo() {
  HMODULE sockets = GetModuleHandleW(L"ws2_32.dll");
  if (!sockets) return nullptr;
  return reinterpret_cast<GetNameInfoWFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(sockets, "GetNameInfoW")));
}

}  // namespace

NameInfoJob* StartNameInfoLookup(HWND window, const Ipv6Address& address) {
  GetNameInfoWFunction getNameInfo = BoundGetNameInfo();
  if (!getNameInfo) return nullptr;
  auto* job = new NameInfoJob;
  job->window = window;
  job->id = NextJobId();
  job->getNameInfo = getNameInfo;
  job->address.sin6_family = AF_INET6;
  std::copy(address.begin(), address.end(), job->address.sin6_addr.s6_addr);
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCWSTR>(&NameInfoThread), &job->module)) {
    delete job;
    return nullptr;
  }
  HANDLE thread = CreateThread(nullptr, 0, NameInfoThread, job, 0, nullptr);
  if (!thread) {
    FreeLibrary(job->module);
    delete job;
    return nullptr;
  }
  CloseHandle(thread);
  return job;
}

WPARAM NameInfoJobId(const NameInfoJob& job) { return job.id; }

std::string NameInfoJobName(const NameInfoJob& job) {
  std::string name;
  if (job.error != 0 || !HostAnsiFromWide(job.name, name)) return std::string();
  return name;
}

bool NameInfoJobEnded(NameInfoJob& job) { return InterlockedCompareExchange(&job.refs, 0, 0) == 1; }

void ReleaseNameInfoJob(NameInfoJob* job) {
  if (job) Release(job);
}

}  // namespace quorn
