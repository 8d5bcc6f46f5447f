#include "tools/check/lookup_log.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace quorn {

std::string LookupLog::Timed(std::int32_t timeoutMs, const std::function<std::string()>& lookup) {
  const auto start = std::chrono::steady_clock::now();
  std::string name = lookup();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  ++done;
  if (!name.empty()) {
    ++answered;
  } else if (ms >= timeoutMs) {
    ++timedOut;
  } else {
    ++failed;
  }
  totalMs += ms;
  longestMs = std::max(longestMs, ms);
  return name;
}

std::string LookupLog::Summary() const {
  char text[160];
  std::snprintf(text, sizeof text, "lookups: %d done, %d answered, %d failed, %d timed out; %.1f ms in all, longest %.1f ms",
                done, answered, failed, timedOut, totalMs, longestMs);
  return text;
}

}  // namespace quorn
