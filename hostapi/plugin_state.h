// The plug-in's global state, shared by the callbacks, the receipt hook and
// the commands. The windows exist from VMC_OnStart until the module is
// unloaded; everything runs on the host's user-interface thread. The
// exported callbacks (host/) create and release them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "settings/form_folder.h"
#include "settings/form_main.h"

namespace quorn {

extern HINSTANCE PlugInModule;  // this DLL
extern std::unique_ptr<TFormMain> FormMain;
extern std::unique_ptr<TFormFolder> FormFolder;
extern std::string PlugInFolder;  // the host's data folder + "PlugIns"
extern std::string IniFilePath;   // PlugInFolder + "\Quorn.ini"
extern bool FilterErrorShown;     // the receipt filter has reported an error

// A text the host returned, copied at once (the host may reuse its buffer).
inline std::string HostText(const char* text) { return text ? std::string(text) : std::string(); }

// The display name of a host folder ID.
std::string LookupFolderDisplayName(const std::string& folderId);

// Runs a callback's body; an exception, which the host could not survive,
// becomes the given result.
template <class Body>
int Guarded(int resultOnError, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return resultOnError;
  }
}

}  // namespace quorn
