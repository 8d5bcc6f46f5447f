// The reverse lookup against a real resolver, in a network namespace that
// netns.sh makes for each suite: a hosts file naming 192.0.2.10, and a name
// server that never answers (LookupWithSilentServer), no name server at all
// (LookupWithoutServer), or one that answers after 300 ms
// (LookupWithSlowServer). Run outside such a namespace, every case fails.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "tests/lookup/lookup_adapter.h"

namespace quorn {
namespace {

using Clock = std::chrono::steady_clock;

const char kListed[] = "192.0.2.10";
const char kListedName[] = "named.example.test";
const char kUnlisted[] = "192.0.2.77";

class InNamespace : public testing::Test {
 protected:
  void SetUp() override {
    const char* inside = std::getenv("QUORN_IN_NETNS");
    ASSERT_TRUE(inside && std::string(inside) == "1")
        << "run through tests/lookup/netns.sh: these cases need a resolver of their own";
  }

  // Milliseconds a lookup took.
  static long long Timed(const std::function<void()>& run) {
    auto start = Clock::now();
    run();
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  }
};

using LookupWithSilentServer = InNamespace;
using LookupWithoutServer = InNamespace;
using LookupWithSlowServer = InNamespace;

TEST_F(LookupWithSilentServer, AnAddressInTheHostsFileResolvesToItsName) {
  EXPECT_EQ(PlatformLookup(kListed, 3000), kListedName);
}

TEST_F(LookupWithSilentServer, AnUnansweredLookupEndsAtTheTimeOut) {
  for (int timeoutMs : {250, 600}) {
    std::string name = "unset";
    long long took = Timed([&] { name = PlatformLookup(kUnlisted, timeoutMs); });
    EXPECT_EQ(name, "");
    EXPECT_GE(took, timeoutMs - 20) << "ended before the time-out";
    EXPECT_LE(took, timeoutMs + 1000) << "ended long after the time-out";
  }
}

TEST_F(LookupWithSilentServer, ATimeOutOfZeroOrLessReturnsAtOnce) {
  for (int timeoutMs : {0, -5}) {
    std::string name = "unset";
    long long took = Timed([&] { name = PlatformLookup(kListed, timeoutMs); });
    EXPECT_EQ(name, "");
    EXPECT_LT(took, 200);
  }
}

TEST_F(LookupWithSilentServer, ALateAnswerToAnAbandonedRequestIsIgnored) {
  // The first request, abandoned at once, would find its name in the hosts
  // file a moment later; the next lookup must not take that for its own.
  EXPECT_EQ(PlatformLookup(kListed, 0), "");
  EXPECT_EQ(PlatformLookup(kUnlisted, 400), "");
  EXPECT_EQ(PlatformLookup(kListed, 3000), kListedName);
}

TEST_F(LookupWithSilentServer, EventsAreProcessedWhileWaiting) {
  int calls = 0;
  PlatformLookup(kUnlisted, 500, [&] { ++calls; });
  EXPECT_GE(calls, 4);  // at least every 100 ms
}

TEST_F(LookupWithSilentServer, TheBlockingLookupOfVersion4FindsTheName) {
  if (!UseBlockingLookup(true)) GTEST_SKIP() << "only the DLL has a blocking lookup";
  std::string name = PlatformLookup(kListed, 0);  // the time-out does not apply
  UseBlockingLookup(false);
  EXPECT_EQ(name, kListedName);
}

TEST_F(LookupWithoutServer, ARefusedQueryFailsWithoutWaitingOutTheTimeOut) {
  std::string name = "unset";
  long long took = Timed([&] { name = PlatformLookup(kUnlisted, 5000); });
  EXPECT_EQ(name, "");
  EXPECT_LT(took, 2500);
  EXPECT_EQ(PlatformLookup(kListed, 3000), kListedName);
}

TEST_F(LookupWithSlowServer, AnAnswerIsNoticedWithinAPause) {
  std::string name;
  long long took = Timed([&] { name = PlatformLookup(kUnlisted, 3000); });
  EXPECT_EQ(name, "slow.example.test");
  EXPECT_GE(took, 300);
  EXPECT_LE(took, 300 + 100 + 150);  // the server's delay, one pause, some slack
}

TEST_F(LookupWithSlowServer, ATimeOutShorterThanTheAnswerWins) {
  EXPECT_EQ(PlatformLookup(kUnlisted, 150), "");
}

}  // namespace
}  // namespace quorn
