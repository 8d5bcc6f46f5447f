#include "commands/form_progress.h"

#include <windows.h>

#include "texts/catalog.h"
#include "ui/form.h"
#include "ui/progress_bar.h"

namespace quorn {

std::unique_ptr<TFormProgress> FormProgress;

namespace {

// The commands service no window messages while they judge, so the window
// paints itself after a step, but not more often than this: what it shows
// is never further behind, and a long run does not pay for a paint a step
// (the system's bar paints at every step otherwise: 6.6 ms a step under
// Wine, measured with quorn-gallery --paint-cost).
constexpr ULONGLONG kPaintIntervalMs = 100;

ui::FormArgs Design() {
  ui::FormArgs args;
  args.designName = "FormProgress";
  args.caption = texts::kProgressCaption;
  args.clientWidth = 364;
  args.clientHeight = 43;
  args.frame = ui::Frame::ToolWindowNoIcons;
  args.placement = ui::Placement::OwnerCentre;
  return args;
}

}  // namespace

struct TFormProgress::Window {
  Window() : form(Design(), {ui::Bound(bar, {"ProgressBar1", ui::Kind::ProgressBar, "", 0, 0, 364, 17, 0, ui::kAlignTop})}) {
    bar->SetRange(0, 100);
    bar->SetStep(1);
    form.onCloseQuery = [] { return false; };  // only its callers hide it
    form.onShow = [this] {
      RECT r = bar->Bounds();
      form.SetClientSize(form.ClientSize().cx, r.bottom - r.top);  // exactly one bar high
    };
  }

  void PaintNow() {
    bar->Flush();
    RedrawWindow(form.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    lastPaint = GetTickCount64();
  }

  ui::ProgressBar* bar = nullptr;  // before the form, which fills it
  ui::Form form;
  ULONGLONG lastPaint = 0;
};

TFormProgress::TFormProgress() : window_(std::make_unique<Window>()) {}
TFormProgress::~TFormProgress() = default;

void TFormProgress::Show() {
  // Shown without taking the activation from the host's window: the
  // window takes no input.
  window_->form.Show(false);
  window_->bar->SetDeferred(true);
  window_->PaintNow();
}

void TFormProgress::Hide() {
  window_->bar->SetDeferred(false);
  window_->form.Hide();
}
void TFormProgress::SetPosition(int position) { window_->bar->SetPosition(position); }
void TFormProgress::SetMax(int maximum) { window_->bar->SetRange(window_->bar->Minimum(), maximum); }

void TFormProgress::StepIt() {
  // The bar's own step starts over at the minimum past the maximum: a
  // selection that grew after it was counted would show an empty bar.
  ui::ProgressBar& bar = *window_->bar;
  if (bar.Position() < bar.Maximum()) bar.StepIt();
  if (window_->form.Visible() && GetTickCount64() - window_->lastPaint >= kPaintIntervalMs) {
    window_->PaintNow();
  }
}

bool TFormProgress::Visible() const { return window_->form.Visible(); }

ProgressShown::ProgressShown(int maximum) {
  if (!FormProgress) return;
  FormProgress->Show();
  FormProgress->SetPosition(0);
  FormProgress->SetMax(maximum);
}

void ProgressShown::Hide() {
  if (FormProgress) FormProgress->Hide();
}

}  // namespace quorn
