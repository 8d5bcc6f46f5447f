#include "ui/progress_bar.h"

#include <commctrl.h>

namespace quorn::ui {

constexpr UINT_PTR kFlushTimer = 1;

bool ProgressBar::Create(const ControlSpec& entry, HWND container) {
  return CreateFrom(entry, container, PROGRESS_CLASSW, 0);
}

void ProgressBar::SetRange(int minimum, int maximum) {
  SendMessageW(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

void ProgressBar::SetPosition(int position) {
  SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void ProgressBar::SetStep(int step) {
  SendMessageW(hwnd(), PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}
void ProgressBar::StepIt() {
  if (deferred_) {
    Advance();
  } else {
    SendMessageW(hwnd(), PBM_STEPIT, 0, 0);
  }
}

int ProgressBar::Position() const {
  return pending_ ? position_ : static_cast<int>(SendMessageW(hwnd(), PBM_GETPOS, 0, 0));
}

int ProgressBar::Minimum() const { return minimum_; }
int ProgressBar::Maximum() const { return maximum_; }

int ProgressBar::Advance() {
  const int old = Position();
  if (!pending_) SetTimer(hwnd(), kFlushTimer, delayMs_, nullptr);
  position_ = old + step_;
  if (position_ > maximum_) position_ = minimum_;  // as the control itself starts over
  pending_ = true;
  // A busy run dispatches no messages, so the timer alone would never show
  // the count: once the screen is a pause behind, it is painted at once.
  if (GetTickCount() - lastFlush_ >= delayMs_) {
    Flush();
    UpdateWindow(hwnd());
  }
  return old;
}

void ProgressBar::SetDeferred(bool deferred, unsigned delayMs) {
  if (!deferred) Flush();
  deferred_ = deferred;
  delayMs_ = delayMs;
}

void ProgressBar::Flush() {
  if (!pending_) return;
  pending_ = false;
  lastFlush_ = GetTickCount();
  KillTimer(hwnd(), kFlushTimer);
  CallDefault(PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

LRESULT ProgressBar::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case PBM_STEPIT:
      if (deferred_) return Advance();
      break;
    case PBM_GETPOS:
      if (pending_) return position_;
      break;
    case PBM_SETPOS:
      pending_ = false;
      break;
    case WM_TIMER:
      if (wParam != kFlushTimer) break;
      Flush();
      return 0;
    case WM_PAINT:
      Flush();  // paints what was counted
      break;
    case PBM_SETSTEP:
      step_ = static_cast<int>(wParam);
      break;
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
      Flush();  // the control clamps the position it holds
      LRESULT result = Control::WndProc(message, wParam, lParam);
      minimum_ = static_cast<int>(CallDefault(PBM_GETRANGE, TRUE, 0));
      maximum_ = static_cast<int>(CallDefault(PBM_GETRANGE, FALSE, 0));
      return result;
    }
    default: break;
  }
  return Control::WndProc(message, wParam, lParam);
}

}  // namespace quorn::ui
