// The platform's reverse lookup as the tests call it. `whileWaiting` is
// called from the lookup's event processing (natively the event hook; on
// Windows a thread timer whose messages the wait dispatches).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace quorn {

std::string PlatformLookup(const std::string& ip, std::int32_t timeoutMs,
                           const std::function<void()>& whileWaiting = nullptr);

// The DLL's blocking lookup for systems of major version 4; false where the
// platform has none.
bool UseBlockingLookup(bool on);

}  // namespace quorn
