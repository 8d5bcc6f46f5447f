// The host functions the simulator exports for the plug-in to bind. Those
// the plug-in calls do their work and record it in the transcript; the rest
// exist so that binding succeeds, and report a call should one ever come.
#include <windows.h>

#include <cstring>

#include "sim/host.h"

using sim::Say;
using sim::Show;
using sim::TheHost;

namespace {

const char* Hand(int slot, const std::string& text) {
  TheHost.returned[slot] = text;
  return TheHost.returned[slot].c_str();
}

}  // namespace

namespace sim {

std::string FolderDisplayName(const std::string& id) {
  // The last folder name of the ID; a mailbox shows as its own name. IDs
  // are Shift-JIS, whose second bytes may be 5C ("表" is 95 5C), so the
  // separators are found walking forward a character at a time.
  std::size_t nameStart = 0, nameEnd = 0;
  for (std::size_t i = 0; i < id.size();) {
    if (id[i] == '\\') {
      if (i + 1 < id.size()) nameStart = i + 1;
      ++i;
      continue;
    }
    i += IsDBCSLeadByteEx(932, static_cast<BYTE>(id[i])) && i + 1 < id.size() ? 2 : 1;
    nameEnd = i;
  }
  return nameEnd > nameStart ? id.substr(nameStart, nameEnd - nameStart) : std::string();
}

}  // namespace sim

extern "C" {

const char* WINAPI VMA_GetVersion() { return Hand(0, TheHost.version); }
const char* WINAPI VMA_GetDataFolder() { return Hand(1, TheHost.dataFolder); }
const char* WINAPI VMA_GetCurrentMailBox() { return Hand(2, TheHost.currentMailBox); }
const char* WINAPI VMA_GetCurrentMail() { return Hand(3, TheHost.currentMail); }

const char* WINAPI VMA_GetFolderDisplayName(const char* id) {
  return Hand(0, sim::FolderDisplayName(id ? id : ""));
}

const char* WINAPI VMA_GetHeader(const char* id) {
  for (const sim::Message& m : TheHost.messages) {
    if (id && m.id == id) return Hand(1, m.text.substr(0, m.text.find("\r\n\r\n")));
  }
  return Hand(1, "");
}

int WINAPI VMA_RegisterCommand(const char* status, int menuType, quorn::VelmoCommandHandler handler) {
  int id = TheHost.nextCommandId++;
  TheHost.commands.push_back({id, status ? status : "", menuType, handler});
  Say("  register " + std::to_string(id) + " type " + std::to_string(menuType) + ": " +
      Show(status ? status : ""));
  return id;
}

int WINAPI VMA_GetNextMail(int start, char* buffer, int size, BOOL selectedOnly) {
  for (std::size_t i = static_cast<std::size_t>(start + 1); i < TheHost.messages.size(); ++i) {
    const sim::Message& m = TheHost.messages[i];
    if (selectedOnly && !m.selected) continue;
    if (buffer && size > 0) lstrcpynA(buffer, m.id.c_str(), size);
    return static_cast<int>(i);
  }
  if (buffer && size > 0) buffer[0] = '\0';
  return -1;
}

int WINAPI VMA_SetSel(const char* id, BOOL select) {
  Say(std::string("  select ") + (id ? id : "(all)") + (select ? " on" : " off"));
  for (sim::Message& m : TheHost.messages) {
    if (!id || m.id == id) m.selected = select != FALSE;
  }
  return 1;
}

BOOL WINAPI VMA_MoveSelectedMessages(const char* folderId, BOOL copy) {
  std::string folder = folderId ? folderId : "";
  for (sim::Message& m : TheHost.messages) {
    if (!m.selected) continue;
    Say("  move " + m.id + (copy ? " copied" : "") + " -> " + Show(folder));
    m.folder = folder;
  }
  return TRUE;
}

#define UNUSED_HOST_FUNCTION(name) \
  int WINAPI name() {              \
    Say("  UNEXPECTED CALL " #name); \
    return 0;                      \
  }
UNUSED_HOST_FUNCTION(VMA_Command)
UNUSED_HOST_FUNCTION(VMA_GetWindowHandles)
UNUSED_HOST_FUNCTION(VMA_RegisterUICallback)
UNUSED_HOST_FUNCTION(VMA_GetTempFolder)
UNUSED_HOST_FUNCTION(VMA_GetTempFileName)
UNUSED_HOST_FUNCTION(VMA_SetCurrentMailBox)
UNUSED_HOST_FUNCTION(VMA_GetCurrentFolder)
UNUSED_HOST_FUNCTION(VMA_SetCurrentFolder)
UNUSED_HOST_FUNCTION(VMA_SetMessageText)
UNUSED_HOST_FUNCTION(VMA_SetCurrentMail)
UNUSED_HOST_FUNCTION(VMA_AppendMessage)
UNUSED_HOST_FUNCTION(VMA_GetStatus)
UNUSED_HOST_FUNCTION(VMA_SetStatus)
UNUSED_HOST_FUNCTION(VMA_ComposeMail)
UNUSED_HOST_FUNCTION(VMA_GetCharSet)
UNUSED_HOST_FUNCTION(VMA_GetSource)
UNUSED_HOST_FUNCTION(VMA_SetSource)
UNUSED_HOST_FUNCTION(VMA_GetText)
UNUSED_HOST_FUNCTION(VMA_SetText)
UNUSED_HOST_FUNCTION(VMA_GetSpecifiedHeader)
UNUSED_HOST_FUNCTION(VMA_SetSpecifiedHeader)
UNUSED_HOST_FUNCTION(VMA_CompGetCharSet)
UNUSED_HOST_FUNCTION(VMA_CompGetSource)
UNUSED_HOST_FUNCTION(VMA_CompSetSource)
UNUSED_HOST_FUNCTION(VMA_CompGetHeader)
UNUSED_HOST_FUNCTION(VMA_CompGetSpecifiedHeader)
UNUSED_HOST_FUNCTION(VMA_CompSetSpecifiedHeader)
UNUSED_HOST_FUNCTION(VMA_CompGetText)
UNUSED_HOST_FUNCTION(VMA_CompSetText)
UNUSED_HOST_FUNCTION(VMA_CompAttachFile)
UNUSED_HOST_FUNCTION(VMA_Alloc)
UNUSED_HOST_FUNCTION(VMA_ReAlloc)
UNUSED_HOST_FUNCTION(VMA_Free)
UNUSED_HOST_FUNCTION(VMA_ISO_2022_JP)
UNUSED_HOST_FUNCTION(VMA_ISO_2022_KR)
UNUSED_HOST_FUNCTION(VMA_HZ_GB2312)
UNUSED_HOST_FUNCTION(VMA_ISO_8859_2)
UNUSED_HOST_FUNCTION(VMA_EUC_JP)
UNUSED_HOST_FUNCTION(VMA_UTF_7)
UNUSED_HOST_FUNCTION(VMA_UTF_8)
UNUSED_HOST_FUNCTION(VMA_B64Convert)
UNUSED_HOST_FUNCTION(VMA_QPConvert)
UNUSED_HOST_FUNCTION(VMA_MIMEHeader)
UNUSED_HOST_FUNCTION(VMA_SerializeRcpts)
UNUSED_HOST_FUNCTION(VMA_Connect)
UNUSED_HOST_FUNCTION(VMA_NextUnread)

}  // extern "C"
