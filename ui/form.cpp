#include "ui/form.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/grid.h"
#include "ui/label.h"
#include "ui/progress_bar.h"
#include "ui/tabs.h"
#include "ui/tree_view.h"

namespace quorn::ui {
namespace {

DWORD StyleOf(const FormArgs& args) {
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  switch (args.frame) {
    case Frame::ToolWindow: style |= WS_CAPTION | WS_SYSMENU; break;
    case Frame::ToolWindowNoIcons: style |= WS_CAPTION; break;
    case Frame::None: break;
  }
  if (args.resizable) style |= WS_THICKFRAME;
  return style;
}

DWORD ExStyleOf(const FormArgs& args) {
  return WS_EX_CONTROLPARENT | (args.frame == Frame::None ? 0 : WS_EX_TOOLWINDOW);
}

bool SameContainer(const char* a, const char* b) {
  if (!a || !b) return a == b;
  return std::strcmp(a, b) == 0;
}

// The order controls are created in, which is their tab order: by tab
// order within their container, untabbed controls (labels) last.
std::vector<ControlSpec> InContainer(const std::vector<ControlSpec>& entries, const char* container) {
  std::vector<ControlSpec> found;
  for (const ControlSpec& entry : entries) {
    if (SameContainer(entry.container, container)) found.push_back(entry);
  }
  std::stable_sort(found.begin(), found.end(), [](const ControlSpec& a, const ControlSpec& b) {
    auto key = [](const ControlSpec& s) { return s.tabOrder < 0 ? 1 << 30 : s.tabOrder; };
    return key(a) < key(b);
  });
  return found;
}

}  // namespace

Form::Form(const FormArgs& args, const std::vector<ControlSpec>& controls) : args_(args) {
  RECT frame = {0, 0, args.clientWidth, args.clientHeight};
  AdjustWindowRectEx(&frame, StyleOf(args), FALSE, ExStyleOf(args));
  CreateArgs create;
  create.className = kFormClass;
  create.style = StyleOf(args);
  create.exStyle = ExStyleOf(args);
  create.bounds = {args.left, args.top, args.left + frame.right - frame.left,
                   args.top + frame.bottom - frame.top};
  create.designName = args.designName;
  create.text = args.caption;
  if (Create(create)) BuildControls(controls);
  for (const ControlSpec& entry : controls) {
    // A bound row whose control was never made would leave its member null.
    if (entry.slot.assign && !bound_.count(entry.slot.member)) {
      throw std::runtime_error(std::string("the form ") + args.designName + " has no control " + entry.name);
    }
  }
}

Form::~Form() { Destroy(); }

void Form::BuildControls(const std::vector<ControlSpec>& entries) {
  struct Builder {
    Form& form;
    const std::vector<ControlSpec>& entries;
    void In(const char* container, HWND window, POINT offset) {
      for (ControlSpec entry : InContainer(entries, container)) {
        entry.left += offset.x;
        entry.top += offset.y;
        Control* control = form.MakeControl(entry, window);
        if (!control || !control->hwnd()) continue;
        if (entry.kind == Kind::GroupBox) {
          // Its controls are its siblings, placed inside its frame; the box
          // itself goes below them so that it never paints over them.
          In(entry.name, window, {entry.left, entry.top});
          SetWindowPos(control->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        } else if (entry.kind == Kind::TabControl) {
          auto* tabs = static_cast<TabControl*>(control);
          for (const ControlSpec& pageSpec : InContainer(entries, entry.name)) {
            auto* page = static_cast<TabPage*>(form.MakeControl(pageSpec, tabs->hwnd()));
            if (!page || !page->hwnd()) continue;
            tabs->AddPage(page);
            In(pageSpec.name, page->hwnd(), {0, 0});
          }
          tabs->SetPageIndex(0);
        }
      }
    }
  };
  Builder{*this, entries}.In(nullptr, hwnd(), {0, 0});
}

Control* Form::MakeControl(const ControlSpec& entry, HWND container) {
  std::unique_ptr<Control> control;
  bool created = false;
  auto make = [&](auto made) {
    created = made->Create(entry, container);
    control = std::move(made);
  };
  switch (entry.kind) {
    case Kind::Button: make(std::make_unique<Button>()); break;
    case Kind::CheckBox: make(std::make_unique<CheckBox>()); break;
    case Kind::Edit: make(std::make_unique<Edit>()); break;
    case Kind::Memo: make(std::make_unique<Memo>()); break;
    case Kind::TabControl: make(std::make_unique<TabControl>()); break;
    case Kind::TabPage: make(std::make_unique<TabPage>()); break;
    case Kind::GroupBox: make(std::make_unique<GroupBox>()); break;
    case Kind::Label: make(std::make_unique<Label>()); break;
    case Kind::TreeView: make(std::make_unique<TreeView>()); break;
    case Kind::Grid: make(std::make_unique<Grid>()); break;
    case Kind::ProgressBar: make(std::make_unique<ProgressBar>()); break;
  }
  if (!created) return nullptr;
  Control* made = control.get();
  controls_.push_back(std::move(control));
  if (entry.slot.assign) {
    if (!entry.slot.assign(entry.slot.member, made)) {
      throw std::runtime_error(std::string("the control ") + entry.name + " is not of its member's type");
    }
    bound_.insert(entry.slot.member);
  }
  if (auto* button = dynamic_cast<Button*>(made)) {
    if (entry.flags & kDefaultButton) defaultButton_ = button;
    if (entry.flags & kCancelButton) cancelButton_ = button;
  }
  return made;
}

void Form::LayOut(HWND container) {
  RECT client = {};
  GetClientRect(container, &client);
  for (const auto& control : controls_) {
    if (control->Container() == container && control->Spec().kind != Kind::TabPage) {
      control->ApplyAnchors(client.right, client.bottom);
    }
  }
}

SIZE Form::ClientSize() const {
  RECT client = {};
  GetClientRect(hwnd(), &client);
  return {client.right, client.bottom};
}

void Form::SetClientSize(int width, int height) {
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_EXSTYLE)));
  SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetPosition(int left, int top) {
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::CentreOver(const RECT& over) {
  RECT self = {};
  GetWindowRect(hwnd(), &self);
  SetPosition(over.left + (over.right - over.left - (self.right - self.left)) / 2,
              over.top + (over.bottom - over.top - (self.bottom - self.top)) / 2);
}

void Form::PrepareShow() {
  idleCalls_ = 0;
  SetPropW(hwnd(), L"QuornIdle", nullptr);
  if (onShow) onShow();
  if (args_.placement == Placement::OwnerCentre) PlaceOverOwner();
}

namespace {

RECT WorkAreaNear(HWND window) {
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

}  // namespace

void Form::KeepOnWorkArea() {
  const RECT area = WorkAreaNear(hwnd());
  RECT self = {};
  GetWindowRect(hwnd(), &self);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  // The top-left corner wins when the window is larger than the area.
  int left = std::max(area.left, std::min(self.left, area.right - width));
  int top = std::max(area.top, std::min(self.top, area.bottom - height));
  if (left != self.left || top != self.top) SetPosition(left, top);
}

// Centred over the window that is active when the form is shown (the
// host's), or over the work area when there is none; kept on the work area.
void Form::PlaceOverOwner() {
  HWND owner = GetActiveWindow();
  if (owner == hwnd() || (owner && !IsWindowVisible(owner))) owner = nullptr;
  RECT over = WorkAreaNear(owner ? owner : hwnd());
  if (owner) GetWindowRect(owner, &over);
  CentreOver(over);
  KeepOnWorkArea();
}

void Form::Show(bool activate) {
  if (IsWindowVisible(hwnd())) {
    if (activate) SetForegroundWindow(hwnd());
    return;
  }
  PrepareShow();
  ShowWindow(hwnd(), activate ? SW_SHOW : SW_SHOWNA);
}

void Form::Hide() {
  if (modal_ && result_ == ModalResult::None) result_ = ModalResult::Cancel;
  ShowWindow(hwnd(), SW_HIDE);
}

void Form::Close() { CloseWithResult(ModalResult::Cancel); }

void Form::CloseWithResult(ModalResult result) {
  if (onCloseQuery && !onCloseQuery()) return;
  if (onClose) onClose();
  if (modal_) {
    result_ = result == ModalResult::None ? ModalResult::Cancel : result;
  } else {
    Hide();
  }
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: Close(); return 0;  // the close box: never destroys the window
    case WM_SIZE:
      LayOut(hwnd());
      if (onResize) onResize();
      break;
    default: break;
  }
  return Wnd::WndProc(message, wParam, lParam);
}

}  // namespace quorn::ui
