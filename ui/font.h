// The user-interface font of every window and control: "ＭＳ Ｐゴシック",
// 12 pixels high, Shift-JIS character set. One handle for the whole
// plug-in, created on first use and deleted when the module goes.
#pragma once

#include <windows.h>

namespace quorn::ui {

HFONT UiFont();

}  // namespace quorn::ui
