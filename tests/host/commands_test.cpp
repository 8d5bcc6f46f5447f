// The sort and check commands in process under Wine, with the host's
// functions answered by this test and real message boxes answered by a
// hook: what a run does when judging fails, when the lists are replaced in
// the middle of it, and when the host's selection never ends. A command
// chosen while another runs is proved end to end (commands-reentry).
#include <gtest/gtest.h>

#include <map>
#include <new>
#include <string>
#include <vector>

#include "commands/command_guard.h"
#include "commands/commands.h"
#include "commands/form_progress.h"
#include "engine/lists.h"
#include "hostapi/plugin_state.h"
#include "hostapi/velmo_api.h"
#include "settings/default_lines.h"
#include "texts/catalog.h"
#include "win32/text_convert.h"

namespace quorn {
namespace {

const char kClean[] = "Received: from mx.example.org (mx.example.org [198.51.100.10]) by mx\r\nSubject: c";
const char kSpam[] = "Received: from x (abc1-2.example.com [198.51.100.1]) by mx\r\nSubject: s";

std::vector<std::string> Selection;           // IDs, delivered in order
std::map<std::string, std::string> Headers;
std::vector<std::string> Calls;               // SetSel and moves
std::function<void(const std::string&)> OnHeader;  // runs inside VMA_GetHeader

struct Box {
  std::string text;  // UTF-8
  bool progressVisible;
  std::size_t callsBefore;
};
std::vector<Box> Boxes;

int WINAPI GetNextMail(int start, char* buffer, int size, BOOL) {
  std::size_t next = static_cast<std::size_t>(start + 1);
  if (next >= Selection.size()) {
    buffer[0] = '\0';
    return -1;
  }
  lstrcpynA(buffer, Selection[next].c_str(), size);
  return static_cast<int>(next);
}
const char* WINAPI GetHeader(const char* id) {
  static std::string answer;
  if (OnHeader) OnHeader(id);
  answer = Headers[id];
  return answer.c_str();
}
int WINAPI SetSel(const char* id, BOOL select) {
  Calls.push_back(std::string("SetSel ") + (id ? id : "null") + " " + std::to_string(select));
  return 1;
}
BOOL WINAPI MoveSelected(const char* folder, BOOL) {
  Calls.push_back(std::string("Move ") + folder);
  return TRUE;
}
const char* WINAPI CurrentMailBox() { return "MailBox1\\"; }

// Records each box with the state of the run at that moment, and answers it.
HHOOK Hook = nullptr;
HWND PendingBox = nullptr;

BOOL CALLBACK LongestText(HWND child, LPARAM param) {
  wchar_t text[1024] = {};
  GetWindowTextW(child, text, 1024);
  auto* longest = reinterpret_cast<std::wstring*>(param);
  if (wcslen(text) > longest->size()) *longest = text;
  return TRUE;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  std::wstring text;
  EnumChildWindows(PendingBox, LongestText, reinterpret_cast<LPARAM>(&text));
  Boxes.back().text = Utf8FromWide(text);
  PostMessageW(PendingBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    wchar_t name[16] = {};
    GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16);
    if (lstrcmpW(name, L"#32770") == 0) {
      PendingBox = reinterpret_cast<HWND>(wParam);
      Boxes.push_back({"", FormProgress->Visible(), Calls.size()});
      SetTimer(nullptr, 0, 1, AnswerBox);
    }
  }
  return CallNextHookEx(Hook, code, wParam, lParam);
}

class CommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    UseDefaultLists();
    HostAPI.VMA_GetNextMail = GetNextMail;
    HostAPI.VMA_GetHeader = GetHeader;
    HostAPI.VMA_SetSel = SetSel;
    HostAPI.VMA_MoveSelectedMessages = MoveSelected;
    HostAPI.VMA_GetCurrentMailBox = CurrentMailBox;
    FormMain = std::make_unique<TFormMain>(GetModuleHandleW(nullptr));
    FormProgress = std::make_unique<TFormProgress>();
    Selection = {"m1", "m2", "m3"};
    Headers = {{"m1", kClean}, {"m2", kSpam}, {"m3", kSpam}};
    Calls.clear();
    Boxes.clear();
    OnHeader = nullptr;
    Hook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
  }
  void TearDown() override {
    UnhookWindowsHookEx(Hook);
    FormProgress.reset();
    FormMain.reset();
    UseDefaultLists();
  }
};

struct JudgingFault {
  const char* name;
  TextLines recvRegex;  // empty: the defaults
  TextLines rules;
  bool hostThrows;      // VMA_GetHeader raises an error of no text
  const char* boxTextHas;
};

void PrintTo(const JudgingFault& f, std::ostream* os) { *os << f.name; }

class JudgingFaults : public CommandsTest, public testing::WithParamInterface<JudgingFault> {};

// Whatever goes wrong while judging: one error box with the progress window
// already hidden, and not one selection call or move, for either command.
TEST_P(JudgingFaults, EndTheRunBeforeAnySelectionCall) {
  const JudgingFault& fault = GetParam();
  if (!fault.recvRegex.empty()) RecvRegex.Replace(fault.recvRegex);
  if (!fault.rules.empty()) Rules.Replace(fault.rules);
  if (fault.hostThrows) OnHeader = [](const std::string&) { throw std::bad_alloc(); };
  for (auto command : {SortSpamCommand, CheckSpamCommand}) {
    Boxes.clear();
    command(nullptr, 0);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_NE(Boxes[0].text.find(fault.boxTextHas), std::string::npos) << Boxes[0].text;
    EXPECT_FALSE(Boxes[0].progressVisible);
    EXPECT_TRUE(Calls.empty());
    EXPECT_FALSE(CommandGuard::Running());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, JudgingFaults,
    testing::Values(
        JudgingFault{"ThreeGroups", {"\\(([^\\[]*)\\[((?:\\d{1,3}\\.){3}\\d{1,3})(\\])"}, {}, false, "(\\])'"},
        JudgingFault{"RuleDoesNotCompile", {}, {"(broken"}, false, "'(broken'"},
        JudgingFault{"ErrorOfNoText", {}, {}, true, ""}),
    [](const testing::TestParamInfo<JudgingFault>& info) { return std::string(info.param.name); });

TEST_F(CommandsTest, AnErrorOfNoTextShowsTheGenericText) {
  OnHeader = [](const std::string&) { throw std::bad_alloc(); };
  CheckSpamCommand(nullptr, 0);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].text, Utf8FromWide(WideFromShiftJis(texts::kCommandFailed)));
}

// The settings window may replace the lists while a lookup waits: the run
// judges every message with the lists it started with.
TEST_F(CommandsTest, ARunKeepsTheListsItStartedWith) {
  OnHeader = [](const std::string& id) {
    if (id == "m2") Rules.Replace({});
  };
  CheckSpamCommand(nullptr, 0);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].text.substr(0, 1), "2");
  OnHeader = nullptr;
  Boxes.clear();
  CheckSpamCommand(nullptr, 0);  // the next run reads the new lists
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].text, Utf8FromWide(WideFromShiftJis(texts::kNoSpam)));
}

// A host whose selection never ends with -1 (it keeps answering the same
// position) cannot hold the command, and so its own window, for good.
int WINAPI EndlessNextMail(int, char* buffer, int size, BOOL) {
  lstrcpynA(buffer, "m2", size);
  return 7;
}

TEST_F(CommandsTest, ASelectionThatNeverEndsEndsTheWalk) {
  HostAPI.VMA_GetNextMail = EndlessNextMail;
  CheckSpamCommand(nullptr, 0);
  ASSERT_EQ(Boxes.size(), 1u);
  // Counted and judged once at position -1 and once at 7, where it stops.
  EXPECT_EQ(Boxes[0].text.substr(0, 1), "2");
}

}  // namespace
}  // namespace quorn
