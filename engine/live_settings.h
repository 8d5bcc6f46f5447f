// The object that holds the live settings and the engine's state. The
// engine's operations take it; the settings model builds on it, and on
// Windows the settings window is this object.
#pragma once

#include <cstdint>
#include <string>

#include "engine/verdict_code.h"

namespace quorn {

class LiveSettings {
 public:
  LiveSettings() = default;
  LiveSettings(const LiveSettings&) = delete;
  LiveSettings& operator=(const LiveSettings&) = delete;
  virtual ~LiveSettings() = default;

  // The relay's registered host name, or the empty text when it has none,
  // the lookup failed or TimeOut ran out. Never throws. Without a resolver
  // of the platform every lookup fails.
  virtual std::string ResolveHostName(const std::string& ip);

  // Settings, with their construction values.
  bool Paralysis = false;
  bool DropTrash = true;
  bool ReverseLookup = true;
  bool AcceptReceivedHost = true;
  std::string Folder;
  std::int32_t TimeOut = 3000;

  // Engine state.
  VerdictCode LastVerdict = Normal;   // of the message judged last
  bool FirstLookup = true;            // the first failed lookup is tried twice
  bool LookupAnswered = false;        // the pending asynchronous lookup answered
  std::int32_t OsMajorVersion = 0;    // 4 selects the blocking lookup
};

}  // namespace quorn
