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
// each with an answer buffer, each holding one request from its start until
// the system is done with it, whether or not anyone still waits for it.
// Windows is done with a request when its answer comes or when
// WSACancelAsyncRequest succeeds: a cancelled request is neither answered
// nor written. Wine's cancel reports success and changes nothing: the
// answer still comes and is written, so there a slot is held until it
// does. Wine is known by its exports or its registry key, and an answer
// that ever comes for a request cancelled with success marks the system as
// one whose cancel changes nothing, for the rest of the run; a free slot is
// taken least recently freed first, so a slot freed by a cancel is taken
// last. An IPv6 request keeps its slot while its worker thread runs.
//
// A lookup that finds every slot held waits, within its own time-out, for
// one to come free, and fails like any failed lookup if none does. A slot
// the system has kept for kAbandonedHoldMs (a resolver that never gives up)
// is taken again with a fresh buffer, the old one (or the worker's job) left
// to the system, at most kMaxRetired times in a run; after that such slots
// stay held. A resolver that never answers thus costs at most the slots and
// the retired buffers and workers, however long the host runs.
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

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "win32/message_window.h"

namespace quorn {

class NameInfoJob;

// What tests may set.
struct HostLookupOptions {
  unsigned long long abandonedHoldMs = 2ull * 60 * 1000;
  // false: take the system for one whose cancel is kept, as Windows does,
  // until an answer to a cancelled request shows otherwise.
  bool detectWine = true;
};

class HostLookups {
 public:
  // Depth 2 is the common case (the next message delivered during a
  // receipt's lookup); a command started meanwhile makes 3; one more is
  // spare. Every level holds the levels outside it for up to its own
  // time-out (twice for the repeated first lookup), so deeper nesting would
  // only make the oldest waiting message wait longer.
  static constexpr std::size_t kMaxWaiting = 4;

  // Lookups are made one after another, each waiting at most its time-out,
  // and the system gives up on each after its resolver's own time-out
  // (about 10 s on Windows, 30 s at most by the defaults of the C library
  // under Wine): far fewer are left unanswered at once.
  static constexpr std::size_t kMaxUnanswered = 16;
  static constexpr unsigned long long kAbandonedHoldMs = HostLookupOptions().abandonedHoldMs;
  static constexpr std::size_t kMaxRetired = 16;

  // `module` holds this code, for the answer window's class. `answered`
  // is the owner's flag (LookupAnswered) that tells whether the answer to
  // the innermost waiting lookup has come: set when it comes, cleared for
  // each asynchronous request, and when a nested lookup ends it again tells
  // the state of the lookup that was waiting outside it. It must outlive
  // the lookups.
  HostLookups(HINSTANCE module, bool& answered, HostLookupOptions options = HostLookupOptions());
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
    unsigned long long abandonedAt = 0;  // when the request was left unanswered
    unsigned long long freedAs = 0;      // the count of freeings when it was freed
    std::unique_ptr<char[]> buffer;      // an IPv4 request's host entry
  };
  struct Request {
    WPARAM task = 0;
    bool answered = false;
    std::string name;
  };

  const unsigned long long abandonedHoldMs_;
  bool cancelStopsAnswers_;        // false under Wine
  std::size_t retired_ = 0;        // buffers and jobs left to the system
  unsigned long long freeings_ = 0;  // counts the slots freed, for the order of reuse
  WPARAM cancelled_[kMaxUnanswered] = {};  // the last tasks freed by a cancel
  std::size_t nextCancelled_ = 0;
  std::array<Slot, kMaxUnanswered> slots_;
  std::vector<Request*> waiting_;  // innermost last
  bool& answered_;
  // Last, so that it goes first: no answer is handled while the rest is torn down.
  MessageWindow window_;

  // Records an answer for the request it belongs to and frees its slot;
  // true when that is the innermost waiting request.
  bool OnAnswer(WPARAM task, LPARAM status);
  // The free slot freed longest ago, or nullptr when all are held. Frees
  // the slots of IPv6 workers that ended without an answer, and retires a
  // slot held past the hold when no other is free.
  Slot* FreeSlot();
  // Ends the wait of an unanswered request; its slot is freed or held.
  void Abandon(Slot& slot);
  // The slot holding `task`, or nullptr.
  Slot* SlotOf(WPARAM task);
  // The system gave `task` again, to the request in `slot`: whatever held
  // it before is over.
  void Reissued(WPARAM task, const Slot& slot);
  void Free(Slot& slot);
};

// The system's major version as GetVersionExA reports it: 4 chooses the
// blocking lookup without a time-out.
std::int32_t SystemMajorVersion();

}  // namespace quorn
