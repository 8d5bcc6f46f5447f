// The design of the settings window: its frame and caption, and every
// control with its caption, position, size and tab order. A page with its
// list editor is made for each list binding (settings/list_bindings.h).
#pragma once

#include <vector>

#include "settings/list_bindings.h"
#include "ui/buttons.h"
#include "ui/control_table.h"
#include "ui/edits.h"
#include "ui/form.h"
#include "ui/tabs.h"

namespace quorn {

// The controls the window works with, filled when the form is built.
struct MainFormControls {
  ui::TabControl* pages = nullptr;
  ui::Button* ok = nullptr;
  ui::Button* cancel = nullptr;
  ui::CheckBox* paralysis = nullptr;
  ui::CheckBox* dropTrash = nullptr;
  ui::Edit* folder = nullptr;
  ui::Button* folderButton = nullptr;
  ui::CheckBox* reverseLookup = nullptr;
  ui::Edit* timeOut = nullptr;
  ui::CheckBox* acceptReceivedHost = nullptr;
  ui::Memo* editors[kListCount] = {};  // in the order of ListBindings()
};

ui::FormArgs MainFormDesign();
// The control table, each control the window works with bound into `controls`.
std::vector<ui::ControlSpec> MainFormControlTable(MainFormControls& controls);

}  // namespace quorn
