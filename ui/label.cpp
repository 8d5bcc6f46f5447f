#include "ui/label.h"

#include "ui/font.h"
#include "ui/handles.h"
#include "win32/text_convert.h"

namespace quorn::ui {

bool Label::Create(const ControlSpec& entry, HWND container) {
  ControlSpec sized = entry;
  if (sized.width == 0 || sized.height == 0) {
    std::wstring text = WideFromShiftJis(entry.caption ? entry.caption : "");
    HDC dc = GetDC(nullptr);
    SIZE extent = {};
    {
      ScopedSelectObject font(dc, UiFont());
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    }
    ReleaseDC(nullptr, dc);
    sized.width = extent.cx;
    sized.height = extent.cy;
  }
  return CreateFrom(sized, container, L"STATIC", SS_LEFT | SS_NOPREFIX);
}

}  // namespace quorn::ui
