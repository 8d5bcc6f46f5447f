#include <windows.h>

#include "tools/check/file_links.h"

namespace quorn {

// Names are in the ANSI code page, as the checker opens files by them.
bool IsLink(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  // No access rights needed to read the attributes; folders open only with
  // backup semantics.
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const BOOL ok = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return FileIdentity(info.dwVolumeSerialNumber,
                      static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow);
}

}  // namespace quorn
