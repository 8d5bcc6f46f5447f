// Placeholder until the window layer exists: keeps the bar's state only.
#include "commands/form_progress.h"

namespace quorn {

std::unique_ptr<TFormProgress> FormProgress;

struct TFormProgress::Window {
  bool visible = false;
  int position = 0;
  int maximum = 100;
};

TFormProgress::TFormProgress() : window_(std::make_unique<Window>()) {}
TFormProgress::~TFormProgress() = default;
void TFormProgress::Show() { window_->visible = true; }
void TFormProgress::Hide() { window_->visible = false; }
void TFormProgress::SetPosition(int position) { window_->position = position; }
void TFormProgress::SetMax(int maximum) { window_->maximum = maximum; }
void TFormProgress::StepIt() { ++window_->position; }
bool TFormProgress::Visible() const { return window_->visible; }

}  // namespace quorn
