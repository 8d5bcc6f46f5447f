// Form: a top-level window of the plug-in with its controls, built from its
// control table. Client size and position in pixels; tool-window frames
// (small caption with a close box only, or with no icons at all) or none;
// resizable or fixed. Shown modeless (Show, Hide) or modal (ShowModal,
// modal_loop.cpp), placed where its design says or centred over the window
// that was active when it was shown.
//
// Events: onShow (before the window appears, every show), onResize,
// onCloseQuery (may refuse a close), onClose (the close was allowed), and
// onIdle (the modal loop found no message waiting).
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/control_table.h"
#include "ui/wnd.h"
#include "win32/message_pump.h"

namespace quorn::ui {

class Button;

enum class Frame {
  ToolWindow,          // small caption, a close box only
  ToolWindowNoIcons,   // small caption, no system menu, no close box
  None,
};

enum class Placement { Design, OwnerCentre };

enum class ModalResult { None, Ok, Cancel };

struct FormArgs {
  std::string designName;
  std::string caption;  // Shift-JIS
  int left = 0;
  int top = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  Frame frame = Frame::ToolWindow;
  bool resizable = false;
  Placement placement = Placement::Design;
};

class Form : public Wnd, private MessageFilter {
 public:
  // Builds the window and the controls of the table, each bound row's
  // control into its member. Throws std::runtime_error, naming the row,
  // when a bound row's control is not made (its container is not in the
  // table, the system refused the window) or is not of its member's type.
  Form(const FormArgs& args, const std::vector<ControlSpec>& controls);
  ~Form() override;

  void Show(bool activate = true);  // modeless; returns at once
  void Hide();
  // Shows the form modally and returns how it was closed. Every other
  // enabled top-level window of the thread is disabled meanwhile. Called
  // while the form is already shown modally, it brings it to the front and
  // returns None at once.
  ModalResult ShowModal();
  bool IsModal() const { return modal_; }
  // Closes as the close box does: the close query, then the close.
  void Close();
  // Closes with a result (buttons do); a refused close keeps no result.
  void CloseWithResult(ModalResult result);

  SIZE ClientSize() const;
  void SetClientSize(int width, int height);
  void SetPosition(int left, int top);  // the window's top-left corner on the screen
  // Moves the window so that its centre is the centre of `over` (screen
  // coordinates).
  void CentreOver(const RECT& over);
  // Moves the window as little as needed to lie on the work area of the
  // monitor nearest to it (a position saved for a screen no longer there).
  void KeepOnWorkArea();
  // Re-applies the anchors of the controls held by `container`.
  void LayOut(HWND container);

  std::function<void()> onShow;
  std::function<void()> onResize;
  std::function<bool()> onCloseQuery;
  std::function<void()> onClose;
  std::function<void()> onIdle;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildControls(const std::vector<ControlSpec>& entries);
  Control* MakeControl(const ControlSpec& entry, HWND container);
  void PrepareShow();
  void PlaceOverOwner();
  void RunModalLoop();
  bool PreTranslateMessage(const MSG& message) override;
  // Enter, Esc and Tab as a dialog takes them; the pump offers every
  // message here while the form is the active modal one.
  bool HandleDialogKey(const MSG& message);

  FormArgs args_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::set<void*> bound_;  // the members filled while building
  Button* defaultButton_ = nullptr;
  Button* cancelButton_ = nullptr;
  bool modal_ = false;
  ModalResult result_ = ModalResult::None;
  int idleCalls_ = 0;
};

}  // namespace quorn::ui
