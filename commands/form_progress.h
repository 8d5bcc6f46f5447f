// TFormProgress: the small modeless window with one progress bar and the
// caption "チェック中..." that the sort and check commands and the inspector
// show while they work. It has no buttons and cannot be closed by the user;
// only its callers hide it. One instance lives from VMC_OnStart to unload.
#pragma once

#include <memory>

namespace quorn {

class TFormProgress {
 public:
  TFormProgress();
  ~TFormProgress();
  TFormProgress(const TFormProgress&) = delete;
  TFormProgress& operator=(const TFormProgress&) = delete;

  void Show();                  // modeless; returns at once
  void Hide();
  void SetPosition(int position);
  void SetMax(int maximum);
  void StepIt();                // advances the bar by one step
  bool Visible() const;

 private:
  struct Window;
  std::unique_ptr<Window> window_;
};

extern std::unique_ptr<TFormProgress> FormProgress;

// FormProgress shown over one pass of `maximum` steps, from 0, and hidden
// again however the pass ends. The window is looked up again at the hide:
// the plug-in may have been unloaded while a lookup waited.
class ProgressShown {
 public:
  explicit ProgressShown(int maximum);
  ~ProgressShown() { Hide(); }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;
  // Hides the window before the end of the scope.
  void Hide();
};

}  // namespace quorn
