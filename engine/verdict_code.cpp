#include "engine/verdict_code.h"

namespace quorn {

bool IsSpamVerdict(VerdictCode code, bool reverseLookup) {
  if (code == LookupFailed) return reverseLookup;
  return code >= Blacklisted;
}

std::string VerdictName(VerdictCode code) {
  switch (code) {
    case Normal: return "Normal";
    case Excluded: return "Excluded";
    case Whitelisted: return "Whitelisted";
    case Blacklisted: return "Blacklisted";
    case LookupFailed: return "LookupFailed";
    case ReceivedUnknown: return "ReceivedUnknown";
    default: break;
  }
  if (code >= FirstRule) return "Rule" + std::to_string(code - FirstRule + 1);
  return "Code" + std::to_string(static_cast<std::int32_t>(code));
}

}  // namespace quorn
