// The modal show, driven by real window messages posted before the form's
// loop runs: Enter and Esc, Enter in a multi-line editor, the key filter,
// the modal result with the other windows enabled again, a refused close,
// and WM_QUIT arriving in the loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui/buttons.h"
#include "ui/design_name.h"
#include "ui/edits.h"
#include "ui/form.h"

namespace quorn::ui {
namespace {

struct Controls {
  Edit* edit = nullptr;
  Memo* memo = nullptr;
  Button* ok = nullptr;
  Button* cancel = nullptr;
};

std::vector<ControlSpec> Table(Controls& c) {
  return {
      Bound(c.edit, {"EditTimeOut", Kind::Edit, "", 88, 64, 89, 20, 0}),
      Bound(c.memo, {"MemoSkip", Kind::Memo, "", 8, 90, 200, 80, 1}),
      Bound(c.ok, {"ButtonOk", Kind::Button, "OK", 289, 212, 75, 25, 2, kAnchorsDefault, nullptr,
                   kDefaultButton | kClosesOk}),
      Bound(c.cancel, {"ButtonCancel", Kind::Button, "Cancel", 377, 212, 75, 25, 3, kAnchorsDefault, nullptr,
                       kCancelButton | kClosesCancel}),
  };
}

FormArgs Args() {
  FormArgs args;
  args.designName = "FormModal";
  args.caption = "Quorn";
  args.clientWidth = 466;
  args.clientHeight = 243;
  return args;
}

class FormModal : public testing::Test {
 protected:
  FormModal() : form(Args(), Table(controls)) {
    controls.ok->onClick = [this] { clicks += "ok "; };
    controls.cancel->onClick = [this] { clicks += "cancel "; };
    // Once every posted message has been handled the loop goes idle: a form
    // still open then is closed by the close box, so no test can hang.
    form.onIdle = [this] {
      ++idles;
      if (closeWhenIdle) PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    };
  }
  HWND Control(const wchar_t* name) { return FindDesignName(form.hwnd(), name); }
  void Key(const wchar_t* control, WPARAM key) {
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(Control(control), WM_KEYDOWN, key, scan | 1);
  }
  void Type(const wchar_t* control, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(Control(control), WM_CHAR, c, 1);
  }

  Controls controls;  // before the form, which fills it
  Form form;
  std::string clicks;
  int idles = 0;
  bool closeWhenIdle = true;
};

struct KeyCase {
  const wchar_t* focus;
  WPARAM key;
  ModalResult result;
  const char* clicks;
};

TEST_F(FormModal, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
  const KeyCase cases[] = {
      {L"EditTimeOut", VK_RETURN, ModalResult::Ok, "ok "},
      {L"EditTimeOut", VK_ESCAPE, ModalResult::Cancel, "cancel "},
      {L"MemoSkip", VK_ESCAPE, ModalResult::Cancel, "cancel "},
      {L"ButtonCancel", VK_RETURN, ModalResult::Cancel, "cancel "},  // a focused button takes Enter
      {L"ButtonOk", VK_ESCAPE, ModalResult::Cancel, "cancel "},
  };
  for (const KeyCase& c : cases) {
    clicks.clear();
    Key(c.focus, c.key);
    EXPECT_EQ(form.ShowModal(), c.result) << static_cast<int>(c.key);
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_FALSE(IsWindowVisible(form.hwnd()));
  }
}

TEST_F(FormModal, EnterInTheMultiLineEditorStartsANewLine) {
  Type(L"MemoSkip", L"10.0.0.0/8");
  // Wine's null driver translates no key into a character: the test posts
  // the character the translation gives after the key.
  Key(L"MemoSkip", VK_RETURN);
  Type(L"MemoSkip", L"\rx");
  EXPECT_EQ(form.ShowModal(), ModalResult::Cancel);  // closed by the close box when idle
  EXPECT_EQ(clicks, "");
  const std::vector<std::string> lines = {"10.0.0.0/8", "x"};
  EXPECT_EQ(controls.memo->Lines(), lines);
}

TEST_F(FormModal, DisabledDefaultButtonIgnoresEnter) {
  controls.ok->SetEnabled(false);
  Key(L"EditTimeOut", VK_RETURN);
  EXPECT_EQ(form.ShowModal(), ModalResult::Cancel);
  EXPECT_EQ(clicks, "");
}

struct FilterCase {
  std::wstring typed;
  std::string text;
};

TEST_F(FormModal, TheKeyFilterDropsTypedCharactersButNotPastedText) {
  Edit* edit = controls.edit;
  edit->keyFilter = [](wchar_t c) { return c < 32 || (c >= L'0' && c <= L'9'); };
  const FilterCase cases[] = {
      {L"2000", "2000"},
      {L"-1.5 e3", "153"},
      {L"12\b3", "13"},  // backspace passes
      {L"\x30FB\xFF11", ""},  // wide digits are no digits
  };
  for (const FilterCase& c : cases) {
    edit->SetText("");
    Type(L"EditTimeOut", c.typed);
    form.ShowModal();
    EXPECT_EQ(edit->Text(), c.text);
  }
  SendMessageW(edit->hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
  EXPECT_EQ(edit->Text(), "x");
}

TEST_F(FormModal, OtherWindowsAreDisabledDuringTheShowAndEnabledAfter) {
  Form other(FormArgs{"FormOther", "other", 0, 0, 100, 50}, {});
  Form alreadyDisabled(FormArgs{"FormDisabled", "disabled", 0, 0, 100, 50}, {});
  other.Show();
  alreadyDisabled.Show();
  EnableWindow(alreadyDisabled.hwnd(), FALSE);
  bool otherEnabledDuring = true;
  form.onIdle = [&] {
    otherEnabledDuring = IsWindowEnabled(other.hwnd()) != FALSE;
    PostMessageW(Control(L"ButtonOk"), BM_CLICK, 0, 0);
  };
  EXPECT_EQ(form.ShowModal(), ModalResult::Ok);
  EXPECT_EQ(clicks, "ok ");
  EXPECT_FALSE(otherEnabledDuring);
  EXPECT_TRUE(IsWindowEnabled(other.hwnd()));
  EXPECT_FALSE(IsWindowEnabled(alreadyDisabled.hwnd())) << "a window disabled before stays disabled";
  EXPECT_TRUE(IsWindowEnabled(form.hwnd()));
}

TEST_F(FormModal, ARefusedCloseKeepsTheFormOpen) {
  int queries = 0;
  int closes = 0;
  form.onCloseQuery = [&] { return ++queries > 2; };
  form.onClose = [&] { ++closes; };
  bool visibleAfterRefusal = false;
  form.onIdle = [&] {
    ++idles;
    visibleAfterRefusal = IsWindowVisible(form.hwnd()) != FALSE;
    if (idles == 1) PostMessageW(Control(L"ButtonOk"), BM_CLICK, 0, 0);  // refused
    if (idles == 2) PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);          // refused
    if (idles == 3) Key(L"EditTimeOut", VK_ESCAPE);                    // allowed
  };
  EXPECT_EQ(form.ShowModal(), ModalResult::Cancel);
  EXPECT_EQ(queries, 3);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(visibleAfterRefusal);
  EXPECT_EQ(clicks, "ok cancel ");
}

TEST_F(FormModal, QuitInTheModalLoopEndsTheShowAndIsPostedAgain) {
  PostQuitMessage(7);
  EXPECT_EQ(form.ShowModal(), ModalResult::Cancel);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

TEST_F(FormModal, ASecondModalShowOfTheSameFormReturnsAtOnce) {
  ModalResult inner = ModalResult::Ok;
  form.onIdle = [&] {
    inner = form.ShowModal();
    PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(form.ShowModal(), ModalResult::Cancel);
  EXPECT_EQ(inner, ModalResult::None);
}

}  // namespace
}  // namespace quorn::ui
