#include "win32/module_windows.h"

namespace quorn {
namespace {

struct Disarm {
  ULONG_PTR begin = 0, end = 0;
  int changed = 0;
};

void DisarmOne(HWND window, Disarm& disarm) {
  const auto procedure = static_cast<ULONG_PTR>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  if (procedure < disarm.begin || procedure >= disarm.end) return;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
  ++disarm.changed;
}

BOOL CALLBACK DisarmChild(HWND window, LPARAM parameter) {
  DisarmOne(window, *reinterpret_cast<Disarm*>(parameter));
  return TRUE;
}

BOOL CALLBACK DisarmTopLevel(HWND window, LPARAM parameter) {
  DisarmOne(window, *reinterpret_cast<Disarm*>(parameter));
  EnumChildWindows(window, DisarmChild, parameter);
  return TRUE;
}

}  // namespace

int DisarmModuleWindows(HMODULE module, DWORD thread, HWND known) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(module) + dos->e_lfanew);
  Disarm disarm;
  disarm.begin = reinterpret_cast<ULONG_PTR>(module);
  disarm.end = disarm.begin + nt->OptionalHeader.SizeOfImage;
  EnumThreadWindows(thread, DisarmTopLevel, reinterpret_cast<LPARAM>(&disarm));
  if (known && IsWindow(known)) DisarmTopLevel(known, reinterpret_cast<LPARAM>(&disarm));
  return disarm.changed;
}

}  // namespace quorn
