#include "commands/window_position.h"

#include "settings/profile_file.h"
#include "settings/value_format.h"

namespace quorn {

WindowCorner ReadWindowCorner(const std::string& path, const std::string& section, WindowCorner current) {
  if (path.empty()) return current;
  try {
    auto file = OpenProfileFile(path);
    current.top = ParseProfileInt(file->ReadString(section, "Top", "")).value_or(current.top);
    current.left = ParseProfileInt(file->ReadString(section, "Left", "")).value_or(current.left);
  } catch (...) {
  }
  return current;
}

bool WriteWindowCorner(SettingsModel& settings, const std::string& path, const std::string& section,
                       WindowCorner corner) {
  if (path.empty()) return false;
  try {
    settings.KeepUnreadableFile(path);
    auto file = OpenProfileFile(path);
    file->WriteKeys({{section, "Top", FormatProfileInt(corner.top)},
                     {section, "Left", FormatProfileInt(corner.left)}});
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace quorn
