// A static text; with no size in its row, it takes the size of its text.
#pragma once

#include "ui/control.h"

namespace quorn::ui {

class Label : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND container);
};

}  // namespace quorn::ui
