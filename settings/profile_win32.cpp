#include "settings/profile_win32.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "engine/text_error.h"

namespace quorn {

Win32ProfileFile::~Win32ProfileFile() {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}

std::string Win32ProfileFile::ReadString(const std::string& section, const std::string& key,
                                         const std::string& fallback) {
  std::vector<char> buffer(kProfileValueLimit + 1);
  DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                          buffer.data(), static_cast<DWORD>(buffer.size()),
                                          path_.c_str());
  // Cutting a value inside a double-byte character, the functions fill the
  // buffer with whole characters only but still report the full length.
  return std::string(buffer.data(), strnlen(buffer.data(), length));
}

bool Win32ProfileFile::HasSection(const std::string& section) {
  // With no key name the functions list the section's key names.
  char names[4] = {};
  GetPrivateProfileStringA(section.c_str(), nullptr, "", names, sizeof names, path_.c_str());
  return names[0] != '\0';
}

void Win32ProfileFile::WriteString(const std::string& section, const std::string& key,
                                   const std::string& value) {
  // Some implementations of the profile functions report success for a
  // read-only file they could not write; such a file refuses every write.
  DWORD attributes = GetFileAttributesA(path_.c_str());
  bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  if (readOnly ||
      !WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str())) {
    throw TextError(CannotWriteText(path_));
  }
}

}  // namespace quorn
