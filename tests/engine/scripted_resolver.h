// Settings whose reverse lookup answers from a script, for tests of the
// logic around the lookup (the real resolvers are tested against a real
// name service elsewhere).
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/live_settings.h"

namespace quorn {

class ScriptedResolver : public LiveSettings {
 public:
  // Answers given in order; once they run out, every lookup fails.
  std::deque<std::string> answers;
  std::vector<std::string> asked;
  std::function<void()> duringLookup;  // runs inside each lookup, as other handlers could

  std::string ResolveHostName(const std::string& ip) override {
    asked.push_back(ip);
    if (duringLookup) duringLookup();
    if (answers.empty()) return std::string();
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace quorn
