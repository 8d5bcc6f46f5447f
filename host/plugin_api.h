// What the plug-in exports to the host: the record its information goes
// into, and the sixteen callbacks, exported under their plain names
// (quorn.def) with the WINAPI convention.
#pragma once

#include <windows.h>

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
