// The host's functions, bound by name from the executable that loaded the
// plug-in, in one table. Every call into the host goes through HostAPI.
#pragma once

#include <windows.h>

namespace quorn {

using VelmoCommandHandler = void(WINAPI*)(HWND window, LPARAM param);

using VmaText = const char*(WINAPI*)();
using VmaTextOf = const char*(WINAPI*)(const char* id);
using VmaRegisterCommand = int(WINAPI*)(const char* status, int menuType, VelmoCommandHandler);
using VmaGetNextMail = int(WINAPI*)(int start, char* buffer, int size, BOOL selectedOnly);
using VmaSetSel = int(WINAPI*)(const char* id, BOOL select);
using VmaMoveSelectedMessages = BOOL(WINAPI*)(const char* folderId, BOOL copy);
using VmaUnused = FARPROC;  // bound, never called

// The 56 entries in table order, with the type each is called through.
#define QUORN_VELMO_FUNCTIONS(X)                  \
  X(VMA_GetVersion, VmaText)                      \
  X(VMA_Command, VmaUnused)                       \
  X(VMA_GetWindowHandles, VmaUnused)              \
  X(VMA_RegisterCommand, VmaRegisterCommand)      \
  X(VMA_RegisterUICallback, VmaUnused)            \
  X(VMA_GetDataFolder, VmaText)                   \
  X(VMA_GetTempFolder, VmaUnused)                 \
  X(VMA_GetTempFileName, VmaUnused)               \
  X(VMA_GetCurrentMailBox, VmaText)               \
  X(VMA_SetCurrentMailBox, VmaUnused)             \
  X(VMA_GetCurrentFolder, VmaUnused)              \
  X(VMA_SetCurrentFolder, VmaUnused)              \
  X(VMA_GetFolderDisplayName, VmaTextOf)          \
  X(VMA_SetMessageText, VmaUnused)                \
  X(VMA_GetCurrentMail, VmaText)                  \
  X(VMA_SetCurrentMail, VmaUnused)                \
  X(VMA_GetNextMail, VmaGetNextMail)              \
  X(VMA_SetSel, VmaSetSel)                        \
  X(VMA_AppendMessage, VmaUnused)                 \
  X(VMA_MoveSelectedMessages, VmaMoveSelectedMessages) \
  X(VMA_GetStatus, VmaUnused)                     \
  X(VMA_SetStatus, VmaUnused)                     \
  X(VMA_ComposeMail, VmaUnused)                   \
  X(VMA_GetCharSet, VmaUnused)                    \
  X(VMA_GetSource, VmaUnused)                     \
  X(VMA_SetSource, VmaUnused)                     \
  X(VMA_GetHeader, VmaTextOf)                     \
  X(VMA_GetText, VmaUnused)                       \
  X(VMA_SetText, VmaUnused)                       \
  X(VMA_GetSpecifiedHeader, VmaUnused)            \
  X(VMA_SetSpecifiedHeader, VmaUnused)            \
  X(VMA_CompGetCharSet, VmaUnused)                \
  X(VMA_CompGetSource, VmaUnused)                 \
  X(VMA_CompSetSource, VmaUnused)                 \
  X(VMA_CompGetHeader, VmaUnused)                 \
  X(VMA_CompGetSpecifiedHeader, VmaUnused)        \
  X(VMA_CompSetSpecifiedHeader, VmaUnused)        \
  X(VMA_CompGetText, VmaUnused)                   \
  X(VMA_CompSetText, VmaUnused)                   \
  X(VMA_CompAttachFile, VmaUnused)                \
  X(VMA_Alloc, VmaUnused)                         \
  X(VMA_ReAlloc, VmaUnused)                       \
  X(VMA_Free, VmaUnused)                          \
  X(VMA_ISO_2022_JP, VmaUnused)                   \
  X(VMA_ISO_2022_KR, VmaUnused)                   \
  X(VMA_HZ_GB2312, VmaUnused)                     \
  X(VMA_ISO_8859_2, VmaUnused)                    \
  X(VMA_EUC_JP, VmaUnused)                        \
  X(VMA_UTF_7, VmaUnused)                         \
  X(VMA_UTF_8, VmaUnused)                         \
  X(VMA_B64Convert, VmaUnused)                    \
  X(VMA_QPConvert, VmaUnused)                     \
  X(VMA_MIMEHeader, VmaUnused)                    \
  X(VMA_SerializeRcpts, VmaUnused)                \
  X(VMA_Connect, VmaUnused)                       \
  X(VMA_NextUnread, VmaUnused)

class CVelmoAPI {
 public:
#define QUORN_DECLARE_ENTRY(name, type) type name = nullptr;
  QUORN_VELMO_FUNCTIONS(QUORN_DECLARE_ENTRY)
#undef QUORN_DECLARE_ENTRY

  HMODULE Module = nullptr;  // the host's executable; null until bound

  // Binds every entry from the executable that loaded the plug-in and checks
  // the host's version. VMA_SetStatus and VMA_NextUnread may be missing;
  // VMA_SetStatus is required from version "2.00.06" on (and for version
  // texts of 8 characters or more). On failure the table is cleared.
  bool BindHost();

 private:
  void Clear();
};

extern CVelmoAPI HostAPI;

}  // namespace quorn
