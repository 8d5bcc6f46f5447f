// The simulator's window automation against real forms of the window layer:
// queued actions run when their window is shown, as a script runs them
// against the plug-in's windows, and write the transcript.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/form_progress.h"
#include "sim/window_actions.h"
#include "ui/buttons.h"
#include "ui/edits.h"
#include "ui/form.h"
#include "ui/grid.h"
#include "ui/tree_view.h"

namespace sim {

std::vector<std::string> Transcript;
void Say(const std::string& line) { Transcript.push_back(line); }
std::string HideDataFolder(std::string text) { return text; }

namespace {

using namespace quorn::ui;

struct Controls {
  Edit* edit = nullptr;
  Memo* memo = nullptr;
  TreeView* tree = nullptr;
  Grid* grid = nullptr;
  Button* ok = nullptr;
};

std::vector<ControlSpec> Table(Controls& c) {
  return {
      {"PageControl1", Kind::TabControl, "", 0, 0, 300, 150, 0, kAlignTop},
      {"TabSheetGeneral", Kind::TabPage, "全般", 0, 0, 0, 0, 0, kAnchorsDefault, "PageControl1"},
      {"TabSheetSkip", Kind::TabPage, "除外", 0, 0, 0, 0, 1, kAnchorsDefault, "PageControl1"},
      {"CheckBoxFolder", Kind::CheckBox, "ゴミ箱に捨てる", 8, 8, 105, 17, 0, kAnchorsDefault, "TabSheetGeneral"},
      Bound(c.edit, {"EditTimeOut", Kind::Edit, "", 8, 30, 89, 20, 1, kAnchorsDefault, "TabSheetGeneral"}),
      Bound(c.memo, {"MemoSkip", Kind::Memo, "", 0, 0, 290, 100, 0, kAnchorsAll, "TabSheetSkip"}),
      Bound(c.tree, {"TreeView1", Kind::TreeView, "", 0, 150, 150, 80, 1}),
      Bound(c.grid, {"DrawGrid1", Kind::Grid, "", 150, 150, 150, 80, 2}),
      Bound(c.ok, {"ButtonOk", Kind::Button, "OK", 130, 240, 75, 25, 3, kAnchorsDefault, nullptr,
                   kDefaultButton | kClosesOk}),
      {"ButtonCancel", Kind::Button, "Cancel", 215, 240, 75, 25, 4, kAnchorsDefault, nullptr,
       kCancelButton | kClosesCancel},
  };
}

FormArgs Args() {
  FormArgs args;
  args.designName = "FormMain";
  args.caption = "設定";
  args.clientWidth = 300;
  args.clientHeight = 270;
  return args;
}

TEST(WindowActions, AScriptDrivesAModalFormByDesignNames) {
  Transcript.clear();
  Controls controls;
  Form form(Args(), Table(controls));
  controls.edit->keyFilter = [](wchar_t c) { return c < 32 || (c >= L'0' && c <= L'9'); };
  TreeView* tree = controls.tree;
  HTREEITEM root = tree->Add(TVI_ROOT, "MailBox1");
  tree->Add(tree->Add(root, "Junk"), "Spam");
  Grid* grid = controls.grid;
  grid->SetColumnCount(2);
  grid->SetRowCount(4);
  grid->onDrawCell = [](GridCanvas& canvas, int column, int row, const RECT&, GridCellState) {
    if (row == 2) canvas.SetTextColour(RGB(255, 0, 0));
    canvas.Text(0, 0, row == 0 ? (column ? "分類" : "") : std::to_string(column * 10 + row));
  };
  std::string clicked;
  controls.ok->onClick = [&] { clicked = "ok"; };
  int idles = 0;
  form.onIdle = [&] { ++idles; };

  const char* const script[] = {
      "FormMain wait-idle",
      "FormMain click CheckBoxFolder",
      "FormMain type EditTimeOut 12a-3",
      "FormMain tab PageControl1 1",
      "FormMain set-text MemoSkip 10.0.0.0/8\\r\\n192.168.0.0/16",
      "FormMain tree TreeView1 MailBox1\\Junk\\Spam",
      "FormMain grid DrawGrid1 1 2",
      "FormMain print CheckBoxFolder",
      "FormMain print EditTimeOut",
      "FormMain print PageControl1",
      "FormMain print TreeView1",
      "FormMain print DrawGrid1",
      "FormMain print FormMain",
      "FormMain screenshot shot.bmp",
      "FormMain key EditTimeOut enter",
  };
  for (const char* line : script) ASSERT_TRUE(QueueWindowAction(line)) << line;
  EXPECT_FALSE(QueueWindowAction("FormMain frobnicate ButtonOk"));

  EXPECT_EQ(form.ShowModal(), ModalResult::Ok);
  EXPECT_EQ(clicked, "ok");
  EXPECT_EQ(controls.memo->Lines(), (std::vector<std::string>{"10.0.0.0/8", "192.168.0.0/16"}));
  EXPECT_EQ(grid->SelectionFirst(), 1);
  EXPECT_EQ(grid->SelectionLast(), 2);
  const std::vector<std::string> expected = {
      u8"  [FormMain] wait-idle",
      u8"  [FormMain] click CheckBoxFolder",
      u8"  [FormMain] type EditTimeOut 12a-3",
      u8"  [FormMain] tab PageControl1 1",
      u8"  [FormMain] set-text MemoSkip 10.0.0.0/8\\r\\n192.168.0.0/16",
      u8"  [FormMain] tree TreeView1 MailBox1\\Junk\\Spam",
      u8"  [FormMain] grid DrawGrid1 1 2",
      u8"  [FormMain] print CheckBoxFolder: \"ゴミ箱に捨てる\" checked enabled hidden at 8,8 size 105x17",
      u8"  [FormMain] print EditTimeOut: \"123\" enabled hidden at 8,30 size 89x20",
      u8"  [FormMain] print PageControl1: \"\" enabled at 0,0 size 300x150, page 1",
      u8"  [FormMain] print TreeView1: \"\" enabled at 0,150 size 150x80, selected \"MailBox1\\Junk\\Spam\"",
      u8"  [FormMain] print TreeView1:  MailBox1",
      u8"  [FormMain] print TreeView1:    Junk",
      u8"  [FormMain] print TreeView1:      Spam",
      u8"  [FormMain] print DrawGrid1: \"\" enabled at 150,150 size 150x80",
      u8"  [FormMain] print DrawGrid1:  row 0:  #000000 | 分類 #000000",
      u8"  [FormMain] print DrawGrid1:  row 1: 1 #000000 | 11 #000000",
      u8"  [FormMain] print DrawGrid1:  row 2: 2 #FF0000 | 12 #FF0000",
      u8"  [FormMain] print DrawGrid1:  row 3: 3 #000000 | 13 #000000",
      u8"  [FormMain] print FormMain: \"設定\" enabled at 0,0 client 300x270",
      u8"  [FormMain] screenshot shot.bmp: no display (the null graphics driver)",
      u8"  [FormMain] key EditTimeOut enter",
  };
  EXPECT_EQ(Transcript, expected);
  Transcript.clear();
  ReportPendingWindowActions();
  EXPECT_EQ(Transcript, std::vector<std::string>{"  no window action pending"});
}

TEST(WindowActions, AtAHostCallTheBusyProgressWindowIsRead) {
  Transcript.clear();
  quorn::TFormProgress progress;
  ASSERT_TRUE(QueueWindowAction("FormProgress at VMA_GetHeader 3 print ProgressBar1"));
  ASSERT_TRUE(QueueWindowAction("FormProgress at VMA_GetHeader 5 print FormProgress"));
  ASSERT_TRUE(QueueWindowAction("FormMain click ButtonOk"));  // never shown
  progress.Show();
  progress.SetPosition(0);
  progress.SetMax(5);
  for (int i = 0; i < 5; ++i) {
    progress.StepIt();
    RunWindowActionsAt("VMA_GetHeader");
  }
  progress.Hide();
  ReportPendingWindowActions();
  const std::vector<std::string> expected = {
      u8"  [FormProgress] print ProgressBar1: \"\" enabled at 0,0 size 364x17, position 3 of 0..5",
      u8"  [FormProgress] print FormProgress: \"チェック中...\" enabled at 327,364 client 364x17",
      "  NOT RUN: [FormMain] click ButtonOk",
  };
  EXPECT_EQ(Transcript, expected);
}

}  // namespace
}  // namespace sim
