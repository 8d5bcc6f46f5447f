#include "ui/edits.h"

namespace quorn::ui {

bool Edit::Create(const ControlSpec& entry, HWND container) {
  DWORD style = ES_AUTOHSCROLL | ((entry.flags & kReadOnly) ? ES_READONLY : 0);
  return CreateFrom(entry, container, L"EDIT", style, WS_EX_CLIENTEDGE);
}

void Edit::SetBackground(int systemColour) {
  backgroundColour_ = GetSysColor(systemColour);
  background_.reset(CreateSolidBrush(backgroundColour_));
  InvalidateRect(hwnd(), nullptr, TRUE);
}

HBRUSH Edit::OnColor(HDC dc) {
  if (!background_) return nullptr;
  SetBkColor(dc, backgroundColour_);
  return background_.get();
}

LRESULT Edit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && keyFilter && !keyFilter(static_cast<wchar_t>(wParam))) return 0;
  return Control::WndProc(message, wParam, lParam);
}

bool Memo::Create(const ControlSpec& entry, HWND container) {
  bool created = CreateFrom(entry, container, L"EDIT",
                            ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL,
                            WS_EX_CLIENTEDGE);
  if (created) SendMessageW(hwnd(), EM_SETLIMITTEXT, 0, 0);  // the largest text the system allows
  return created;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    std::size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> Memo::Lines() const { return SplitLines(Text()); }

void Memo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  SetText(text);
}

}  // namespace quorn::ui
