// Lookups started from inside another lookup's wait, as a host does when it
// offers the next message while the plug-in's reverse lookup dispatches
// messages. Runs in netns.sh's namespace with a silent name server and a
// hosts file naming 192.0.2.10 and 192.0.2.11.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "settings/form_main.h"
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

}  // namespace
}  // namespace quorn
