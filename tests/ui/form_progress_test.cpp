// The progress window: its geometry at a show and the bar as its callers
// leave it, read back from the window with the bar's own messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "commands/form_progress.h"
#include "ui/design_name.h"
#include "win32/text_convert.h"

namespace quorn {
namespace {

struct Bar {
  int position, minimum, maximum;
};

Bar ReadBar() {
  HWND bar = ui::FindDesignName(ui::FindThreadWindow(L"FormProgress"), L"ProgressBar1");
  PBRANGE range = {};
  SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  return {static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)), range.iLow, range.iHigh};
}

TEST(FormProgress, ShownOneBarHighWithItsCaption) {
  TFormProgress progress;
  HWND window = ui::FindThreadWindow(L"FormProgress");
  ASSERT_NE(window, nullptr);
  Bar design = ReadBar();
  EXPECT_EQ(design.minimum, 0);
  EXPECT_EQ(design.maximum, 100);
  progress.Show();
  EXPECT_TRUE(progress.Visible());
  RECT client = {};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 364);
  EXPECT_EQ(client.bottom, 17);
  EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU) << "no close box";
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  EXPECT_EQ(ShiftJisFromWide(caption), "チェック中...");
  progress.Hide();
  EXPECT_FALSE(IsWindowVisible(window));
  // The close box's message does not close it: only callers hide it.
  progress.Show();
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(window));
}

struct StepCase {
  int maximum;
  int steps;
  int position;  // read back after the steps
};

TEST(FormProgress, StepsAgainstTheMaximum) {
  const StepCase cases[] = {
      {0, 0, 0},        // no item: shown and hidden with no step
      {1, 1, 1},
      {7, 7, 7},        // n steps with maximum n: full
      {2000, 2000, 2000},
      {3, 5, 3},        // more items than counted: stays full rather than starting over
  };
  TFormProgress progress;
  for (const StepCase& c : cases) {
    progress.Show();
    progress.SetPosition(0);
    progress.SetMax(c.maximum);
    for (int i = 0; i < c.steps; ++i) progress.StepIt();
    Bar bar = ReadBar();
    EXPECT_EQ(bar.position, c.position) << c.maximum << "/" << c.steps;
    EXPECT_EQ(bar.maximum, c.maximum);
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_TRUE(progress.Visible());
    progress.Hide();
    EXPECT_FALSE(progress.Visible());
  }
}

}  // namespace
}  // namespace quorn
