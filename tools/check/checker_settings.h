// The settings quorn-check judges with: those of the plug-in, with the
// reverse lookup of the platform, each lookup counted and timed in `log`
// (which must outlive the settings).
#pragma once

#include <memory>

#include "settings/settings_model.h"
#include "tools/check/lookup_log.h"

namespace quorn {

std::unique_ptr<SettingsModel> MakeCheckerSettings(LookupLog& log);

}  // namespace quorn
