#include "ui/tabs.h"

#include <commctrl.h>

#include "ui/form.h"
#include "win32/text_convert.h"

namespace quorn::ui {

bool TabPage::Create(const ControlSpec& entry, HWND tabControl) {
  // A page takes the tab control's display area whatever its row says.
  return CreateFrom(entry, tabControl, kPanelClass, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
}

LRESULT TabPage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    if (Form* form = OwnerForm()) form->LayOut(hwnd());
  }
  return Control::WndProc(message, wParam, lParam);
}

bool TabControl::Create(const ControlSpec& entry, HWND container) {
  return CreateFrom(entry, container, WC_TABCONTROLW, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

RECT TabControl::PageArea() const {
  RECT area = {};
  GetClientRect(hwnd(), &area);
  SendMessageW(hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return area;
}

void TabControl::AddPage(TabPage* page) {
  std::wstring caption = WideFromShiftJis(page->Spec().caption ? page->Spec().caption : "");
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  SendMessageW(hwnd(), TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
  pages_.push_back(page);
  page->SetBounds(PageArea());
  ShowSelectedPage();
}

int TabControl::PageIndex() const { return static_cast<int>(SendMessageW(hwnd(), TCM_GETCURSEL, 0, 0)); }

void TabControl::SetPageIndex(int index) {
  SendMessageW(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowSelectedPage();
}

TabPage* TabControl::Page(int index) const {
  return index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

void TabControl::ShowSelectedPage() {
  const int selected = PageIndex();
  for (int i = 0; i < PageCount(); ++i) pages_[static_cast<std::size_t>(i)]->SetVisible(i == selected);
}

LRESULT TabControl::OnNotify(NMHDR* header) {
  if (header->code == TCN_SELCHANGE) {
    ShowSelectedPage();
    if (onChange) onChange();
  }
  return 0;
}

LRESULT TabControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = Control::WndProc(message, wParam, lParam);
  if (message == WM_SIZE) {
    const RECT area = PageArea();
    for (TabPage* page : pages_) page->SetBounds(area);
  }
  return result;
}

}  // namespace quorn::ui
