#include "ui/progress_bar.h"

#include <commctrl.h>

namespace quorn::ui {

bool ProgressBar::Create(const ControlSpec& spec, HWND container) {
  return CreateFrom(spec, container, PROGRESS_CLASSW, 0);
}

void ProgressBar::SetRange(int minimum, int maximum) {
  SendMessageW(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

void ProgressBar::SetPosition(int position) {
  SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void ProgressBar::SetStep(int step) { SendMessageW(hwnd(), PBM_SETSTEP, static_cast<WPARAM>(step), 0); }
void ProgressBar::StepIt() { SendMessageW(hwnd(), PBM_STEPIT, 0, 0); }
int ProgressBar::Position() const { return static_cast<int>(SendMessageW(hwnd(), PBM_GETPOS, 0, 0)); }
int ProgressBar::Minimum() const { return static_cast<int>(SendMessageW(hwnd(), PBM_GETRANGE, TRUE, 0)); }
int ProgressBar::Maximum() const { return static_cast<int>(SendMessageW(hwnd(), PBM_GETRANGE, FALSE, 0)); }

}  // namespace quorn::ui
