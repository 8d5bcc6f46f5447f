// The settings quorn-check judges with: those of the plug-in, with the
// reverse lookup of the platform.
#pragma once

#include <memory>

#include "settings/settings_model.h"

namespace quorn {

std::unique_ptr<SettingsModel> MakeCheckerSettings();

}  // namespace quorn
