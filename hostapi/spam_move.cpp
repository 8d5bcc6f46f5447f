#include "hostapi/spam_move.h"

#include "hostapi/plugin_state.h"
#include "hostapi/velmo_api.h"

namespace quorn {

std::string SpamDestination() {
  if (!FormMain) return std::string();
  return FormMain->DropTrash ? HostText(HostAPI.VMA_GetCurrentMailBox()) + "!Trash\\" : FormMain->Folder;
}

bool MoveToSpamFolder(const std::string& messageId, const std::string& destination) {
  HostAPI.VMA_SetSel(nullptr, FALSE);
  HostAPI.VMA_SetSel(messageId.c_str(), TRUE);
  return HostAPI.VMA_MoveSelectedMessages(destination.c_str(), FALSE) != FALSE;
}

}  // namespace quorn
