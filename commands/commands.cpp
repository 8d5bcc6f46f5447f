#include "commands/commands.h"

namespace quorn {

// The commands are registered now; their work comes with their windows.
void WINAPI SortSpamCommand(HWND, LPARAM) {}
void WINAPI CheckSpamCommand(HWND, LPARAM) {}
void WINAPI InspectReceivedCommand(HWND, LPARAM) {}

}  // namespace quorn
