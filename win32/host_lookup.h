// The reverse lookup with Windows Sockets 1.1: WSAAsyncGetHostByAddr with
// its answer posted as WM_APP to the lookups' own message window
// (win32/message_window.h), a wait in pauses of at most
// 100 ms (each ending early when a message arrives) with the thread's
// window messages let through the plug-in's pump (win32/message_pump.h)
// between them, and WSACancelAsyncRequest at the
// time-out; the blocking gethostbyaddr on
// systems of major version 4, where the time-out does not apply.
//
// An answer counts only when it carries the task handle of a waiting
// request; one that reports an error ends that request's wait with no name.
//
// Answers that come late are bounded: a fixed set of kMaxUnanswered slots,
// allocated once, each holding one request from its start until its answer
// comes, whether or not anyone still waits for it. A request abandoned at
// its time-out keeps its answer buffer, since the system may still complete
// it (Wine does, even after a successful cancel) and nothing may write into
// memory in use again; an IPv6 one keeps its worker thread. A request the
// system dropped without an answer gives its slot back after
// kAbandonedHoldMs, well past the usual resolvers' own time-outs (about
// 10 s on Windows, 30 s by the defaults of the C library under Wine). When
// every slot is held, a lookup fails at once, as a failed lookup does: with
// a resolver that never answers, the plug-in holds no more than the slots
// however long it runs.
//
// Lookups nest: a handler dispatched during one lookup's wait (the host
// delivering the next message, a command) may start another. Each has its
// own request, buffer, answer and time-out; an answer for an outer lookup
// that comes meanwhile is kept for it. At most kMaxWaiting lookups wait at
// once: the innermost one allowed dispatches only the answers to lookups,
// so nothing can start a deeper one and no host grows the stack without end.
//
// An IPv6 address is looked up through the system's name-information
// function in a worker thread (win32/name_info_lookup.h) whose answer comes
// as WM_APP too, and waits the same way; an IPv4-mapped one as the IPv4
// address it carries. Systems of major version 4 have no IPv6 lookup: it
// fails at once, like any failed lookup.
#pragma once

// Windows Sockets must come before windows.h.
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "win32/message_window.h"

namespace quorn {

class NameInfoJob;

class HostLookups {
 public:
  // Depth 2 is the common case (the next message delivered during a
  // receipt's lookup); a command started meanwhile makes 3; one more is
  // spare. Every level holds the levels outside it for up to its own
  // time-out (twice for the repeated first lookup), so deeper nesting would
  // only make the oldest waiting message wait longer.
  static constexpr std::size_t kMaxWaiting = 4;

  // Enough for a lookup per message with the resolver's own time-out some
  // times the plug-in's; more only when nearly every message's lookup goes
  // unanswered, and those would fail at their time-out anyway.
  static constexpr std::size_t kMaxUnanswered = 16;
  static constexpr unsigned long long kAbandonedHoldMs = 2ull * 60 * 1000;

  // `module` holds this code, for the answer window's class. `answered`
  // is the owner's flag (LookupAnswered) that tells whether the answer to
  // the innermost waiting lookup has come: set when it comes, cleared for
  // each asynchronous request, and when a nested lookup ends it again tells
  // the state of the lookup that was waiting outside it. It must outlive
  // the lookups.
  // `abandonedHoldMs` is kAbandonedHoldMs but in tests.
  HostLookups(HINSTANCE module, bool& answered, unsigned long long abandonedHoldMs = kAbandonedHoldMs);
  HostLookups(const HostLookups&) = delete;
  HostLookups& operator=(const HostLookups&) = delete;
  ~HostLookups();

  // The name of `ip`, or the empty text.
  std::string Resolve(const std::string& ip, std::int32_t timeoutMs, std::int32_t osMajorVersion);

  // The window the answers are posted to.
  HWND AnswerWindow() const { return window_.hwnd(); }

  // How many asynchronous lookups are waiting now.
  std::size_t Waiting() const { return waiting_.size(); }

  // How many requests hold a slot now.
  std::size_t Unanswered() const;

 private:
  struct Slot {
    WPARAM task = 0;             // the request holding the slot; 0 when free
    NameInfoJob* job = nullptr;  // an IPv6 request's worker job
    unsigned long long abandonedAt = 0;  // when an IPv4 request was abandoned
    char buffer[MAXGETHOSTSTRUCT] = {};  // an IPv4 request's host entry
  };
  struct Request {
    WPARAM task = 0;
    bool answered = false;
    std::string name;
  };

  const unsigned long long abandonedHoldMs_;
  std::unique_ptr<Slot[]> slots_;
  std::vector<Request*> waiting_;  // innermost last
  bool& answered_;
  // Last, so that it goes first: no answer is handled while the rest is torn down.
  MessageWindow window_;

  // Records an answer for the request it belongs to and frees its slot;
  // true when that is the innermost waiting request.
  bool OnAnswer(WPARAM task, LPARAM status);
  // A slot no request holds, or nullptr when all are held.
  Slot* FreeSlot();
  static void Free(Slot& slot);
};

// The system's major version as GetVersionExA reports it: 4 chooses the
// blocking lookup without a time-out.
std::int32_t SystemMajorVersion();

}  // namespace quorn
