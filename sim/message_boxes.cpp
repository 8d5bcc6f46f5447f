#include "sim/message_boxes.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "sim/host.h"
#include "sim/window_shot.h"
#include "win32/text_convert.h"

namespace sim {
namespace {

HHOOK Hook = nullptr;
HWND PendingBox = nullptr;
BoxAnswer Answer = BoxAnswer::Yes;
std::string ShotPath;  // of the next box's picture, when one is wanted
std::function<void()> AfterAnswer;  // for the next box
bool ShowIcons = false;

std::string OneLine(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n");
  for (std::size_t at; (at = text.find('\n')) != std::string::npos;) text.replace(at, 1, "\\n");
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return name;
}

// The box's message: the longest text among its static controls (the icon
// is a static control without text).
BOOL CALLBACK CollectText(HWND child, LPARAM param) {
  auto* text = reinterpret_cast<std::wstring*>(param);
  if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0) {
    wchar_t buffer[4096] = {};
    GetWindowTextW(child, buffer, 4096);
    if (wcslen(buffer) > text->size()) *text = buffer;
  }
  return TRUE;
}

// The system icon the box shows, by name; "no icon" when it shows none.
BOOL CALLBACK FindIcon(HWND child, LPARAM param) {
  if (_wcsicmp(ClassOf(child).c_str(), L"Static") != 0 ||
      (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
    return TRUE;
  }
  *reinterpret_cast<HICON*>(param) = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
  return FALSE;
}

std::string IconOf(HWND box) {
  HICON icon = nullptr;
  EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&icon));
  if (!icon) return "no icon";
  const struct {
    LPCSTR id;
    const char* name;
  } kIcons[] = {{IDI_INFORMATION, "information"}, {IDI_QUESTION, "question"}, {IDI_ERROR, "error"},
                {IDI_WARNING, "warning"}};
  for (const auto& known : kIcons) {
    if (LoadIconA(nullptr, known.id) == icon) return known.name;
  }
  return "another icon";
}

bool HasButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  return button && IsWindowVisible(button);
}

// Reads and answers the box once its dialog is set up: the box's own message
// loop runs this timer.
void CALLBACK AnswerPendingBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND box = PendingBox;
  PendingBox = nullptr;
  if (!box || !IsWindow(box)) return;
  std::wstring text;
  EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
  bool question = HasButton(box, IDYES);
  int answer = question ? (Answer == BoxAnswer::Yes ? IDYES : IDNO) : IDOK;
  Say(std::string("  box [") + (question ? "Yes/No" : "OK") + "]" + (ShowIcons ? " " + IconOf(box) : "") + ": " +
      OneLine(HideDataFolder(quorn::Utf8FromWide(text))) + (question ? (answer == IDYES ? " -> Yes" : " -> No") : ""));
  if (!ShotPath.empty()) {
    Say("  box picture " + ShotPath + ": " + TakeWindowShot(box, ShotPath));
    ShotPath.clear();
  }
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
  if (AfterAnswer) {
    auto action = std::move(AfterAnswer);
    AfterAnswer = nullptr;
    action();
  }
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (ClassOf(window) == L"#32770" && !PendingBox) {
      PendingBox = window;
      SetTimer(nullptr, 0, 10, AnswerPendingBox);
    }
  }
  return CallNextHookEx(Hook, code, wParam, lParam);
}

}  // namespace

void AnswerMessageBoxes() {
  if (!Hook) Hook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

void SetBoxAnswer(BoxAnswer answer) { Answer = answer; }

void ShowBoxIcons(bool show) { ShowIcons = show; }

void AfterNextBox(std::function<void()> action) { AfterAnswer = std::move(action); }

void ShootNextBox(const std::string& path) { ShotPath = path; }

}  // namespace sim
