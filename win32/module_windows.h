// Windows whose procedure lies in a module, made harmless when the module
// goes while they stay. The plug-in's last reference can be held by a
// reverse lookup's worker thread (win32/name_info_lookup.h): when the host
// has let go first, the module is unloaded on that thread as it ends. The
// plug-in's windows belong to the host's thread and cannot be destroyed
// from another; they are given the default window procedure instead, so no
// message that still reaches them (a lookup's late answer among them) calls
// code that is gone.
#pragma once

#include <windows.h>

namespace quorn {

// Every window of `thread` (and each child of one) whose procedure lies in
// `module` gets DefWindowProcW; `known` is checked too (message-only
// windows are not enumerated with the others). Returns how many changed.
int DisarmModuleWindows(HMODULE module, DWORD thread, HWND known);

}  // namespace quorn
