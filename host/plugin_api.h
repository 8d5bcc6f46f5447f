// What the plug-in exports to the host: the record its information goes
// into, and the sixteen callbacks, exported under their plain names
// (quorn.def) with the WINAPI convention.
#pragma once

#include <windows.h>

// The numbers the host and the plug-in exchange, named once for both sides
// (the simulator includes this file too).
namespace velmo {

// What VMC_OnBeforeFilter returns. The host calls it once per received
// message, and again after an answer that asks for an action.
enum FilterResult : int {
  kLeaveMessage = 0,  // nothing to do: the message stays where it arrived
  kMoveMessage = 2,   // move the message to the folder named by the text (action kActionMove)
  kDoAction = 3,      // carry out the action, then call again
};

// The action VMC_OnBeforeFilter writes with kMoveMessage or kDoAction.
enum FilterAction : int {
  kActionMove = 0,       // with kMoveMessage: the text is the destination folder ID
  kActionAddHeader = 8,  // with kDoAction: the text is a header line to add
};

// The menu a VMC_OnMenuInit call builds; the plug-in adds its commands to
// the main window's menu only.
enum MenuType : int {
  kMainWindowMenu = 1,
};

}  // namespace velmo

extern "C" {

struct VMPlugInInfo {
  char Name[80];
  char Vendor[80];
  char Version[80];
  char Description[256];
};

int WINAPI VMC_OnStart();
int WINAPI VMC_OnExit();
int WINAPI VMC_OnEveryMinute();
int WINAPI VMC_OnMenuInit(HWND window, HMENU menu, int type);
int WINAPI VMC_OnPlugInSetup(HWND window);
int WINAPI VMC_OnPlugInInfo(VMPlugInInfo* info);
int WINAPI VMC_OnBeforeFilter(const char* message, int* action, char** text);
int WINAPI VMC_OnOpenFolder(const char* folder);
int WINAPI VMC_OnOpenMail(const char* mail);
int WINAPI VMC_OnSend(const char* mail);
int WINAPI VMC_OnFinishRetrieve(int count);
int WINAPI VMC_OnOpenCompose(HWND window, int mode);
int WINAPI VMC_OnOutgoing(HWND window, int mode);
int WINAPI VMC_OnRetrieve(const char* mail, const char* mailBox);
int WINAPI VMC_OnKeyDispatch(HWND window, int key, int flags);
int WINAPI VMC_OnDragDrop(const char* source, const char* target, int a, int b);

}  // extern "C"
