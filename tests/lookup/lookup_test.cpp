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
// IPv6 relays, looked up under ip6.arpa (a mapped address under in-addr.arpa).
const char kListed6[] = "2001:db8::10";
const char kListed6Name[] = "named6.example.test";
const char kUnlisted6[] = "2001:db8::77";

class InNamespace : public testing::Test {
 protected:
  // The first lookups of a process start the platform's lookup machinery
  // (under software emulation, seconds); the cases measure the lookups
  // themselves, so each suite makes one of each kind first, answered from
  // the hosts file.
  static void SetUpTestSuite() {
    PlatformLookup(kListed, 3000);
    PlatformLookup(kListed6, 3000);
  }

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
  // That system has no IPv6 lookup: it fails like any failed lookup.
  std::string name6 = PlatformLookup(kListed6, 3000);
  UseBlockingLookup(false);
  EXPECT_EQ(name, kListedName);
  EXPECT_EQ(name6, "");
}

// IPv6 addresses in every form a Received: line gives them, against each
// kind of server: the name from the hosts file, none from a server that
// never answers (at the time-out), and a late answer dropped.
TEST_F(LookupWithSilentServer, IPv6AddressesResolveFromTheHostsFileAndTimeOutOtherwise) {
  const struct {
    const char* ip;
    const char* name;
  } cases[] = {
      {kListed6, kListed6Name},
      {"2001:DB8:0:0:0:0:0:10", kListed6Name},
      {"IPv6:2001:db8::10", kListed6Name},
      {"2001:db8::10%9", kListed6Name},
      {"::ffff:192.0.2.10", kListedName},  // the IPv4 address it carries
  };
  for (const auto& c : cases) EXPECT_EQ(PlatformLookup(c.ip, 3000), c.name) << c.ip;

  std::string name = "unset";
  long long took = Timed([&] { name = PlatformLookup(kUnlisted6, 400); });
  EXPECT_EQ(name, "");
  EXPECT_GE(took, 400 - 20);
  EXPECT_LE(took, 400 + 1000);

  int calls = 0;
  PlatformLookup(kUnlisted6, 500, [&] { ++calls; });
  EXPECT_GE(calls, 4) << "events are processed while an IPv6 lookup waits";

  took = Timed([&] { name = PlatformLookup(kListed6, 0); });
  EXPECT_EQ(name, "");
  EXPECT_LT(took, 200);
}

TEST_F(LookupWithSlowServer, AnIPv6AddressGetsItsPTRAnswerAndALateOneIsDropped) {
  std::string name;
  long long took = Timed([&] { name = PlatformLookup(kUnlisted6, 3000); });
  EXPECT_EQ(name, "slow.example.test");
  EXPECT_GE(took, 300);
  EXPECT_LE(took, 300 + 100 + 150);

  // Abandoned before the answer: empty, and the answer coming later is
  // taken by no lookup after it.
  EXPECT_EQ(PlatformLookup(kUnlisted6, 150), "");
  EXPECT_EQ(PlatformLookup("2001:db8::78", 100), "");
  EXPECT_EQ(PlatformLookup(kListed6, 3000), kListed6Name);
}

TEST_F(LookupWithoutServer, AnIPv6LookupWithoutServerFailsAtOnce) {
  std::string name = "unset";
  long long took = Timed([&] { name = PlatformLookup(kUnlisted6, 5000); });
  EXPECT_EQ(name, "");
  EXPECT_LT(took, 2500);
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
