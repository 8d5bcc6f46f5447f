#include "settings/unreadable_backup.h"

#include <optional>

#include "engine/text_error.h"
#include "settings/file_access.h"
#include "settings/profile_file.h"

namespace quorn {

std::string KeepBackupCopy(const std::string& path) {
  if (!FileExists(path)) return std::string();
  const std::optional<std::string> content = ReadWholeFile(path);
  if (!content) throw TextError(CannotWriteText(path));
  for (int n = 1; n <= 99; ++n) {
    const std::string backup = path + ".bak" + (n == 1 ? std::string() : std::to_string(n));
    if (CreateNewFile(backup, *content)) return backup;
    if (!FileExists(backup)) break;  // the folder refuses new files
    if (ReadWholeFile(backup) == content) return backup;
  }
  throw TextError(CannotWriteText(path));
}

}  // namespace quorn
