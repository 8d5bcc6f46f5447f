#include "settings/form_main.h"
#include "tools/check/checker_settings.h"

namespace quorn {

// The plug-in's own settings window object, with its hidden window for the
// lookup's answers.
std::unique_ptr<SettingsModel> MakeCheckerSettings() {
  return std::make_unique<TFormMain>(GetModuleHandleW(nullptr));
}

}  // namespace quorn
