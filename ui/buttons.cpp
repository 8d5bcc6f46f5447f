#include "ui/buttons.h"

#include "ui/form.h"

namespace quorn::ui {

bool Button::Create(const ControlSpec& entry, HWND container) {
  DWORD style = (entry.flags & kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  return CreateFrom(entry, container, L"BUTTON", style);
}

void Button::Click() {
  if (!Enabled()) return;
  if (onClick) onClick();
  if (Spec().flags & (kClosesOk | kClosesCancel)) {
    if (Form* form = OwnerForm()) {
      form->CloseWithResult((Spec().flags & kClosesOk) ? ModalResult::Ok : ModalResult::Cancel);
    }
  }
}

void Button::OnCommand(WORD code) {
  if (code == BN_CLICKED) Click();
}

bool CheckBox::Create(const ControlSpec& entry, HWND container) {
  return CreateFrom(entry, container, L"BUTTON", BS_AUTOCHECKBOX);
}

bool CheckBox::Checked() const { return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::OnCommand(WORD code) {
  if (code == BN_CLICKED && onClick) onClick();
}

bool GroupBox::Create(const ControlSpec& entry, HWND container) {
  return CreateFrom(entry, container, L"BUTTON", BS_GROUPBOX);
}

}  // namespace quorn::ui
