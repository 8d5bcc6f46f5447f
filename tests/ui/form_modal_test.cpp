// The modal show, driven by real window messages posted before the form's
// loop runs: Enter and Esc, Enter in a multi-line editor, the key filter,
// the modal result with the other windows enabled again, a refused close,
// and WM_QUIT arriving in the loop; and no exception leaving a form of the
// plug-in.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "commands/form_progress.h"
#include "commands/form_received.h"
#include "settings/form_folder.h"
#include "settings/form_main.h"
#include "ui/buttons.h"
#include "ui/design_name.h"
#include "ui/edits.h"
#include "ui/form.h"
#include "win32/text_convert.h"

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

// No exception leaves a form of the plug-in. Each form, shown as the
// plug-in shows it, gets a thrower in place of a handler its window
// procedure calls (the resize), of a control's click, and of the idle event
// of a modal show, reached through real window messages while it shows:
// the thrower runs, the message's sender gets its answer, and the form goes
// on and closes as usual. In the 32-bit build an exception unwinding into
// the system's frames could not be caught beyond them and would end the
// host.
namespace quorn {
namespace {

enum class Thrower { WindowProcedure, ControlHandler, Idle };

struct Throwing {
  Thrower thrower;
  const wchar_t* form;     // design name
  const wchar_t* control;  // whose click throws
  int thrown = 0;
  bool answered = false;  // the message's sender went on
  bool formAlive = false;
  bool done = false;
} Now{Thrower::Idle, L"", L""};

void CALLBACK Poke(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND window = ui::FindThreadWindow(Now.form);
  if (!window || !IsWindowVisible(window)) return;
  KillTimer(nullptr, timer);
  auto* form = dynamic_cast<ui::Form*>(ui::Wnd::FromHandle(window));
  // Whatever fails, the form is closed, so that no show waits for ever.
  auto fail = [window](const char* what) {
    ADD_FAILURE() << what;
    PostMessageW(window, WM_CLOSE, 0, 0);
    Now.done = true;
  };
  if (!form) return fail("no form of the window layer");
  auto thrower = [window] {
    ++Now.thrown;
    PostMessageW(window, WM_CLOSE, 0, 0);
    throw std::runtime_error("thrown in a form");
  };
  switch (Now.thrower) {
    case Thrower::WindowProcedure:
      form->onResize = thrower;
      SendMessageW(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
      break;
    case Thrower::ControlHandler: {
      ui::Wnd* control = ui::Wnd::FromHandle(ui::FindDesignName(window, Now.control));
      if (auto* button = dynamic_cast<ui::Button*>(control)) button->onClick = thrower;
      if (auto* box = dynamic_cast<ui::CheckBox*>(control)) box->onClick = thrower;
      if (!control) return fail("no such control");
      SendMessageW(control->hwnd(), BM_CLICK, 0, 0);
      break;
    }
    case Thrower::Idle:
      form->onIdle = thrower;
      PostMessageW(window, WM_NULL, 0, 0);  // the loop goes idle again after it
      break;
  }
  Now.answered = true;
  Now.formAlive = IsWindow(window) != FALSE;
  Now.done = true;
}

TEST(PlugInForms, NoExceptionLeavesAForm) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring data = std::wstring(temp) + L"quorn-throw-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(data.c_str(), nullptr);
  CreateDirectoryW((data + L"MailBox1").c_str(), nullptr);
  FormProgress = std::make_unique<TFormProgress>();  // the inspector's fill shows it

  const struct {
    const wchar_t* form;
    const wchar_t* control;  // null: the form has no control with a handler
    bool modal;
    std::function<void()> show;
  } forms[] = {
      {L"FormMain", L"CheckBoxFolder", true, [] { TFormMain(GetModuleHandleW(nullptr)).ShowModal(); }},
      {L"FormFolder", L"ButtonCancel", true,
       [&] {
         TFormFolder chooser;
         chooser.DataFolder = ShiftJisFromWide(data);
         chooser.MailBox = "MailBox1\\";
         chooser.RootCaption = "MailBox1";
         chooser.ShowModal();
       }},
      {L"FormReceived", L"ButtonCancel", true, [] { TFormReceived().ShowModal(); }},
      {L"FormProgress", nullptr, false,
       [] {
         FormProgress->Show();
         MSG message;
         while (!Now.done && GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
         FormProgress->Hide();
       }},
  };
  for (const auto& form : forms) {
    for (Thrower thrower : {Thrower::WindowProcedure, Thrower::ControlHandler, Thrower::Idle}) {
      if ((thrower == Thrower::ControlHandler && !form.control) || (thrower == Thrower::Idle && !form.modal)) continue;
      Now = Throwing{thrower, form.form, form.control};
      SCOPED_TRACE(ShiftJisFromWide(form.form) + " thrower " + std::to_string(static_cast<int>(thrower)));
      ASSERT_NE(SetTimer(nullptr, 0, 10, Poke), 0u);
      form.show();
      EXPECT_TRUE(Now.done);
      EXPECT_EQ(Now.thrown, 1);
      EXPECT_TRUE(Now.answered);
      EXPECT_TRUE(Now.formAlive);
    }
  }
  FormProgress.reset();
  RemoveDirectoryW((data + L"MailBox1").c_str());
  RemoveDirectoryW(data.c_str());
}

}  // namespace
}  // namespace quorn
