#include "engine/lookup.h"
#include "tools/check/checker_settings.h"

namespace quorn {
namespace {

class CheckerSettings : public SettingsModel {
 public:
  explicit CheckerSettings(LookupLog& log) : log_(log) {}

  std::string ResolveHostName(const std::string& ip) override {
    return log_.Timed(TimeOut, [&] { return LookUpHostName(ip, TimeOut, nullptr); });
  }

 private:
  LookupLog& log_;
};

}  // namespace

std::unique_ptr<SettingsModel> MakeCheckerSettings(LookupLog& log) {
  return std::make_unique<CheckerSettings>(log);
}

}  // namespace quorn
