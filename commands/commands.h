// The menu commands the plug-in registers with the host.
#pragma once

#include <windows.h>

namespace quorn {

// Moves every selected message judged spam to the spam destination.
void WINAPI SortSpamCommand(HWND window, LPARAM param);
// Leaves exactly the spam among the selected messages selected.
void WINAPI CheckSpamCommand(HWND window, LPARAM param);
// Lists every relay of the current message with its verdict.
void WINAPI InspectReceivedCommand(HWND window, LPARAM param);

}  // namespace quorn
