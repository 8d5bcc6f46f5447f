// Tab pages: a tab control and its pages. Each page is a plain container
// (the layer's panel class) over the tab control's display area; the
// controls of a page are its children, placed relative to the page.
#pragma once

#include <functional>
#include <vector>

#include "ui/control.h"

namespace quorn::ui {

class TabPage : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND tabControl);

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TabControl : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND container);
  void AddPage(TabPage* page);   // appends its tab, captioned with the page's caption
  int PageIndex() const;
  void SetPageIndex(int index);  // shows that page; runs no change handler
  TabPage* Page(int index) const;
  int PageCount() const { return static_cast<int>(pages_.size()); }
  LRESULT OnNotify(NMHDR* header) override;

  std::function<void()> onChange;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  RECT PageArea() const;
  void ShowSelectedPage();

  std::vector<TabPage*> pages_;
};

}  // namespace quorn::ui
