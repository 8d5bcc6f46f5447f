// The one message pump of the plug-in. Every place that lets window
// messages through while it works (a modal form's loop, the inspector's
// fill between relays, a reverse lookup's wait) takes them here, so each
// message meets the same handling: first the pre-translate hook of the
// active modal form (Enter, Esc and Tab as a dialog takes them), then
// TranslateMessage and DispatchMessageW. WM_QUIT is never swallowed: it is
// posted again for the host's own loop, and the pump reports it.
#pragma once

#include <windows.h>

#include <functional>

namespace quorn {

// What a modal form offers the pump: true when it took the message.
class MessageFilter {
 public:
  virtual bool PreTranslateMessage(const MSG& message) = 0;

 protected:
  ~MessageFilter() = default;
};

// Makes `filter` the active modal form's hook for its lifetime; the one
// before comes back after (a chooser shown modally over the settings).
class ActiveMessageFilter {
 public:
  explicit ActiveMessageFilter(MessageFilter& filter);
  ~ActiveMessageFilter();
  ActiveMessageFilter(const ActiveMessageFilter&) = delete;
  ActiveMessageFilter& operator=(const ActiveMessageFilter&) = delete;

 private:
  MessageFilter* previous_;
};

enum class Pumped { Nothing, Message, Quit };

// Takes one waiting message of the thread and handles it: Nothing when none
// was waiting, Quit for WM_QUIT (posted again).
Pumped PumpOneMessage();

// Handles the waiting messages until none is left or `stop` says so before
// the next one (Nothing), or WM_QUIT comes (Quit).
Pumped PumpWaitingMessages(const std::function<bool()>& stop = nullptr);

}  // namespace quorn
