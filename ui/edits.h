// Text editors: the one-line edit (read-only, a key filter, a background
// colour of its own) and the multi-line editor with a vertical scroll bar.
// Texts are Shift-JIS; the editors hold them as wide text.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/handles.h"

namespace quorn::ui {

class Edit : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND container);
  // A typed character reaches the box only when the filter passes it;
  // pasted text is not filtered.
  std::function<bool(wchar_t typed)> keyFilter;
  // Paints the box's background in a system colour (COLOR_...).
  void SetBackground(int systemColour);

  HBRUSH OnColor(HDC dc) override;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  GdiObject<HBRUSH> background_;
  COLORREF backgroundColour_ = 0;
};

class Memo : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND container);
  // The editor's lines as the user sees them: CR LF or a lone LF ends a
  // line; a final line break adds no empty line.
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
};

// Splits a text into lines as an editor shows them (see Memo::Lines).
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace quorn::ui
