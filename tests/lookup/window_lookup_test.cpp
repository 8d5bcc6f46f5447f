// The plug-in's window-message lookup: lookups started from inside another
// lookup's wait, as a host does when it offers the next message while the
// reverse lookup dispatches messages, and the bound on lookups left
// unanswered. Runs in netns.sh's namespace with a silent name server and a
// hosts file naming 192.0.2.10, 192.0.2.11 and 2001:db8::10.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "settings/form_main.h"
#include "win32/host_lookup.h"
#include "win32/message_window.h"

namespace quorn {

TFormMain& TestForm();  // the adapter's form, shared by every lookup test

namespace {

using Clock = std::chrono::steady_clock;

const char kListed[] = "192.0.2.10";
const char kListedName[] = "named.example.test";
const char kOther[] = "192.0.2.11";
const char kOtherName[] = "other.example.test";
const char kUnlisted[] = "192.0.2.77";
const char kUnlisted6[] = "2001:db8::77";

long long MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Runs a function when a lookup's wait dispatches the message posted for it.
class Nester {
 public:
  void Post(std::function<void()> run) {
    pending_.push_back(std::move(run));
    PostMessageW(window_.hwnd(), kRun, 0, 0);
  }

 private:
  static constexpr UINT kRun = WM_USER + 7;

  bool OnMessage(UINT message, LRESULT& result) {
    if (message != kRun) return false;
    std::function<void()> run = std::move(pending_.front());
    pending_.erase(pending_.begin());
    run();
    result = 0;
    return true;
  }

  std::vector<std::function<void()>> pending_;
  MessageWindow window_{GetModuleHandleW(nullptr),
                        [this](UINT message, WPARAM, LPARAM, LRESULT& result) { return OnMessage(message, result); }};
};

class NestedLookupWithSilentServer : public testing::Test {
 protected:
  void SetUp() override {
    const char* inside = std::getenv("QUORN_IN_NETNS");
    ASSERT_TRUE(inside && std::string(inside) == "1")
        << "run through tests/lookup/netns.sh: these cases need a resolver of their own";
    form.OsMajorVersion = 5;
  }

  std::string Lookup(const std::string& ip, int timeoutMs) {
    form.TimeOut = timeoutMs;
    return form.ResolveHostName(ip);
  }

  TFormMain& form = TestForm();
  Nester nester;
};

TEST_F(NestedLookupWithSilentServer, EachLookupGetsItsOwnAnswerOrTimeOut) {
  struct Case {
    const char* outerIp;
    int outerTimeoutMs;
    const char* innerIp;
    int innerTimeoutMs;
    const char* outerName;
    const char* innerName;
    int outerAnsweredAfterInner;  // the flag once the inner lookup is over; -1: either
  } cases[] = {
      // A silent outer lookup must not make the inner one fail.
      {kUnlisted, 800, kListed, 3000, "", kListedName, 0},
      // The outer answer comes while the inner one waits: kept for it.
      {kListed, 3000, kUnlisted, 600, kListedName, "", 1},
      {kListed, 3000, kOther, 3000, kListedName, kOtherName, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.outerIp) + " around " + c.innerIp);
    std::string inner = "unset";
    long long innerMs = -1;
    int answeredAfterInner = -2;
    nester.Post([&] {
      Clock::time_point start = Clock::now();
      inner = Lookup(c.innerIp, c.innerTimeoutMs);
      innerMs = MillisecondsSince(start);
      answeredAfterInner = form.LookupAnswered ? 1 : 0;
    });
    Clock::time_point start = Clock::now();
    std::string outer = Lookup(c.outerIp, c.outerTimeoutMs);
    long long outerMs = MillisecondsSince(start);

    EXPECT_EQ(outer, c.outerName);
    EXPECT_EQ(inner, c.innerName);
    if (c.outerAnsweredAfterInner >= 0) {
      EXPECT_EQ(answeredAfterInner, c.outerAnsweredAfterInner);
    }
    EXPECT_EQ(form.LookupAnswered, *c.outerName != '\0');
    // Each is bounded by its own time-out.
    EXPECT_LE(innerMs, c.innerTimeoutMs + 1000);
    if (*c.innerName == '\0') {
      EXPECT_GE(innerMs, c.innerTimeoutMs - 20);
    }
    if (*c.outerName == '\0') {
      EXPECT_GE(outerMs, c.outerTimeoutMs - 20);
    }
    EXPECT_LE(outerMs, std::max(c.outerTimeoutMs, c.innerTimeoutMs) + 1000);
  }
}

TEST_F(NestedLookupWithSilentServer, AtMostFourLookupsWaitAtOnce) {
  // Each lookup posts the start of the next one before it asks, so the next
  // starts from the first wait that dispatches messages. The fourth lookup
  // waiting dispatches only answers: the fifth and sixth start once it is
  // done, from inside the third one's wait.
  const int kChain = 6;
  const std::vector<int> expectedWaitingAtStart = {0, 1, 2, 3, 3, 3};
  std::vector<int> waitingAtStart(kChain, -1);
  std::vector<std::string> names(kChain, "unset");
  int waiting = 0;
  std::function<void(int)> start = [&](int level) {
    if (level + 1 < kChain) nester.Post([&, level] { start(level + 1); });
    waitingAtStart[level] = waiting;
    ++waiting;
    names[level] = Lookup(level % 2 ? kOther : kListed, 3000);
    --waiting;
  };
  start(0);
  EXPECT_EQ(waitingAtStart, expectedWaitingAtStart);
  for (int level = 0; level < kChain; ++level) {
    EXPECT_EQ(names[level], level % 2 ? kOtherName : kListedName) << "lookup " << level;
  }
}

TEST_F(NestedLookupWithSilentServer, AtTheBoundTheWaitStillEndsAtItsTimeOutWithoutSpinning) {
  // Three lookups wait for silence; the fourth, at the bound, waits for
  // silence too while a message it must not dispatch stays in the queue.
  std::vector<std::string> names(4, "unset");
  long long boundMs = -1, boundCpuMs = -1;
  bool fifthRan = false;
  std::function<void(int)> start = [&](int level) {
    if (level < 3) nester.Post([&, level] { start(level + 1); });
    if (level == 3) nester.Post([&] { fifthRan = true; });
    FILETIME created, ended, kernelBefore, userBefore, kernelAfter, userAfter;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelBefore, &userBefore);
    Clock::time_point begin = Clock::now();
    names[level] = Lookup(kUnlisted, level == 3 ? 500 : 300);
    if (level == 3) {
      boundMs = MillisecondsSince(begin);
      GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelAfter, &userAfter);
      auto ticks = [](const FILETIME& t) {
        return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
      };
      boundCpuMs = (ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) - ticks(userBefore)) / 10000;
      EXPECT_FALSE(fifthRan) << "the lookup at the bound dispatched another message";
    }
  };
  start(0);
  EXPECT_EQ(names, std::vector<std::string>(4, ""));
  EXPECT_TRUE(fifthRan);  // dispatched by an outer wait afterwards
  EXPECT_GE(boundMs, 480);
  EXPECT_LE(boundMs, 1500);
  // A spinning wait takes about all of its time in processor time; a
  // blocked one a small part of it, however slow the machine.
  EXPECT_LT(boundCpuMs, boundMs / 5) << "the wait at the bound spins";
  std::printf("the wait at the bound: %lld ms, %lld ms of processor time\n", boundMs, boundCpuMs);
}

using BoundedLookupWithSilentServer = NestedLookupWithSilentServer;

// What the process holds: its resident memory and its threads.
struct Held {
  std::size_t bytes = 0;
  std::size_t threads = 0;
};

Held HeldNow() {
  Held held;
  PROCESS_MEMORY_COUNTERS counters{};
  if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) held.bytes = counters.WorkingSetSize;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    held.threads += entry.th32OwnerProcessID == GetCurrentProcessId();
  }
  CloseHandle(snapshot);
  return held;
}

// Lookups of their own, with a short hold for requests left unanswered.
class BoundedLookups {
 public:
  static constexpr unsigned long long kHoldMs = 10000;  // longer than the steps before it
  static constexpr std::size_t kBound = HostLookups::kMaxUnanswered;

  explicit BoundedLookups(bool detectWine = true) : lookups(GetModuleHandleW(nullptr), answered, {kHoldMs, detectWine}) {}

  std::string Timed(const char* ip, int timeoutMs, long long& tookMs) {
    Clock::time_point start = Clock::now();
    std::string name = lookups.Resolve(ip, timeoutMs, 5);
    tookMs = MillisecondsSince(start);
    return name;
  }
  // Lets messages through until `done` or 10 s have passed.
  template <class Done>
  void PumpUntil(Done done) {
    for (Clock::time_point start = Clock::now(); !done() && MillisecondsSince(start) < 10000;) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
  }

  bool answered = false;
  HostLookups lookups;
};

TEST_F(BoundedLookupWithSilentServer, UnansweredLookupsHoldNoMoreThanTheBound) {
  BoundedLookups b;
  const std::size_t bound = BoundedLookups::kBound;
  // Silent IPv4 and IPv6 lookups, each abandoned at its time-out, fill the
  // slots: Wine answers them only at the resolver's 30 s.
  long long tookMs = 0;
  const Clock::time_point filled = Clock::now();
  for (std::size_t i = 0; i < bound; ++i) {
    EXPECT_EQ(b.Timed(i % 2 ? kUnlisted6 : kUnlisted, 30, tookMs), "");
    EXPECT_GE(tookMs, 25) << "lookup " << i << " failed before its time-out";
  }
  EXPECT_EQ(b.lookups.Unanswered(), bound);

  // Past the bound a lookup waits its time-out for a slot, then fails, even
  // one the hosts file answers; many times the bound later, nothing more is
  // held and no worker was started.
  const Held before = HeldNow();
  long long quickestMs = 1000;
  for (std::size_t i = 0; i < 5 * bound; ++i) {
    EXPECT_EQ(b.Timed(i % 3 == 0 ? kListed : i % 3 == 1 ? kUnlisted : kUnlisted6, 20, tookMs), "");
    quickestMs = std::min(quickestMs, tookMs);
  }
  const Held after = HeldNow();
  const std::size_t grown = after.bytes - std::min(before.bytes, after.bytes);
  EXPECT_GE(quickestMs, 15) << "a lookup past the bound did not wait for a slot";
  EXPECT_EQ(b.lookups.Unanswered(), bound);
  EXPECT_LE(after.threads, before.threads) << "lookups past the bound started workers";
  EXPECT_LT(grown, std::size_t{256} << 10) << "memory grew with lookups past the bound";
  std::printf("%zu lookups past the bound: %zu bytes more resident, %zu threads before, %zu after\n", 5 * bound,
              grown, before.threads, after.threads);

  // After the hold a slot is taken again.
  ASSERT_LT(MillisecondsSince(filled), static_cast<long long>(BoundedLookups::kHoldMs)) << "the hold ran out";
  Sleep(static_cast<DWORD>(BoundedLookups::kHoldMs - MillisecondsSince(filled)) + 1000);
  EXPECT_EQ(b.Timed(kListed, 3000, tookMs), kListedName);
}

TEST_F(BoundedLookupWithSilentServer, ALookupThatFindsNoSlotLeavesTheOuterAnswerToTheOuterLookup) {
  // Every slot held but the outer lookup's; its answer comes, and a lookup
  // nested in its wait takes the slot the answer freed, a second finds none.
  BoundedLookups b;
  long long tookMs = 0;
  for (std::size_t i = 0; i + 1 < BoundedLookups::kBound; ++i) b.Timed(kUnlisted, 10, tookMs);
  std::vector<std::string> inner;
  nester.Post([&] {
    Sleep(200);  // the outer answer is queued meanwhile
    for (int i = 0; i < 2; ++i) inner.push_back(b.Timed(kUnlisted, 100, tookMs));
  });
  EXPECT_EQ(b.Timed(kListed, 3000, tookMs), kListedName);
  EXPECT_EQ(inner, std::vector<std::string>(2, ""));
  EXPECT_LT(tookMs, 1500) << "the outer lookup waited out its time-out with its answer in";
}

using BoundedLookupWithSlowServer = NestedLookupWithSilentServer;

TEST_F(BoundedLookupWithSlowServer, LateAnswersFreeTheirSlotsForTheLookupsAfterThem) {
  // Each answer comes 2.5 s after its request, long after its time-out (and
  // after the slots are filled, however slow the machine).
  // A lookup past the bound waits for the first of them and gets a slot and
  // its own answer, not a late one written meanwhile; then every slot is
  // free again.
  BoundedLookups b;
  long long tookMs = 0;
  for (std::size_t i = 0; i < BoundedLookups::kBound; ++i) EXPECT_EQ(b.Timed(kUnlisted, 5, tookMs), "");
  EXPECT_EQ(b.lookups.Unanswered(), BoundedLookups::kBound);
  nester.Post([] { Sleep(2700); });  // the late answers are written and queued meanwhile
  EXPECT_EQ(b.Timed(kListed, 6000, tookMs), kListedName);
  b.PumpUntil([&] { return b.lookups.Unanswered() == 0; });
  EXPECT_EQ(b.lookups.Unanswered(), 0u);
}

TEST_F(BoundedLookupWithSlowServer, WhereTheCancelIsTakenAsKeptALateAnswerStillReachesNoOtherLookup) {
  // Taken for Windows, where a cancelled request is neither answered nor
  // written, the cancel frees the slot; Wine answers and writes it all the
  // same. The next lookup takes another slot, gets its own answer, and the
  // late one makes every slot from then on be held until its answer.
  BoundedLookups b(/*detectWine=*/false);
  long long tookMs = 0;
  EXPECT_EQ(b.Timed(kUnlisted, 5, tookMs), "");
  EXPECT_EQ(b.lookups.Unanswered(), 0u);
  nester.Post([] { Sleep(2700); });
  EXPECT_EQ(b.Timed(kListed, 6000, tookMs), kListedName);
  EXPECT_EQ(b.Timed(kUnlisted, 5, tookMs), "");
  EXPECT_EQ(b.lookups.Unanswered(), 1u);
}

}  // namespace
}  // namespace quorn
