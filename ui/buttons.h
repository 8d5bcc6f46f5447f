// The button family: push buttons (default, cancel, closing the form with a
// result), check boxes and group boxes.
#pragma once

#include <functional>

#include "ui/control.h"

namespace quorn::ui {

class Button : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND container);
  // Runs the click as the user's would: onClick, then the form's close with
  // the button's result, if it has one. Nothing while disabled.
  void Click();
  void OnCommand(WORD code) override;

  std::function<void()> onClick;
};

class CheckBox : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND container);
  bool Checked() const;
  void SetChecked(bool checked);  // runs no click handler
  void OnCommand(WORD code) override;

  std::function<void()> onClick;
};

class GroupBox : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND container);
};

}  // namespace quorn::ui
