#include <gtest/gtest.h>

#include <optional>
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

// Received: lines a sender wrote to push the real relay out of reach: every
// relay a check cannot read counts as unreadable (ReceivedUnknown, spam),
// and a bound never makes the judged relay look cleaner.
std::string LongHelo(std::size_t heloBytes, const std::string& relay) {
  return "Received: from " + std::string(heloBytes, 'h') + " (" + relay + ") by mx.example.net\r\n";
}

// A Received: line of exactly `bytes` bytes before its LF, its HELO padded.
std::string LineOfLength(std::size_t bytes, const std::string& relay) {
  std::string line = "Received: from  (" + relay + ") by mx.example.net\r";
  line.insert(15, bytes - line.size(), 'h');
  return line + "\n";
}

std::string Repeated(const std::string& line, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += line;
  return text;
}

// A line whose address 198.51.100.123 had its first 12 characters inside
// the first 1,024 bytes that an earlier version read.
std::string AddressAcrossTheOldCut() {
  const std::string before = "Received: from ";
  const std::string after = " (mx.example.org [";
  return before + std::string(1024 - before.size() - after.size() - 12, 'h') + after +
         "198.51.100.123]) by mx.example.net\r\n";
}

struct HeaderCase {
  const char* name;
  std::string header;
  std::optional<TextLines> recvRegex;  // the defaults when not given
  std::optional<TextLines> rules;
  VerdictCode code;
  const char* ip;
  const char* host;
};

TEST_F(CheckMessageTest, ARelayOutOfReachIsNeverPassedOver) {
  const std::size_t limit = kReceivedLineReadLimit;
  const std::string unknown = "unknown [203.0.113.9]";
  const std::string yahoo = "Received: from mail.yahoo.co.jp (mail.yahoo.co.jp [198.51.100.7]) by mx\r\n";
  const std::string inside = Relay("inside.example", "10.0.0.1");
  const std::string noAddress = "Received: by localhost with local\r\n";
  // Lines of 2,000 bytes without an address: four stay within the sum of
  // squared lengths, five do not.
  const std::string wide = "Received: by localhost " + std::string(2000 - 25, 'w') + "\r\n";
  const HeaderCase cases[] = {
      {"HELO of 900 bytes", LongHelo(900, unknown), {}, {}, ReceivedUnknown, "203.0.113.9", ""},
      {"HELO of 1,000 bytes", LongHelo(1000, unknown), {}, {}, ReceivedUnknown, "203.0.113.9", ""},
      {"HELO of 1,100 bytes", LongHelo(1100, unknown), {}, {}, ReceivedUnknown, "203.0.113.9", ""},
      {"HELO of 1,100 bytes above a forged whitelisted relay", LongHelo(1100, unknown) + yahoo, {}, {},
       ReceivedUnknown, "203.0.113.9", ""},
      {"a line of the limit", LineOfLength(limit, "abc1-2.example.com [198.51.100.1]"), {}, {},
       RuleVerdict(0), "198.51.100.1", "abc1-2.example.com"},
      {"a line one byte over the limit", LineOfLength(limit + 1, "abc1-2.example.com [198.51.100.1]"), {},
       {}, ReceivedUnknown, "", ""},
      {"a pattern without closing delimiter reads the whole address", AddressAcrossTheOldCut(),
       TextLines{R"(\(([^\[]*)\[((?:\d{1,3}\.){3}\d{1,3}))"}, {}, Normal, "198.51.100.123",
       "mx.example.org"},
      {"a line over the limit", LongHelo(limit, unknown), {}, {}, ReceivedUnknown, "", ""},
      {"a line over the limit above a forged whitelisted relay", LongHelo(limit, "mx [198.51.100.2]") + yahoo,
       {}, {}, ReceivedUnknown, "", ""},
      {"a line over the limit below an excluded relay", inside + LongHelo(limit, unknown) + yahoo, {}, {},
       ReceivedUnknown, "", ""},
      {"a line over the limit below the deciding relay", yahoo + LongHelo(limit, unknown), {}, {},
       Whitelisted, "198.51.100.7", "mail.yahoo.co.jp"},
      {"a line past the pattern library's limits", "Received: from " + std::string(40, 'a') + "\r\n" + yahoo,
       TextLines{"((?:a+a+)+)(b)", R"(\(([^\[]*)\[([0-9.]+)\])"}, {}, ReceivedUnknown, "", ""},
      {"a host name past the rule library's limits", Relay(std::string(40, 'a'), "198.51.100.3"), {},
       TextLines{"^x", "((?:a+a+)+)b", "a"}, ReceivedUnknown, "198.51.100.3", ""},
      {"four wide lines, then a relay", Repeated(wide, 4) + yahoo, {}, {}, Whitelisted, "198.51.100.7",
       "mail.yahoo.co.jp"},
      {"five wide lines, then a relay", Repeated(wide, 5) + yahoo, {}, {}, ReceivedUnknown, "", ""},
      {"100 lines without an address", Repeated(noAddress, kReceivedLinesReadLimit), {}, {}, Excluded, "",
       ""},
      {"101 lines without an address", Repeated(noAddress, kReceivedLinesReadLimit + 1) + yahoo, {}, {},
       ReceivedUnknown, "", ""},
      {"99 excluded relays, then a relay", Repeated(inside, kReceivedLinesReadLimit - 1) + yahoo, {}, {},
       Whitelisted, "198.51.100.7", "mail.yahoo.co.jp"},
      {"100 excluded relays, then a relay", Repeated(inside, kReceivedLinesReadLimit) + yahoo, {}, {},
       ReceivedUnknown, "", ""},
      {"no Received: lines", "Subject: hello\r\nFrom: a@example.org\r\n", {}, {}, Excluded, "", ""},
      {"no line matches", noAddress + "Received: from x by y with local\r\n", {}, {}, Excluded, "", ""},
  };
  for (const HeaderCase& c : cases) {
    UseDefaultLists();
    if (c.recvRegex) RecvRegex.Replace(*c.recvRegex);
    if (c.rules) Rules.Replace(*c.rules);
    form.ReverseLookup = false;  // every verdict below but Excluded and Whitelisted is spam anyway
    MessageVerdict v = JudgeMessage(form, c.header);
    EXPECT_EQ(v.hop.code, c.code) << c.name;
    EXPECT_EQ(v.hop.ip, c.ip) << c.name;
    EXPECT_EQ(v.hop.host, c.host) << c.name;
    EXPECT_EQ(v.spam, c.code != Excluded && c.code != Whitelisted && c.code != Normal) << c.name;
    EXPECT_EQ(form.LastVerdict, c.code) << c.name;
  }
  EXPECT_TRUE(form.asked.empty());
}

TEST_F(CheckMessageTest, AnUnreadableRelayIsStampedLookupFailed) {
  EXPECT_TRUE(CheckMessage(form, LongHelo(kReceivedLineReadLimit, "unknown [203.0.113.9]")));
  EXPECT_STREQ(VerdictLabel(form), "lookup failed");
}

}  // namespace
}  // namespace quorn
