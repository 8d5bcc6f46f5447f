// Control: a child window of a form, created from one row of the form's
// control table. It keeps its design rectangle and its container's design
// size, from which it follows its container's resizing by its anchors.
#pragma once

#include <windows.h>

#include "ui/control_table.h"
#include "ui/wnd.h"

namespace quorn::ui {

class Form;

class Control : public Wnd {
 public:
  // Creates the window in `container` with the row's geometry.
  bool CreateFrom(const ControlSpec& entry, HWND container, const wchar_t* className, DWORD style,
                  DWORD exStyle = 0);
  const ControlSpec& Spec() const { return spec_; }
  HWND Container() const { return container_; }
  // The form the control lives on.
  Form* OwnerForm() const;
  // Moves and sizes the control for its container's new client size.
  void ApplyAnchors(int containerWidth, int containerHeight);

 private:
  ControlSpec spec_ = {};
  HWND container_ = nullptr;
  RECT design_ = {};
  SIZE containerDesign_ = {};
};

// The row, with the control made from it stored in `member` when the form
// is built; building fails unless it is made, as a T.
template <class T>
ControlSpec Bound(T*& member, ControlSpec row) {
  row.slot.member = &member;
  row.slot.assign = [](void* to, Control* made) {
    T* typed = dynamic_cast<T*>(made);
    *static_cast<T**>(to) = typed;
    return typed != nullptr;
  };
  return row;
}

}  // namespace quorn::ui
