#include "ui/control.h"

#include "ui/form.h"

namespace quorn::ui {

bool Control::CreateFrom(const ControlSpec& entry, HWND container, const wchar_t* className, DWORD style,
                         DWORD exStyle) {
  spec_ = entry;
  container_ = container;
  RECT client = {};
  GetClientRect(container, &client);
  containerDesign_ = {client.right, client.bottom};
  design_ = (entry.flags & kFillContainer) ? client
                                           : RECT{entry.left, entry.top, entry.left + entry.width, entry.top + entry.height};
  CreateArgs args;
  args.className = className;
  args.style = WS_CHILD | WS_VISIBLE | style | (entry.tabOrder >= 0 ? WS_TABSTOP : 0);
  args.exStyle = exStyle;
  args.parent = container;
  args.bounds = design_;
  args.designName = entry.name;
  args.text = entry.caption ? entry.caption : "";
  return Create(args);
}

Form* Control::OwnerForm() const {
  return dynamic_cast<Form*>(Wnd::FromHandle(GetAncestor(hwnd(), GA_ROOT)));
}

void Control::ApplyAnchors(int width, int height) {
  const unsigned a = spec_.anchors;
  const int dx = width - containerDesign_.cx;
  const int dy = height - containerDesign_.cy;
  RECT r = design_;
  if (a & kAnchorRight) {
    r.right += dx;
    if (!(a & kAnchorLeft)) r.left += dx;
  }
  if (a & kAnchorBottom) {
    r.bottom += dy;
    if (!(a & kAnchorTop)) r.top += dy;
  }
  SetBounds(r);
}

}  // namespace quorn::ui
