#include <sys/stat.h>

#include "tools/check/file_links.h"

namespace quorn {

bool IsLink(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity(static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino));
}

}  // namespace quorn
