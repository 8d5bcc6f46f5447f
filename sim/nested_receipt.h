// Deliveries from inside the plug-in's calls: a host whose receive loop is
// driven by window messages offers the next message whenever something on
// its thread dispatches messages, as the plug-in's reverse lookup does while
// it waits.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace sim {

struct Delivery {
  std::string name;
  std::string text;
};

// Offers the first message with `deliver`. As each message is offered, the
// next one is posted to a window of the host's, so it is offered from
// inside whichever of the plug-in's calls dispatches messages first, or by
// the host's own loop once the calls are over. The transcript says where
// each later one was offered.
void ReceiveNested(std::vector<Delivery> deliveries,
                   const std::function<void(const std::string& name, std::string text)>& deliver);

}  // namespace sim
