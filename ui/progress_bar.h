// The progress bar: a range from a minimum to a maximum, a position and a
// step. The system's bar paints itself at every change of its position,
// which costs milliseconds a step under Wine; a bar with deferred painting
// counts its steps itself (answering PBM_GETPOS with the count) and hands
// the position to the control at Flush, at a paint, or when `delayMs` have
// passed after a step while messages flow (a timer), whichever is first.
#pragma once

#include "ui/control.h"

namespace quorn::ui {

class ProgressBar : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND container);
  void SetRange(int minimum, int maximum);
  void SetPosition(int position);
  void SetStep(int step);
  void StepIt();
  int Position() const;
  int Minimum() const;
  int Maximum() const;
  void SetDeferred(bool deferred, unsigned delayMs = 100);
  void Flush();

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int Advance();  // a deferred step; returns the position before it

  bool deferred_ = false;
  unsigned delayMs_ = 100;
  bool pending_ = false;  // a position the control has not been given yet
  int position_ = 0;
  DWORD lastFlush_ = 0;   // when the control was last given the count
  int step_ = 10;         // the control's own default
  int minimum_ = 0;       // the control's range, kept here so that a step needs no message
  int maximum_ = 100;
};

}  // namespace quorn::ui
