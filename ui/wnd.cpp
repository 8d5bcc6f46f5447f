#include "ui/wnd.h"

#include <commctrl.h>

#include "ui/design_name.h"
#include "ui/font.h"
#include "win32/text_convert.h"

namespace quorn::ui {

const wchar_t kFormClass[] = L"QuornForm";
const wchar_t kPanelClass[] = L"QuornPanel";

namespace {

const wchar_t kObjectProperty[] = L"QuornWnd";
int OwnClassWindows = 0;  // windows of our classes alive: the classes stay registered meanwhile

bool IsOwnClass(const wchar_t* name) {
  return lstrcmpW(name, kFormClass) == 0 || lstrcmpW(name, kPanelClass) == 0;
}

void RegisterOwnClasses(WNDPROC procedure) {
  if (OwnClassWindows++ > 0) return;
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                       ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  for (const wchar_t* name : {kFormClass, kPanelClass}) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = LayerModule();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
  }
}

void UnregisterOwnClasses() {
  if (--OwnClassWindows > 0) return;
  UnregisterClassW(kFormClass, LayerModule());
  UnregisterClassW(kPanelClass, LayerModule());
}

// The child a notification comes from, when it is one of ours.
Wnd* NotifyingChild(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: return lParam ? Wnd::FromHandle(reinterpret_cast<HWND>(lParam)) : nullptr;
    case WM_NOTIFY: return Wnd::FromHandle(reinterpret_cast<NMHDR*>(lParam)->hwndFrom);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return Wnd::FromHandle(reinterpret_cast<HWND>(lParam));
    default: (void)wParam; return nullptr;
  }
}

}  // namespace

HINSTANCE LayerModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&LayerModule), &module);
  return module;
}

Wnd::~Wnd() { Destroy(); }

Wnd* Wnd::FromHandle(HWND window) {
  return window ? static_cast<Wnd*>(GetPropW(window, kObjectProperty)) : nullptr;
}

bool Wnd::Create(const CreateArgs& args) {
  ownClass_ = IsOwnClass(args.className);
  if (ownClass_) RegisterOwnClasses(StaticProc);
  const RECT& r = args.bounds;
  HWND window = CreateWindowExW(args.exStyle, args.className, WideFromShiftJis(args.text).c_str(),
                                args.style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                args.parent, nullptr, LayerModule(), this);
  if (!window) {
    if (ownClass_) UnregisterOwnClasses();
    ownClass_ = false;
    return false;
  }
  if (!ownClass_) {  // a system class: subclass it now
    Attach(window);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc)));
  }
  AttachDesignName(window, args.designName);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
  return true;
}

void Wnd::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Wnd::Attach(HWND window) {
  hwnd_ = window;
  SetPropW(window, kObjectProperty, this);
}

void Wnd::Detached() {
  DetachDesignName(hwnd_);
  RemovePropW(hwnd_, kObjectProperty);
  if (original_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  hwnd_ = nullptr;
  if (ownClass_) UnregisterOwnClasses();
  ownClass_ = false;
}

LRESULT CALLBACK Wnd::StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Wnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self && !FromHandle(window)) self->Attach(window);
  }
  Wnd* self = FromHandle(window);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    WNDPROC original = self->original_;
    self->Detached();
    return original ? CallWindowProcW(original, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->WndProc(message, wParam, lParam);
  } catch (...) {
    // No exception may unwind through the system's frames into the host: a
    // handler that failed leaves the message to the default handling.
    return self->original_ ? CallWindowProcW(self->original_, window, message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT Wnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (Wnd* child = NotifyingChild(message, wParam, lParam)) {
    switch (message) {
      case WM_COMMAND: child->OnCommand(HIWORD(wParam)); return 0;
      case WM_NOTIFY: return child->OnNotify(reinterpret_cast<NMHDR*>(lParam));
      default:
        if (HBRUSH brush = child->OnColor(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
        break;
    }
  }
  return CallDefault(message, wParam, lParam);
}

LRESULT Wnd::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return original_ ? CallWindowProcW(original_, hwnd_, message, wParam, lParam)
                   : DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Wnd::SetText(const std::string& shiftJis) {
  SetWindowTextW(hwnd_, WideFromShiftJis(shiftJis).c_str());
}

std::string Wnd::Text() const {
  int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return ShiftJisFromWide(text);
}

void Wnd::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }
bool Wnd::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
void Wnd::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
bool Wnd::Visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
void Wnd::Focus() { SetFocus(hwnd_); }

RECT Wnd::Bounds() const {
  RECT r = {};
  GetWindowRect(hwnd_, &r);
  HWND parent = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd_) : nullptr;
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void Wnd::SetBounds(const RECT& r) {
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quorn::ui
