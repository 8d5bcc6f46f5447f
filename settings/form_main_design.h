// The design of the settings window: its frame and caption, and every
// control with its caption, position, size and tab order.
#pragma once

#include <vector>

#include "ui/control_table.h"
#include "ui/form.h"

namespace quorn {

ui::FormArgs MainFormDesign();
const std::vector<ui::ControlSpec>& MainFormControls();

// The list editors in the order of their lists (Skip, White, Black, Rules,
// RecvRegex).
extern const char* const kMainFormMemos[5];

}  // namespace quorn
