#include "win32/message_pump.h"

namespace quorn {
namespace {

MessageFilter* Active = nullptr;  // the innermost modal form's; the host's thread only

}  // namespace

ActiveMessageFilter::ActiveMessageFilter(MessageFilter& filter) : previous_(Active) { Active = &filter; }
ActiveMessageFilter::~ActiveMessageFilter() { Active = previous_; }

Pumped PumpOneMessage() {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return Pumped::Nothing;
  if (message.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(message.wParam));  // for the host's own loop
    return Pumped::Quit;
  }
  if (!Active || !Active->PreTranslateMessage(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return Pumped::Message;
}

Pumped PumpWaitingMessages(const std::function<bool()>& stop) {
  for (;;) {
    if (stop && stop()) return Pumped::Nothing;
    const Pumped pumped = PumpOneMessage();
    if (pumped != Pumped::Message) return pumped;
  }
}

}  // namespace quorn
