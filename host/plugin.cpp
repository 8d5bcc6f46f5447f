// The module's entry and the callbacks of its frame: start-up, menus, the
// information record and the settings. The receipt hook is in receipt.cpp.
#include <windows.h>

#include "commands/commands.h"
#include "commands/form_progress.h"
#include "commands/form_received.h"
#include "engine/text_error.h"
#include "host/plugin_api.h"
#include "hostapi/plugin_state.h"
#include "hostapi/velmo_api.h"
#include "texts/catalog.h"
#include "win32/message_box.h"
#include "win32/module_windows.h"

namespace quorn {

namespace {

struct MenuCommand {
  const char* caption;
  const char* status;
  VelmoCommandHandler handler;
};

const MenuCommand kMenuCommands[] = {
    {texts::kSortSpamCaption, texts::kSortSpamStatus, SortSpamCommand},
    {texts::kCheckSpamCaption, texts::kCheckSpamStatus, CheckSpamCommand},
    {texts::kInspectCaption, texts::kInspectStatus, InspectReceivedCommand},
};

bool IsDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CopyText(char* field, std::size_t width, const char* text) {
  lstrcpynA(field, text, static_cast<int>(width));
}

// At unload the settings reach the file and the windows go. No window may
// be shown here (the loader lock is held): a save that fails is given up.
void Unload(bool processExiting) {
  if (FormMain && !IniFilePath.empty()) {
    try {
      FormMain->SaveSettings(IniFilePath);
    } catch (...) {
    }
  }
  const HWND settingsWindow = FormMain ? FormMain->Handle() : nullptr;
  const DWORD windowThread = settingsWindow ? GetWindowThreadProcessId(settingsWindow, nullptr) : 0;
  if (!processExiting && windowThread && windowThread != GetCurrentThreadId()) {
    // Unloaded as a lookup's worker thread ends, after the host let go: the
    // windows are the host thread's and cannot be destroyed from here.
    DisarmModuleWindows(PlugInModule, windowThread, settingsWindow);
    processExiting = true;
  }
  if (processExiting) {
    // The process is ending and its windows with it: leave them alone.
    (void)FormMain.release();
    (void)FormFolder.release();
    (void)FormReceived.release();
    (void)FormProgress.release();
    return;
  }
  FormMain.reset();
  FormFolder.reset();
  FormReceived.reset();
  FormProgress.reset();
  ReceivedHops.clear();
}

}  // namespace
}  // namespace quorn

using namespace quorn;

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      PlugInModule = module;
      return Guarded(FALSE, [] { return HostAPI.BindHost() ? TRUE : FALSE; });
    case DLL_PROCESS_DETACH:
      Guarded(TRUE, [&] {
        Unload(reserved != nullptr);
        return TRUE;
      });
      return TRUE;
    default:
      return TRUE;
  }
}

int WINAPI VMC_OnStart() {
  return Guarded(0, [] {
    if (FormMain) return 0;  // started already
    const std::string dataFolder = HostText(HostAPI.VMA_GetDataFolder());
    FormMain = std::make_unique<TFormMain>(PlugInModule);
    FormMain->FolderNameHook = LookupFolderDisplayName;
    FormFolder = std::make_unique<TFormFolder>();
    FormFolder->DataFolder = dataFolder;
    FormMain->FolderChooser = FormFolder.get();
    FormReceived = std::make_unique<TFormReceived>();
    FormProgress = std::make_unique<TFormProgress>();

    PlugInFolder = dataFolder + "PlugIns";
    if (!IsDirectory(PlugInFolder)) CreateDirectoryA(PlugInFolder.c_str(), nullptr);
    IniFilePath = PlugInFolder + "\\" + "Quorn" + ".ini";
    if (!IsFile(IniFilePath)) {
      try {
        FormMain->WriteDefaultSettings(IniFilePath);
      } catch (const TextError& e) {
        // Go on with the built-in defaults, which the load below falls back to.
        ShowMessage(e.what(), MessageKind::Error);
      }
    }
    try {
      const SettingsModel::LoadReport report = FormMain->LoadSettings(IniFilePath);
      const std::string repaired = SettingsModel::RepairedListsText(IniFilePath, report);
      if (!repaired.empty()) ShowMessage(repaired, MessageKind::Information);
    } catch (const TextError& e) {
      // The built-in settings are in force; the file is kept as a backup
      // before anything overwrites it.
      ShowMessage(e.what(), MessageKind::Error);
    }
    return 0;
  });
}

int WINAPI VMC_OnExit() { return 0; }
int WINAPI VMC_OnEveryMinute() { return 0; }

int WINAPI VMC_OnMenuInit(HWND, HMENU menu, int type) {
  return Guarded(0, [&] {
    if (type != velmo::kMainWindowMenu || !HostAPI.VMA_RegisterCommand) return 0;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (const MenuCommand& command : kMenuCommands) {
      int id = HostAPI.VMA_RegisterCommand(command.status, type, command.handler);
      AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(id), command.caption);
    }
    return 0;
  });
}

int WINAPI VMC_OnPlugInSetup(HWND) {
  return Guarded(1, [] {
    // Asked again while the window is open (a lookup dispatches the host's
    // messages while it waits): the open window comes to the front, and
    // nothing it shows, the chooser's mailbox included, changes.
    if (FormMain && FormMain->Showing()) {
      FormMain->BringToFront();
      return 1;
    }
    const std::string mailBox = HostText(HostAPI.VMA_GetCurrentMailBox());
    if (FormFolder) {
      FormFolder->MailBox = mailBox;
      FormFolder->RootCaption = LookupFolderDisplayName(mailBox);
      if (FormMain) {
        FilterErrorShown = false;
        FormMain->ShowModal();
      }
      return 1;
    }
    ShowMessage(texts::kNotReady, MessageKind::Information);
    return 1;
  });
}

int WINAPI VMC_OnPlugInInfo(VMPlugInInfo* info) {
  return Guarded(0, [&] {
    if (!info) return 0;
    CopyText(info->Name, sizeof info->Name, texts::kPlugInName);
    CopyText(info->Vendor, sizeof info->Vendor, texts::kPlugInVendor);
    CopyText(info->Version, sizeof info->Version, texts::kPlugInVersion);
    CopyText(info->Description, sizeof info->Description, texts::kPlugInDescription);
    return 0;
  });
}

int WINAPI VMC_OnOpenFolder(const char*) { return 0; }
int WINAPI VMC_OnOpenMail(const char*) { return 0; }
int WINAPI VMC_OnSend(const char*) { return 0; }
int WINAPI VMC_OnFinishRetrieve(int) { return 0; }
int WINAPI VMC_OnOpenCompose(HWND, int) { return 0; }
int WINAPI VMC_OnOutgoing(HWND, int) { return 0; }
int WINAPI VMC_OnRetrieve(const char*, const char*) { return 0; }
int WINAPI VMC_OnKeyDispatch(HWND, int, int) { return 0; }
int WINAPI VMC_OnDragDrop(const char*, const char*, int, int) { return 0; }

// The marker text hosts look for in a plug-in's image.
extern "C" __attribute__((used)) const char VelmoPlugInMarker[] = "Velmo! plugin";
