#include "hostapi/velmo_api.h"

#include <cstring>

namespace quorn {

CVelmoAPI HostAPI;

namespace {

// Stores a looked-up address in an entry of its real type.
template <class T>
void Assign(T& entry, FARPROC address) {
  entry = reinterpret_cast<T>(reinterpret_cast<void*>(address));
}

bool IsOptional(const char* name) {
  return std::strcmp(name, "VMA_SetStatus") == 0 || std::strcmp(name, "VMA_NextUnread") == 0;
}

}  // namespace

void CVelmoAPI::Clear() { *this = CVelmoAPI(); }

bool CVelmoAPI::BindHost() {
  if (Module) return true;
  HMODULE exe = GetModuleHandleA(nullptr);
  if (!exe) return false;

#define QUORN_BIND_REQUIRED(name, type)                  \
  if (!IsOptional(#name)) {                              \
    FARPROC address = GetProcAddress(exe, #name);        \
    if (!address) {                                      \
      Clear();                                           \
      return false;                                      \
    }                                                    \
    Assign(name, address);                               \
  }
  QUORN_VELMO_FUNCTIONS(QUORN_BIND_REQUIRED)
#undef QUORN_BIND_REQUIRED
  Assign(VMA_SetStatus, GetProcAddress(exe, "VMA_SetStatus"));
  Assign(VMA_NextUnread, GetProcAddress(exe, "VMA_NextUnread"));
  Module = exe;

  const char* version = VMA_GetVersion();
  if (!version) version = "";
  if (lstrlenA(version) <= 7 && lstrcmpA(version, "2.00.06") < 0) return true;
  if (VMA_SetStatus) return true;
  Clear();
  return false;
}

}  // namespace quorn
