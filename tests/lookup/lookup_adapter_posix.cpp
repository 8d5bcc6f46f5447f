#include "engine/lookup.h"
#include "tests/lookup/lookup_adapter.h"

namespace quorn {

std::string PlatformLookup(const std::string& ip, std::int32_t timeoutMs,
                           const std::function<void()>& whileWaiting) {
  return LookUpHostName(ip, timeoutMs, whileWaiting);
}

bool UseBlockingLookup(bool) { return false; }

}  // namespace quorn
