// A window's top-left corner kept in the settings file: the keys "Top" and
// "Left" of the window's own section.
#pragma once

#include <optional>
#include <string>

#include "settings/settings_model.h"

namespace quorn {

struct WindowCorner {
  int top;
  int left;
};

// The corner saved in `section` of the settings file, each key falling back
// to `current` when it is missing or no number; `current` when the file
// cannot be read.
WindowCorner ReadWindowCorner(const std::string& path, const std::string& section, WindowCorner current);

// Writes the corner into `section`, after the settings model has kept a
// file it could not read (a writer of the settings file must). A position
// is no setting worth an error box: false when the file cannot be written.
bool WriteWindowCorner(SettingsModel& settings, const std::string& path, const std::string& section,
                       WindowCorner corner);

}  // namespace quorn
