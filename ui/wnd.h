// Wnd: the base of every window of the layer. It owns one HWND, tied to the
// object at creation and found again from it; it has one virtual window
// procedure. A window that receives WM_COMMAND, WM_NOTIFY or WM_CTLCOLOR*
// from a child hands it back to the child's object (reflection), so each
// control handles its own notifications. Windows of the system's classes
// (buttons, edits, ...) are subclassed; the layer's own classes are
// registered while a window of theirs exists, and unregistered after, so
// that a module loaded again never meets a class with a stale procedure.
#pragma once

#include <windows.h>

#include <string>

namespace quorn::ui {

struct CreateArgs {
  const wchar_t* className = nullptr;  // a system class, or one of kOwnClasses
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;
  RECT bounds = {};                    // left, top, right, bottom in the parent's client
  std::string designName;
  std::string text;                    // Shift-JIS
};

// The layer's own window classes: top-level forms and plain containers
// (tab pages); both reflect, neither draws more than its background.
extern const wchar_t kFormClass[];
extern const wchar_t kPanelClass[];

class Wnd {
 public:
  Wnd() = default;
  virtual ~Wnd();
  Wnd(const Wnd&) = delete;
  Wnd& operator=(const Wnd&) = delete;

  HWND hwnd() const { return hwnd_; }
  static Wnd* FromHandle(HWND window);

  void SetText(const std::string& shiftJis);
  std::string Text() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetVisible(bool visible);
  bool Visible() const;
  void Focus();
  // The window's rectangle in its parent's client coordinates (a
  // top-level window's on the screen).
  RECT Bounds() const;
  void SetBounds(const RECT& bounds);

  // Reflected notifications of this window, sent to its parent.
  virtual void OnCommand(WORD /*code*/) {}
  virtual LRESULT OnNotify(NMHDR* /*header*/) { return 0; }
  virtual HBRUSH OnColor(HDC /*dc*/) { return nullptr; }

 protected:
  bool Create(const CreateArgs& args);
  void Destroy();
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The class's own handling (the subclassed procedure or DefWindowProc).
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window);
  void Detached();

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;  // set for subclassed system classes
  bool ownClass_ = false;
};

// The module that holds the layer's code (the plug-in DLL, or a test).
HINSTANCE LayerModule();

}  // namespace quorn::ui
