#include "engine/lookup.h"
#include "tools/check/checker_settings.h"

namespace quorn {
namespace {

class CheckerSettings : public SettingsModel {
 public:
  std::string ResolveHostName(const std::string& ip) override {
    return LookUpHostName(ip, TimeOut, nullptr);
  }
};

}  // namespace

std::unique_ptr<SettingsModel> MakeCheckerSettings() { return std::make_unique<CheckerSettings>(); }

}  // namespace quorn
