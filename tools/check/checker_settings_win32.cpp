#include "settings/form_main.h"
#include "tools/check/checker_settings.h"

namespace quorn {
namespace {

// The plug-in's own settings window object, with its hidden window for the
// lookup's answers.
class CheckerForm : public TFormMain {
 public:
  CheckerForm(HINSTANCE module, LookupLog& log) : TFormMain(module), log_(log) {}

  std::string ResolveHostName(const std::string& ip) override {
    return log_.Timed(TimeOut, [&] { return TFormMain::ResolveHostName(ip); });
  }

 private:
  LookupLog& log_;
};

}  // namespace

std::unique_ptr<SettingsModel> MakeCheckerSettings(LookupLog& log) {
  return std::make_unique<CheckerForm>(GetModuleHandleW(nullptr), log);
}

}  // namespace quorn
