#include "sim/host_calls.h"

#include <utility>
#include <vector>

namespace sim {
namespace {

std::vector<HostCallListener>& Listeners() {
  static std::vector<HostCallListener> listeners;
  return listeners;
}

}  // namespace

void OnHostCall(const char* function) {
  // By index: a listener may add listeners or call into the plug-in, which
  // calls host functions again.
  for (std::size_t i = 0; i < Listeners().size(); ++i) {
    HostCallListener listener = Listeners()[i];
    listener(function);
  }
}

void AddHostCallListener(HostCallListener listener) { Listeners().push_back(std::move(listener)); }

}  // namespace sim
