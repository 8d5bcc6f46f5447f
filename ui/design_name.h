// The design name of a window: every form and control carries the name its
// design gives it (FormProgress, ButtonOk, MemoSkip) as the window property
// "QuornName", whose value is a global atom of the name. Tests and the host
// simulator find windows by it from any module of the process.
#pragma once

#include <windows.h>

#include <string>

namespace quorn::ui {

// Gives `window` its design name (ASCII); replaces an earlier one.
void AttachDesignName(HWND window, const std::string& name);
// Removes the property and releases its atom; done when the window goes.
void DetachDesignName(HWND window);

// The design name of `window`, or the empty text.
std::wstring DesignName(HWND window);
// `root` itself or the first descendant with that design name, or null.
HWND FindDesignName(HWND root, const std::wstring& name);
// The first top-level window of this thread with that design name, or null.
HWND FindThreadWindow(const std::wstring& name);

}  // namespace quorn::ui
