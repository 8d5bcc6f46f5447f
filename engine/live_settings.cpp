#include "engine/live_settings.h"

namespace quorn {

std::string LiveSettings::ResolveHostName(const std::string&) { return std::string(); }

}  // namespace quorn
