#include <windows.h>

#include <algorithm>

#include "settings/file_access.h"
#include "win32/kernel_handle.h"

namespace quorn {
namespace {

// Writes the bytes into a file made with the given disposition; false
// removes what it made.
bool WriteFileBytes(const std::string& path, DWORD disposition, const std::string& bytes) {
  KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    ok = WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  ok = FlushFileBuffers(file.get()) && ok;
  ok = file.Close() && ok;
  if (!ok) DeleteFileA(path.c_str());
  return ok;
}

}  // namespace

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  bool ok = true;
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      ok = false;
      break;
    }
    if (read == 0) break;
    bytes.append(buffer, read);
  }
  if (!ok) return std::nullopt;
  return bytes;
}

bool IsReadOnlyFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".tmp";
  if (!WriteFileBytes(temporary, CREATE_ALWAYS, bytes)) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(temporary.c_str(), attributes);
  if (!MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

bool CreateNewFile(const std::string& path, const std::string& bytes) {
  return WriteFileBytes(path, CREATE_NEW, bytes);
}

}  // namespace quorn
