#include "ui/design_name.h"

namespace quorn::ui {
namespace {

const wchar_t kProperty[] = L"QuornName";

struct Search {
  const std::wstring* name;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (DesignName(window) != *search->name) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

void AttachDesignName(HWND window, const std::string& name) {
  DetachDesignName(window);
  if (name.empty()) return;
  std::wstring wide(name.begin(), name.end());  // design names are ASCII
  ATOM atom = GlobalAddAtomW(wide.c_str());
  if (atom) SetPropW(window, kProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void DetachDesignName(HWND window) {
  auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropW(window, kProperty)));
  if (atom) GlobalDeleteAtom(atom);
}

std::wstring DesignName(HWND window) {
  auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(window, kProperty)));
  if (!atom) return std::wstring();
  wchar_t name[256] = {};
  UINT length = GlobalGetAtomNameW(atom, name, 256);
  return std::wstring(name, length);
}

HWND FindDesignName(HWND root, const std::wstring& name) {
  if (!root) return nullptr;
  if (DesignName(root) == name) return root;
  Search search{&name, nullptr};
  EnumChildWindows(root, MatchWindow, reinterpret_cast<LPARAM>(&search));  // all descendants
  return search.found;
}

HWND FindThreadWindow(const std::wstring& name) {
  Search search{&name, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace quorn::ui
