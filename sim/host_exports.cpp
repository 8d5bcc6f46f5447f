// The host functions the simulator exports for the plug-in to bind. Those
// the plug-in calls do their work and record it in the transcript; the rest
// exist so that binding succeeds, and report a call should one ever come.
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

#include "sim/host.h"
#include "sim/host_calls.h"
#include "sim/mailbox.h"

using sim::Say;
using sim::Show;
using sim::TheHost;

namespace {

// Keeps a text the host hands out until the same function's next call.
const char* Hand(const char* function, std::string text) {
  std::string& buffer = TheHost.returned[function];
  buffer = std::move(text);  // a header of hundreds of MiB is not copied again
  return buffer.c_str();
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

namespace {

void Trace(const std::string& line) {
  if (TheHost.traceCalls) Say(line);
}

}  // namespace

extern "C" {

const char* WINAPI VMA_GetVersion() {
  sim::OnHostCall("VMA_GetVersion");
  return Hand("VMA_GetVersion", TheHost.version);
}
const char* WINAPI VMA_GetDataFolder() {
  sim::OnHostCall("VMA_GetDataFolder");
  return Hand("VMA_GetDataFolder", TheHost.dataFolder);
}
const char* WINAPI VMA_GetCurrentMailBox() {
  sim::OnHostCall("VMA_GetCurrentMailBox");
  return Hand("VMA_GetCurrentMailBox", TheHost.currentMailBox);
}
const char* WINAPI VMA_GetCurrentMail() {
  sim::OnHostCall("VMA_GetCurrentMail");
  return Hand("VMA_GetCurrentMail", TheHost.currentMail);
}

const char* WINAPI VMA_GetFolderDisplayName(const char* id) {
  sim::OnHostCall("VMA_GetFolderDisplayName");
  return Hand("VMA_GetFolderDisplayName", sim::FolderDisplayName(id ? id : ""));
}

const char* WINAPI VMA_GetHeader(const char* id) {
  sim::OnHostCall("VMA_GetHeader");
  Trace(std::string("  header ") + (id ? id : "(null)"));
  return Hand("VMA_GetHeader", sim::HeaderOf(id ? id : ""));
}

int WINAPI VMA_RegisterCommand(const char* status, int menuType, quorn::VelmoCommandHandler handler) {
  sim::OnHostCall("VMA_RegisterCommand");
  int id = TheHost.nextCommandId++;
  TheHost.commands.push_back({id, status ? status : "", menuType, handler});
  Say("  register " + std::to_string(id) + " type " + std::to_string(menuType) + ": " +
      Show(status ? status : ""));
  return id;
}

int WINAPI VMA_GetNextMail(int start, char* buffer, int size, BOOL selectedOnly) {
  sim::OnHostCall("VMA_GetNextMail");
  if (!selectedOnly) Trace("  UNEXPECTED: VMA_GetNextMail over all messages");
  const bool untouched = TheHost.selectionProtocol == sim::SelectionProtocol::UntouchedEnd;
  int next = sim::NextSelected(start, buffer, size);
  std::string given = next == -1 && untouched ? "(buffer untouched)"
                                              : "\"" + std::string(buffer && size > 0 ? buffer : "") + "\"";
  Trace("  next " + std::to_string(start) + " -> " + std::to_string(next) + " " + given +
        (size == 256 ? "" : " SIZE " + std::to_string(size)));
  return next;
}

int WINAPI VMA_SetSel(const char* id, BOOL select) {
  sim::OnHostCall("VMA_SetSel");
  Trace(std::string("  select ") + (id ? id : "(all)") + (select ? " on" : " off"));
  return sim::SetSelection(id, select != FALSE) ? 1 : 0;
}

BOOL WINAPI VMA_MoveSelectedMessages(const char* folderId, BOOL copy) {
  sim::OnHostCall("VMA_MoveSelectedMessages");
  return sim::MoveSelection(folderId ? folderId : "", copy != FALSE) ? TRUE : FALSE;
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
