#include "hostapi/plugin_state.h"

#include "hostapi/velmo_api.h"

namespace quorn {

HINSTANCE PlugInModule = nullptr;
std::unique_ptr<TFormMain> FormMain;
std::unique_ptr<TFormFolder> FormFolder;
std::string PlugInFolder;
std::string IniFilePath;
bool FilterErrorShown = false;

std::string LookupFolderDisplayName(const std::string& folderId) {
  return HostText(HostAPI.VMA_GetFolderDisplayName(folderId.c_str()));
}

}  // namespace quorn
