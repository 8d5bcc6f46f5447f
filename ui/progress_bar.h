// The progress bar: a range from a minimum to a maximum, a position and a
// step.
#pragma once

#include "ui/control.h"

namespace quorn::ui {

class ProgressBar : public Control {
 public:
  bool Create(const ControlSpec& spec, HWND container);
  void SetRange(int minimum, int maximum);
  void SetPosition(int position);
  void SetStep(int step);
  void StepIt();
  int Position() const;
  int Minimum() const;
  int Maximum() const;
};

}  // namespace quorn::ui
