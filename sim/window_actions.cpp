#include "sim/window_actions.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "sim/host.h"
#include "sim/window_shot.h"
#include "ui/design_name.h"
#include "ui/grid.h"
#include "win32/text_convert.h"

namespace sim {
namespace {

struct Action {
  std::string window;   // design name of the form
  std::string verb;
  std::string control;
  std::string argument; // the rest of the line
  std::string gate;     // host function, or empty
  int gateCall = 0;     // runs at this call of `gate`
  // wait-idle: the idle count when the action first found its window; it
  // waits for a later idle, so that work started by the actions before it
  // (a modal window they closed, a handler still running) has finished.
  INT_PTR idleMark = -1;
  std::function<void(const std::string&)> run;  // for "run"
};

std::deque<Action> Pending;
std::map<std::string, int> HostCalls;  // calls of each host function since its first gate
UINT_PTR Timer = 0;
bool Running = false;

std::string Utf8(const std::wstring& wide) { return quorn::Utf8FromWide(wide); }

// "\r", "\n", "\t", "\b" (backspace) and "\\" in a text argument.
std::wstring Unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = i + 1 < text.size() && text[i] == '\\' ? text[i + 1] : 0;
    if (c == 'r' || c == 'n' || c == 't' || c == 'b' || c == '\\') {
      out.push_back(c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'b' ? '\b' : '\\');
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return quorn::WideFromUtf8(out);
}

std::string Escaped(const std::wstring& text) {
  std::string out;
  for (char c : Utf8(text)) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out.push_back(c);
  }
  return HideDataFolder(out);
}

std::wstring TextOf(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

void Post(HWND control, UINT message, WPARAM wParam, LPARAM lParam = 0) {
  PostMessageW(control, message, wParam, lParam);
}

void PostKey(HWND control, WORD key) {
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  Post(control, WM_KEYDOWN, key, scan | 1);
  Post(control, WM_KEYUP, key, scan | 0xC0000001);
}

std::wstring NodeText(HWND tree, HTREEITEM node) {
  wchar_t text[512] = {};
  TVITEMW item = {};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = text;
  item.cchTextMax = 512;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::string TreePath(HWND tree, HTREEITEM node) {
  std::wstring path;
  while (node) {
    path = NodeText(tree, node) + (path.empty() ? L"" : L"\\" + path);
    node = TreeView_GetParent(tree, node);
  }
  return Utf8(path);
}

HTREEITEM FindTreePath(HWND tree, const std::wstring& path) {
  HTREEITEM level = TreeView_GetRoot(tree);
  HTREEITEM found = nullptr;
  std::wstringstream parts(path);
  for (std::wstring part; std::getline(parts, part, L'\\');) {
    found = nullptr;
    for (HTREEITEM node = level; node; node = TreeView_GetNextSibling(tree, node)) {
      if (part == NodeText(tree, node)) {
        found = node;
        break;
      }
    }
    if (!found) return nullptr;
    level = TreeView_GetChild(tree, found);
  }
  return found;
}

// Every node below `first` and its siblings, a line each, indented by
// level. Siblings are listed by caption: the order in which the disk
// returns directories differs between file systems.
void PrintNodes(const std::string& prefix, HWND tree, HTREEITEM first, int level) {
  std::vector<std::pair<std::wstring, HTREEITEM>> nodes;
  for (HTREEITEM node = first; node; node = TreeView_GetNextSibling(tree, node)) {
    nodes.emplace_back(NodeText(tree, node), node);
  }
  std::sort(nodes.begin(), nodes.end());
  for (const auto& [caption, node] : nodes) {
    Say(prefix + std::string(2 * static_cast<std::size_t>(level) + 2, ' ') + Escaped(caption));
    PrintNodes(prefix, tree, TreeView_GetChild(tree, node), level + 1);
  }
}

std::string Colour(COLORREF c) {
  char text[16];
  wsprintfA(text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

void PrintCells(const std::string& prefix, HWND grid) {
  const UINT message = RegisterWindowMessageW(quorn::ui::kGridCellMessage);
  for (int row = 0; row < 1000; ++row) {
    std::string line;
    int column = 0;
    for (;; ++column) {
      quorn::ui::GridCellQuery query = {};
      if (!SendMessageW(grid, message, MAKEWPARAM(column, row), reinterpret_cast<LPARAM>(&query))) break;
      line += (column ? " | " : "") + Escaped(query.text) + " " + Colour(query.colour);
    }
    if (column == 0) break;
    Say(prefix + "  row " + std::to_string(row) + ": " + line);
  }
}

void Print(const std::string& prefix, HWND form, HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  const bool child = control != form;
  if (child) MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  std::string line = prefix + " \"" + Escaped(TextOf(control)) + "\"";
  const std::wstring kind = ClassOf(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (lstrcmpiW(kind.c_str(), L"Button") == 0 && ((style & 0xF) == BS_AUTOCHECKBOX || (style & 0xF) == BS_CHECKBOX)) {
    line += SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? " checked" : " unchecked";
  }
  line += IsWindowEnabled(control) ? " enabled" : " disabled";
  if (!IsWindowVisible(control)) line += " hidden";
  if (child) {
    line += " at " + std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
            std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
  } else {
    RECT client = {};
    GetClientRect(control, &client);
    line += " at " + std::to_string(r.left) + "," + std::to_string(r.top) + " client " +
            std::to_string(client.right) + "x" + std::to_string(client.bottom);
  }
  if (kind == PROGRESS_CLASSW) {
    PBRANGE range = {};
    SendMessageW(control, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    line += ", position " + std::to_string(SendMessageW(control, PBM_GETPOS, 0, 0)) + " of " +
            std::to_string(range.iLow) + ".." + std::to_string(range.iHigh);
  } else if (kind == WC_TABCONTROLW) {
    line += ", page " + std::to_string(SendMessageW(control, TCM_GETCURSEL, 0, 0));
  } else if (kind == WC_TREEVIEWW) {
    HTREEITEM selected = TreeView_GetSelection(control);
    line += selected ? ", selected \"" + TreePath(control, selected) + "\"" : ", nothing selected";
  }
  Say(line);
  if (kind == WC_TREEVIEWW) PrintNodes(prefix, control, TreeView_GetRoot(control), 0);
  quorn::ui::GridCellQuery query = {};
  if (SendMessageW(control, RegisterWindowMessageW(quorn::ui::kGridCellMessage), 0,
                   reinterpret_cast<LPARAM>(&query))) {
    PrintCells(prefix, control);  // a grid answers for its cells
  }
}

// Runs one action on its window; false when the action cannot run yet.
bool RunAction(Action& a, HWND form) {
  const std::string prefix = "  [" + a.window + "] " + a.verb + (a.control.empty() ? "" : " " + a.control);
  if (a.verb == "wait-idle") {
    const auto idle = reinterpret_cast<INT_PTR>(GetPropW(form, L"QuornIdle"));
    if (a.idleMark < 0) a.idleMark = idle;
    if (idle <= a.idleMark) return false;
    Say(prefix);
    return true;
  }
  if (a.verb == "close") {
    Say(prefix);
    Post(form, WM_CLOSE, 0);
    return true;
  }
  if (a.verb == "run") {
    Say(prefix + " " + a.argument);
    if (a.run) a.run(a.argument);
    return true;
  }
  if (a.verb == "focus") {
    const std::wstring name = quorn::ui::DesignName(GetFocus());
    Say(prefix + ": " + (name.empty() ? "no control of the plug-in" : Utf8(name)));
    return true;
  }
  if (a.verb == "screenshot") {
    Say(prefix + ": " + TakeWindowShot(form, a.control));
    return true;
  }
  HWND control = quorn::ui::FindDesignName(form, quorn::WideFromUtf8(a.control));
  if (!control) {
    Say(prefix + ": NO SUCH CONTROL");
    return true;
  }
  if (a.verb == "print") {
    Print(prefix + ":", form, control);
    return true;
  }
  Say(prefix + (a.argument.empty() ? "" : " " + a.argument));
  if (a.verb == "click") {
    Post(control, BM_CLICK, 0);
  } else if (a.verb == "key") {
    WORD key = a.argument == "enter" ? VK_RETURN : a.argument == "escape" ? VK_ESCAPE : VK_TAB;
    PostKey(control, key);
  } else if (a.verb == "type") {
    for (wchar_t c : Unescaped(a.argument)) Post(control, WM_CHAR, c);
  } else if (a.verb == "set-text") {
    SetWindowTextW(control, Unescaped(a.argument).c_str());
  } else if (a.verb == "scroll") {
    SendMessageW(control, EM_LINESCROLL, 0, static_cast<LPARAM>(std::stoi(a.argument)));
  } else if (a.verb == "tab") {
    SendMessageW(control, TCM_SETCURSEL, static_cast<WPARAM>(std::stoi(a.argument)), 0);
    NMHDR header = {control, static_cast<UINT_PTR>(GetDlgCtrlID(control)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(GetParent(control), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  } else if (a.verb == "tree") {
    HTREEITEM node = FindTreePath(control, Unescaped(a.argument));
    if (node) {
      TreeView_SelectItem(control, node);
    } else {
      Say("  (no such node)");
    }
  } else if (a.verb == "grid") {
    std::istringstream rows(a.argument);
    int first = 1, last = 0;
    rows >> first;
    if (!(rows >> last)) last = first;
    const UINT select = RegisterWindowMessageW(quorn::ui::kGridSelectMessage);
    SendMessageW(control, select, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
  }
  return true;
}

bool Due(const Action& a, bool atHostCall, HWND& form) {
  if (!a.gate.empty() && (!atHostCall || HostCalls[a.gate] < a.gateCall)) return false;
  form = quorn::ui::FindThreadWindow(quorn::WideFromUtf8(a.window));
  return form && IsWindowVisible(form) && IsWindowEnabled(form);
}

void StopTimer() {
  if (Timer) KillTimer(nullptr, Timer);
  Timer = 0;
}

// Runs the first pending action if it is due: one an event, so that the
// window's loop handles each action's messages before the next.
void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (Running || Pending.empty()) return;
  HWND form = nullptr;
  if (!Due(Pending.front(), false, form)) return;
  Running = true;
  Action action = Pending.front();
  if (RunAction(action, form)) {
    Pending.pop_front();
  } else if (!Pending.empty()) {
    Pending.front().idleMark = action.idleMark;
  }
  Running = false;
  if (Pending.empty()) StopTimer();
}

}  // namespace

bool QueueWindowAction(const std::string& line, const std::function<void(const std::string&)>& run) {
  std::istringstream words(line);
  Action a;
  a.run = run;
  words >> a.window >> a.verb;
  if (a.verb == "at") {
    words >> a.gate >> a.gateCall >> a.verb;
    if (a.gate.empty() || a.gateCall <= 0) return false;
    a.gateCall += HostCalls[a.gate];  // counted from now
  }
  static const char* const kVerbs[] = {"click", "key", "type", "set-text", "scroll", "tab", "tree", "grid",
                                       "wait-idle", "print", "close", "screenshot", "run", "focus"};
  bool known = false;
  for (const char* verb : kVerbs) known = known || a.verb == verb;
  if (a.window.empty() || !known) return false;
  if (a.verb != "wait-idle" && a.verb != "close" && a.verb != "run" && a.verb != "focus") {
    words >> a.control;
    if (a.control.empty()) return false;
  }
  std::getline(words, a.argument);
  if (!a.argument.empty() && a.argument[0] == ' ') a.argument.erase(0, 1);
  Pending.push_back(a);
  if (!Timer) Timer = SetTimer(nullptr, 0, 10, OnTimer);
  return true;
}

void RunWindowActionsAt(const char* function) {
  ++HostCalls[function];
  if (Running) return;
  Running = true;
  HWND form = nullptr;
  while (!Pending.empty() && Due(Pending.front(), true, form)) {
    Action action = Pending.front();
    if (!RunAction(action, form)) break;
    Pending.pop_front();
  }
  Running = false;
}

void ReportPendingWindowActions() {
  for (const Action& a : Pending) {
    Say("  NOT RUN: [" + a.window + "] " + a.verb + (a.control.empty() ? "" : " " + a.control));
  }
  if (Pending.empty()) Say("  no window action pending");
  Pending.clear();
  StopTimer();
}

}  // namespace sim
