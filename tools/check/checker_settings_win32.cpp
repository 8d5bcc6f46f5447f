#include <windows.h>

#include "tools/check/checker_settings.h"
#include "win32/host_lookup.h"

namespace quorn {
namespace {

// The plug-in's settings model with the plug-in's own reverse lookup: its
// answers come to the lookups' message window, with no form around it.
class CheckerSettings : public SettingsModel {
 public:
  explicit CheckerSettings(LookupLog& log) : lookups_(GetModuleHandleW(nullptr), LookupAnswered), log_(log) {
    OsMajorVersion = SystemMajorVersion();
  }

  std::string ResolveHostName(const std::string& ip) override {
    return log_.Timed(TimeOut, [&] { return lookups_.Resolve(ip, TimeOut, OsMajorVersion); });
  }

 private:
  HostLookups lookups_;
  LookupLog& log_;
};

}  // namespace

std::unique_ptr<SettingsModel> MakeCheckerSettings(LookupLog& log) { return std::make_unique<CheckerSettings>(log); }

}  // namespace quorn
