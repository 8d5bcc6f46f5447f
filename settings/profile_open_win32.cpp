#include "settings/profile_win32.h"

namespace quorn {

std::unique_ptr<ProfileFile> OpenProfileFile(const std::string& path) {
  return std::make_unique<Win32ProfileFile>(path);
}

}  // namespace quorn
