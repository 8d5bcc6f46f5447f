#include <gtest/gtest.h>

#include <string>

#include "engine/general.h"
#include "settings/default_lines.h"
#include "tests/engine/scripted_resolver.h"
#include "texts/catalog.h"

namespace quorn {
namespace {

std::string Relay(const std::string& host, const std::string& ip) {
  return "Received: from helo (" + host + " [" + ip + "])\r\n\tby mx.local; Mon, 1 Jan 2024\r\n";
}

class CheckMessageTest : public testing::Test {
 protected:
  void SetUp() override { UseDefaultLists(); }
  ScriptedResolver form;
};

TEST_F(CheckMessageTest, AHeaderWithoutRelaysIsExcluded) {
  CollectReceivedLines("Received: stale");
  EXPECT_FALSE(CheckMessage(form, "Subject: hello\r\nFrom: a@example.org"));
  EXPECT_EQ(form.LastVerdict, Excluded);
  EXPECT_TRUE(ReceivedLines.Current()->empty());
}

TEST_F(CheckMessageTest, AnEmptyPatternListExcludesEveryMessage) {
  RecvRegex.Replace({});
  EXPECT_FALSE(CheckMessage(form, Relay("abc1-2.example.com", "198.51.100.1")));
  EXPECT_EQ(form.LastVerdict, Excluded);
}

TEST_F(CheckMessageTest, AFieldFoldedOverThreeLinesIsOneLine) {
  MessageVerdict v = JudgeMessage(
      form, "Received: from helo\r\n (abc1-2.example.com\r\n\t[198.51.100.1]) by mx\r\nSubject: x");
  ASSERT_EQ(ReceivedLines.Current()->size(), 1u);
  EXPECT_EQ(ReceivedLines.Current()->front(),
            "Received: from helo (abc1-2.example.com [198.51.100.1]) by mx\r");
  EXPECT_EQ(v.hop.ip, "198.51.100.1");
  EXPECT_EQ(v.hop.code, RuleVerdict(0));
  EXPECT_TRUE(v.spam);
}

TEST_F(CheckMessageTest, ExcludedRelaysArePassedOver) {
  MessageVerdict v = JudgeMessage(form, Relay("inside.local", "192.168.1.2") +
                                            "Received: by localhost\r\n" +
                                            Relay("abc1-2.example.com", "198.51.100.1"));
  EXPECT_EQ(v.hop.ip, "198.51.100.1");
  EXPECT_EQ(v.hop.host, "abc1-2.example.com");
  EXPECT_EQ(v.hop.code, RuleVerdict(0));
}

TEST_F(CheckMessageTest, OnlyExcludedRelaysGiveExcludedEvenWhenUnknown) {
  MessageVerdict v = JudgeMessage(form, Relay("unknown", "10.0.0.1") + Relay("unknown", "127.0.0.1"));
  EXPECT_FALSE(v.spam);
  EXPECT_EQ(v.hop.code, Excluded);
  EXPECT_EQ(v.hop.ip, "");
  EXPECT_EQ(v.hop.host, "");
}

TEST_F(CheckMessageTest, ARelayCalledUnknownIsSpamWhateverReverseLookupSays) {
  for (bool reverseLookup : {true, false}) {
    form.ReverseLookup = reverseLookup;
    EXPECT_TRUE(CheckMessage(form, Relay("unknown", "198.51.100.1")));
    EXPECT_EQ(form.LastVerdict, ReceivedUnknown);
    EXPECT_STREQ(VerdictLabel(form), "lookup failed");
  }
}

TEST_F(CheckMessageTest, AFailedLookupIsSpamOnlyWithReverseLookupOn) {
  const std::string header = "Received: from helo ([198.51.100.1]) by mx\r\n";
  form.ReverseLookup = true;
  EXPECT_TRUE(CheckMessage(form, header));
  EXPECT_EQ(form.LastVerdict, LookupFailed);
  form.ReverseLookup = false;
  EXPECT_FALSE(CheckMessage(form, header));
  EXPECT_EQ(form.LastVerdict, LookupFailed);
  EXPECT_EQ(form.asked.size(), 3u);  // the first lookup was repeated once
}

TEST_F(CheckMessageTest, OnlyTheDecidingRelayIsClassified) {
  Black.Replace({"203.0.113.0/24"});
  MessageVerdict v = JudgeMessage(form, Relay("mx.example.org", "198.51.100.1") +
                                            Relay("bad.example", "203.0.113.5"));
  EXPECT_EQ(v.hop.code, Normal);
  EXPECT_FALSE(v.spam);
}

TEST_F(CheckMessageTest, AnErrorLeavesTheLastVerdictAsItWas) {
  Black.Replace({"198.51.100.0/24"});
  ASSERT_TRUE(CheckMessage(form, Relay("mx.example.org", "198.51.100.1")));
  ASSERT_EQ(form.LastVerdict, Blacklisted);

  RecvRegex.Replace({"\\(([^\\[]*)\\[([0-9.]+)(\\])"});
  try {
    CheckMessage(form, Relay("mx.example.org", "198.51.100.1"));
    FAIL() << "no error";
  } catch (const TextError& e) {
    EXPECT_EQ(std::string(e.what()),
              std::string(texts::kNeedTwoGroups) + "\n\n'\\(([^\\[]*)\\[([0-9.]+)(\\])'");
  }
  EXPECT_EQ(form.LastVerdict, Blacklisted);
  EXPECT_EQ(ReceivedLines.Current()->size(), 1u);
}

TEST_F(CheckMessageTest, ListsReplacedDuringALookupDoNotChangeTheCheckInProgress) {
  // While the lookup waits, the settings window may replace every list and
  // the inspector may collect other lines; the check reads the versions it
  // started with to its end.
  form.answers = {"abc1-2.example.com"};
  form.duringLookup = [] {
    White.Replace({"abc"});
    Rules.Replace({});
    Skip.Replace({"0.0.0.0/1"});
    BuildSkipNetworks();
    CollectReceivedLines("Received: from other (x [192.0.2.1])");
  };
  MessageVerdict v = JudgeMessage(form, "Received: from helo ([198.51.100.1])\r\n");
  EXPECT_EQ(v.hop.code, RuleVerdict(0));
  EXPECT_TRUE(v.spam);
}

TEST(VerdictLabel, NamesEverySpamVerdict) {
  struct Case {
    VerdictCode code;
    const char* label;
  } cases[] = {
      {Normal, ""},        {Excluded, ""},
      {Whitelisted, ""},   {Blacklisted, "blacklist"},
      {LookupFailed, "lookup failed"},  {ReceivedUnknown, "lookup failed"},
      {RuleVerdict(0), "rule1"},         {RuleVerdict(121), "rule122"},
      {RuleVerdict(122), "rule123"},     {RuleVerdict(1000), "rule1001"},
  };
  LiveSettings form;
  for (const auto& c : cases) {
    form.LastVerdict = c.code;
    EXPECT_STREQ(VerdictLabel(form), c.label) << c.code;
  }
}

TEST(VerdictName, NamesCodesForScripts) {
  EXPECT_EQ(VerdictName(Normal), "Normal");
  EXPECT_EQ(VerdictName(ReceivedUnknown), "ReceivedUnknown");
  EXPECT_EQ(VerdictName(RuleVerdict(0)), "Rule1");
  EXPECT_EQ(VerdictName(RuleVerdict(299)), "Rule300");
}

TEST(IsSpamVerdict, CountsEveryCodeFromBlacklistedUp) {
  for (bool reverseLookup : {true, false}) {
    EXPECT_FALSE(IsSpamVerdict(Normal, reverseLookup));
    EXPECT_FALSE(IsSpamVerdict(Excluded, reverseLookup));
    EXPECT_FALSE(IsSpamVerdict(Whitelisted, reverseLookup));
    EXPECT_TRUE(IsSpamVerdict(Blacklisted, reverseLookup));
    EXPECT_EQ(IsSpamVerdict(LookupFailed, reverseLookup), reverseLookup);
    EXPECT_TRUE(IsSpamVerdict(ReceivedUnknown, reverseLookup));
    EXPECT_TRUE(IsSpamVerdict(RuleVerdict(500), reverseLookup));
  }
}

}  // namespace
}  // namespace quorn

namespace quorn {
namespace {

// A sender can write any number of Received: lines of any length; a check
// reads a bounded part of them, so a hostile header costs bounded time.
TEST_F(CheckMessageTest, ReadsOnlyTheTopmostHundredReceivedLines) {
  std::string header;
  for (std::size_t i = 0; i < kReceivedLinesReadLimit - 1; ++i) header += Relay("inside", "10.0.0.1");
  MessageVerdict v = JudgeMessage(form, header + Relay("abc1-2.example.com", "198.51.100.1"));
  EXPECT_EQ(v.hop.ip, "198.51.100.1");

  header += Relay("inside", "10.0.0.1");
  v = JudgeMessage(form, header + Relay("abc1-2.example.com", "198.51.100.1"));
  EXPECT_EQ(v.hop.code, Excluded);
  EXPECT_EQ(ReceivedLines.Current()->size(), kReceivedLinesReadLimit + 1);  // all collected
}

TEST_F(CheckMessageTest, ReadsTheStartOfAnOverlongLine) {
  std::string padding(kReceivedLineReadLimit, 'x');
  EXPECT_EQ(ParseReceived("Received: from h (mx.example.org [198.51.100.1]) " + padding).ip,
            "198.51.100.1");
  EXPECT_EQ(ParseReceived("Received: " + padding + " (mx.example.org [198.51.100.1])").ip, "");
}

}  // namespace
}  // namespace quorn
