// Layout mechanics: a form's client size and its controls' rectangles come
// from its table (group boxes and tab pages offset their controls), and the
// anchors follow a resize.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <stdexcept>

#include "ui/design_name.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/tabs.h"

namespace quorn::ui {
namespace {

const std::vector<ControlSpec> kControls = {
    {"PageControl1", Kind::TabControl, "", 0, 0, 466, 201, 0, kAlignTop},
    {"TabSheetGeneral", Kind::TabPage, "全般", 0, 0, 0, 0, 0, kAnchorsDefault, "PageControl1"},
    {"TabSheetSkip", Kind::TabPage, "除外するアドレス", 0, 0, 0, 0, 1, kAnchorsDefault, "PageControl1"},
    {"GroupBox1", Kind::GroupBox, "メールの振り分け", 0, 8, 457, 65, 0, kAnchorsDefault, "TabSheetGeneral"},
    {"CheckBoxFolder", Kind::CheckBox, "ゴミ箱に捨てる", 8, 16, 105, 17, 0, kAnchorsDefault, "GroupBox1"},
    {"EditFolder", Kind::Edit, "", 88, 40, 337, 20, 1, kAnchorsDefault, "GroupBox1", kReadOnly},
    {"MemoSkip", Kind::Memo, "", 0, 0, 458, 173, 0, kAnchorsAll, "TabSheetSkip"},
    {"ButtonOk", Kind::Button, "OK", 289, 212, 75, 25, 1, kAnchorRight | kAnchorBottom, nullptr,
     kDefaultButton | kClosesOk},
    {"ButtonCancel", Kind::Button, "Cancel", 377, 212, 75, 25, 2, kAnchorRight | kAnchorBottom, nullptr,
     kCancelButton | kClosesCancel},
    {"CheckBoxParalysis", Kind::CheckBox, "受信時にspamフィルタを実行しない", 8, 212, 201, 17, 3,
     kAnchorLeft | kAnchorBottom},
};

FormArgs Args(bool resizable) {
  FormArgs args;
  args.designName = "FormLayout";
  args.caption = "Quorn";
  args.left = 192;
  args.top = 115;
  args.clientWidth = 466;
  args.clientHeight = 243;
  args.resizable = resizable;
  return args;
}

RECT RectIn(HWND control, HWND reference) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

struct Placed {
  const char* name;
  const char* relativeTo;  // design name of the window the rectangle is measured in
  RECT design;             // after construction
  RECT grown;              // after the client grew by 100 x 50
};

TEST(FormLayout, ClientSizeAndRectanglesFollowTheTableAndTheAnchors) {
  for (bool resizable : {false, true}) {
    Form form(Args(resizable), kControls);
    ASSERT_NE(form.hwnd(), nullptr);
    EXPECT_EQ(form.ClientSize().cx, 466);
    EXPECT_EQ(form.ClientSize().cy, 243);
    RECT window = {};
    GetWindowRect(form.hwnd(), &window);
    EXPECT_EQ(window.left, 192);
    EXPECT_EQ(window.top, 115);

    HWND general = FindDesignName(form.hwnd(), L"TabSheetGeneral");
    ASSERT_NE(general, nullptr);
    const Placed cases[] = {
        {"PageControl1", "FormLayout", {0, 0, 466, 201}, {0, 0, 566, 201}},
        {"ButtonOk", "FormLayout", {289, 212, 364, 237}, {389, 262, 464, 287}},
        {"ButtonCancel", "FormLayout", {377, 212, 452, 237}, {477, 262, 552, 287}},
        {"CheckBoxParalysis", "FormLayout", {8, 212, 209, 229}, {8, 262, 209, 279}},
        // A group box's controls are placed inside its frame.
        {"GroupBox1", "TabSheetGeneral", {0, 8, 457, 73}, {0, 8, 457, 73}},
        {"CheckBoxFolder", "TabSheetGeneral", {8, 24, 113, 41}, {8, 24, 113, 41}},
        {"EditFolder", "TabSheetGeneral", {88, 48, 425, 68}, {88, 48, 425, 68}},
    };
    for (const Placed& c : cases) {
      HWND control = FindDesignName(form.hwnd(), std::wstring(c.name, c.name + strlen(c.name)));
      HWND reference = FindDesignName(form.hwnd(), std::wstring(c.relativeTo, c.relativeTo + strlen(c.relativeTo)));
      ASSERT_NE(control, nullptr) << c.name;
      RECT r = RectIn(control, reference);
      EXPECT_TRUE(EqualRect(&r, &c.design)) << c.name << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }

    // A tab page covers the tab control's display area; the page's editor
    // grows with the form through the tab control.
    HWND memo = FindDesignName(form.hwnd(), L"MemoSkip");
    RECT before = RectIn(memo, form.hwnd());
    form.SetClientSize(566, 293);
    for (const Placed& c : cases) {
      HWND control = FindDesignName(form.hwnd(), std::wstring(c.name, c.name + strlen(c.name)));
      HWND reference = FindDesignName(form.hwnd(), std::wstring(c.relativeTo, c.relativeTo + strlen(c.relativeTo)));
      RECT r = RectIn(control, reference);
      EXPECT_TRUE(EqualRect(&r, &c.grown)) << c.name << " grown: " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    RECT after = RectIn(memo, form.hwnd());
    EXPECT_EQ(after.right - after.left, before.right - before.left + 100);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);  // the tab control keeps its height
  }
}

TEST(FormLayout, DesignNamesAreReadableAndGoWithTheirWindows) {
  HWND button = nullptr;
  {
    Form form(Args(false), kControls);
    button = FindDesignName(form.hwnd(), L"ButtonOk");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(DesignName(button), L"ButtonOk");
    EXPECT_EQ(DesignName(form.hwnd()), L"FormLayout");
    EXPECT_EQ(FindThreadWindow(L"FormLayout"), form.hwnd());
    // Every control carries the form's font.
    EXPECT_NE(SendMessageW(button, WM_GETFONT, 0, 0), 0);
  }
  EXPECT_FALSE(IsWindow(button));
  EXPECT_EQ(GlobalFindAtomW(L"FormLayout"), 0) << "the design name's atom was not released";
  EXPECT_EQ(FindThreadWindow(L"FormLayout"), nullptr);
}

TEST(FormLayout, TabPagesShowOnlyTheChosenPage) {
  TabControl* tabs = nullptr;
  std::vector<ControlSpec> table = kControls;
  table[0] = Bound(tabs, table[0]);
  Form form(Args(false), table);
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->PageCount(), 2);
  EXPECT_TRUE(tabs->Page(0)->Visible());
  EXPECT_FALSE(tabs->Page(1)->Visible());
  // As a click on a tab does: the selection changes, then the notification.
  int changes = 0;
  tabs->onChange = [&] { ++changes; };
  SendMessageW(tabs->hwnd(), TCM_SETCURSEL, 1, 0);
  NMHDR header = {tabs->hwnd(), 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(GetParent(tabs->hwnd()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(tabs->Page(0)->Visible());
  EXPECT_TRUE(tabs->Page(1)->Visible());
}

// Each control the window works with comes back typed from the build; a
// row that cannot fill its member stops the build instead of leaving a
// null pointer for the window's code to meet later.
TEST(FormLayout, ABoundRowThatCannotFillItsMemberStopsTheBuild) {
  Button* button = nullptr;
  CheckBox* checkBox = nullptr;
  struct Case {
    const char* what;
    ControlSpec row;
    bool builds;
  };
  const Case cases[] = {
      {"a check box into a check box", Bound(checkBox, kControls[4]), true},
      {"a check box into a button", Bound(button, kControls[4]), false},
      {"a button in a container the table lacks",
       Bound(button, {"ButtonFolder", Kind::Button, "...", 432, 44, 17, 17, 2, kAnchorsDefault, "GroupBox9"}), false},
  };
  for (const Case& c : cases) {
    std::vector<ControlSpec> table = kControls;
    table[4] = c.row;  // in place of CheckBoxFolder
    if (c.builds) {
      Form form(Args(false), table);
      EXPECT_NE(checkBox, nullptr) << c.what;
    } else {
      EXPECT_THROW(Form(Args(false), table), std::runtime_error) << c.what;
    }
    EXPECT_EQ(FindThreadWindow(L"FormLayout"), nullptr) << c.what << ": a window outlived its form";
  }
}

TEST(FormLayout, APositionOffTheScreenIsBroughtBackOntoTheWorkArea) {
  Form form(Args(false), kControls);
  RECT area = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT frame = {};
  GetWindowRect(form.hwnd(), &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  struct Case {
    POINT saved;
    POINT shown;
  };
  const Case cases[] = {
      {{area.left + 10, area.top + 20}, {area.left + 10, area.top + 20}},  // on the area: unchanged
      {{-5000, -5000}, {area.left, area.top}},
      {{100000, 100000}, {area.right - width, area.bottom - height}},
      {{area.right - width + 1, area.top}, {area.right - width, area.top}},  // one pixel over the edge
  };
  for (const Case& c : cases) {
    form.SetPosition(c.saved.x, c.saved.y);
    form.KeepOnWorkArea();
    RECT r = {};
    GetWindowRect(form.hwnd(), &r);
    EXPECT_EQ(r.left, c.shown.x) << c.saved.x;
    EXPECT_EQ(r.top, c.shown.y) << c.saved.y;
  }
}

}  // namespace
}  // namespace quorn::ui
