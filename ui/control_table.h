// The table a window lists its controls in, as its design does: design
// name, kind, caption, position and size in the container's client area,
// tab order and anchors, the container (the form itself, a tab page or a
// group box), and where building puts the control: a typed member of the
// window that owns the form (ui::Bound in ui/control.h).
#pragma once

#include <cstddef>

namespace quorn::ui {

class Control;

enum class Kind { Button, CheckBox, Edit, Memo, TabControl, TabPage, GroupBox, Label, TreeView, Grid, ProgressBar };

// Edges a control keeps its distance to when its container is resized.
enum Anchor : unsigned {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
  kAnchorsDefault = kAnchorLeft | kAnchorTop,
  kAlignTop = kAnchorLeft | kAnchorTop | kAnchorRight,  // the full width, at the top
  kAnchorsAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom,
};

enum ControlFlag : unsigned {
  kDefaultButton = 1,   // Enter clicks it
  kCancelButton = 2,    // Esc clicks it
  kClosesOk = 4,        // after its click, the form closes with the result OK
  kClosesCancel = 8,    // ... with the result Cancel
  kReadOnly = 16,       // one-line edit
  kFillContainer = 32,  // takes its container's whole client area, whatever its row says
};

// A typed member that receives the control made from a row: `assign`
// stores it there, and says false when it is not of the member's type.
struct ControlSlot {
  void* member = nullptr;
  bool (*assign)(void* member, Control* made) = nullptr;
};

struct ControlSpec {
  const char* name;
  Kind kind;
  const char* caption;  // Shift-JIS
  int left, top, width, height;  // a label of width 0 takes the size of its text
  int tabOrder;         // within the container; -1 for none (labels, group boxes follow table order)
  unsigned anchors = kAnchorsDefault;
  const char* container = nullptr;  // design name; null for the form
  unsigned flags = 0;
  ControlSlot slot = {};  // none: the form keeps the control to itself
};

}  // namespace quorn::ui
