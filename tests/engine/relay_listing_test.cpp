#include <gtest/gtest.h>

#include <string>

#include "engine/general.h"
#include "engine/relay_listing.h"
#include "settings/default_lines.h"
#include "tests/engine/scripted_resolver.h"
#include "texts/catalog.h"

namespace quorn {
namespace {

std::string Relay(const std::string& host, const std::string& ip) {
  return "Received: from helo (" + host + " [" + ip + "])\r\n\tby mx.local; Mon, 1 Jan 2024\r\n";
}

HopList ListAndClassify(LiveSettings& form, const std::string& header) {
  const ListSnapshot lists = ListSnapshot::Take();
  ListedRelays listed = ReadRelays(header, lists);
  EXPECT_FALSE(listed.error);
  ClassifyHops(form, listed.hops, lists, nullptr);
  MarkSpamHops(listed.hops, form.ReverseLookup);
  return listed.hops;
}

class RelayListingTest : public testing::Test {
 protected:
  void SetUp() override { UseDefaultLists(); }
  ScriptedResolver form;
};

// A field folded between the host name and the bracketed address is read
// as the verdict reads it; the inspector marks the relay the verdict judges.
TEST_F(RelayListingTest, FoldedFieldsAreListedAsTheVerdictReadsThem) {
  const std::string header = "Received: from a (mx.example.jp\r\n\t[10.0.0.5]) by b\r\n"
                             "Received: from p1234-ipbf56.example.ne.jp (p1234-ipbf56.example.ne.jp\r\n"
                             " [203.0.113.56]) by mx\r\n" +
                             Relay("relay.example.org", "198.51.100.9");
  HopList hops = ListAndClassify(form, header);
  ASSERT_EQ(hops.size(), 3u);
  EXPECT_EQ(hops[0]->code, Excluded);
  EXPECT_FALSE(hops[0]->deciding);
  EXPECT_TRUE(hops[1]->deciding);
  EXPECT_FALSE(hops[2]->deciding);
  MessageVerdict verdict = JudgeMessage(form, header);
  EXPECT_EQ(hops[1]->ip, verdict.hop.ip);
  EXPECT_EQ(hops[1]->code, verdict.hop.code);
  EXPECT_EQ(hops[1]->spam != 0, verdict.spam);
}

// An unreadable line is a red row of its own, deciding when nothing above
// decides; reading ends there, as every further line is unreadable too.
TEST_F(RelayListingTest, AnUnreadableLineIsADecidingRowAndEndsTheList) {
  const std::string header = Relay("mx.example.jp", "10.0.0.5") + "Received: from x (y [198.51.100.30]) " +
                             std::string(kReceivedLineReadLimit, 'x') + "\r\n" +
                             Relay("relay.example.org", "198.51.100.9");
  HopList hops = ListAndClassify(form, header);
  ASSERT_EQ(hops.size(), 2u);
  EXPECT_TRUE(hops[1]->ip.empty());
  EXPECT_EQ(hops[1]->code, ReceivedUnknown);
  EXPECT_TRUE(hops[1]->deciding);
  EXPECT_TRUE(hops[1]->spam);
  EXPECT_FALSE(CanExclude(*hops[1]));
  EXPECT_EQ(JudgeMessage(form, header).hop.code, ReceivedUnknown);
}

TEST_F(RelayListingTest, ABadRecvRegexEntryKeepsTheHopsAboveIt) {
  RecvRegex.Replace({"(bad)-(relay)-(three)", DefaultRecvRegexLines()[6]});
  ListedRelays listed = ReadRelays(Relay("relay.example.org", "198.51.100.9") +
                                       Relay("bad-relay-three", "198.51.100.99") + Relay("c.example", "192.0.2.1"),
                                   ListSnapshot::Take());
  ASSERT_TRUE(listed.error);
  EXPECT_NE(listed.error->find("'(bad)-(relay)-(three)'"), std::string::npos);
  ASSERT_EQ(listed.hops.size(), 1u);
  EXPECT_EQ(listed.hops[0]->ip, "198.51.100.9");
}

// A rule that does not compile stops the run at the hop that reaches it;
// only the hops finished before stay listed.
TEST_F(RelayListingTest, ABrokenRuleLeavesOnlyTheFinishedHops) {
  Rules.Replace({"("});
  const ListSnapshot lists = ListSnapshot::Take();
  ListedRelays listed = ReadRelays(Relay("mx", "10.0.0.5") + Relay("unknown", "192.0.2.45") +
                                       Relay("relay.example.org", "198.51.100.9") + Relay("d", "192.0.2.9"),
                                   lists);
  ASSERT_EQ(listed.hops.size(), 4u);
  EXPECT_THROW(ClassifyHops(form, listed.hops, lists, nullptr), TextError);
  ASSERT_EQ(listed.hops.size(), 2u);
  EXPECT_EQ(listed.hops[1]->code, ReceivedUnknown);
}

// The hook before each hop stops the run (the window was closed); the
// lists the run started with stay in force when the settings change in
// the middle of it.
TEST_F(RelayListingTest, TheRunStopsOnRequestAndKeepsItsLists) {
  const std::string header = Relay("abc1-2.example.com", "198.51.100.1") +
                             Relay("abc1-3.example.com", "198.51.100.2") + Relay("e", "198.51.100.3");
  const ListSnapshot lists = ListSnapshot::Take();
  ListedRelays listed = ReadRelays(header, lists);
  int calls = 0;
  ClassifyHops(form, listed.hops, lists, [&](const ippack&) {
    Rules.Replace({});      // the settings window's OK in the middle of the fill
    White.Replace({"abc"});
    return ++calls < 3;
  });
  ASSERT_EQ(listed.hops.size(), 2u);
  EXPECT_EQ(listed.hops[0]->code, RuleVerdict(0));
  EXPECT_EQ(listed.hops[1]->code, RuleVerdict(0));
}

TEST_F(RelayListingTest, ALookupFailureIsSpamOnlyWithReverseLookup) {
  const std::string header = Relay("", "198.51.100.1") + Relay("unknown", "198.51.100.2");
  for (bool reverseLookup : {true, false}) {
    form.ReverseLookup = reverseLookup;
    HopList hops = ListAndClassify(form, header);
    ASSERT_EQ(hops.size(), 2u);
    EXPECT_EQ(hops[0]->code, LookupFailed);
    EXPECT_EQ(hops[0]->spam != 0, reverseLookup);
    EXPECT_EQ(hops[1]->code, ReceivedUnknown);
    EXPECT_TRUE(hops[1]->spam);
  }
}

TEST_F(RelayListingTest, EveryExcludedRelayLeavesNoDecidingAndNoRedRow) {
  HopList hops = ListAndClassify(form, Relay("a1-2.example", "10.1.2.3") + Relay("b", "192.168.1.1"));
  ASSERT_EQ(hops.size(), 2u);
  for (const auto& hop : hops) {
    EXPECT_EQ(hop->code, Excluded);
    EXPECT_FALSE(hop->deciding);
    EXPECT_FALSE(hop->spam);
  }
}

TEST(ClassTextTest, NamesEveryCodeWithTheRulesTrueNumber) {
  const struct {
    VerdictCode code;
    std::string text;
  } cases[] = {
      {Normal, texts::kVerdictNormal},
      {Excluded, texts::kVerdictExcluded},
      {Whitelisted, texts::kVerdictWhitelisted},
      {Blacklisted, texts::kVerdictBlacklisted},
      {LookupFailed, texts::kVerdictLookupFailed},
      {ReceivedUnknown, texts::kVerdictLookupFailed},
      {RuleVerdict(0), "S25R rule 1"},
      {RuleVerdict(4), "S25R rule 5"},
      {RuleVerdict(121), "S25R rule 122"},
      {RuleVerdict(122), "S25R rule 123"},
      {RuleVerdict(300), "S25R rule 301"},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassText(c.code), c.text) << c.code;
}

TEST_F(RelayListingTest, ARuleFarDownALongListShowsItsOwnNumber) {
  TextLines rules(129, "^never$");
  rules.push_back("^match");
  Rules.Replace(rules);
  HopList hops = ListAndClassify(form, Relay("match.example", "198.51.100.1"));
  ASSERT_EQ(hops.size(), 1u);
  EXPECT_EQ(ClassText(hops[0]->code), "S25R rule 130");
}

// Only an address the settings window would accept can be added.
TEST(CanExcludeTest, OnlyAddressesThatReadAsANetwork) {
  const struct {
    std::string ip;
    VerdictCode code;
    bool can;
  } cases[] = {
      {"198.51.100.9", Normal, true},      {"203.0.113.56", RuleVerdict(0), true},
      {"0.0.0.0", Normal, false},          {"300.1.2.3", Normal, false},
      {"", ReceivedUnknown, false},        {"10.0.0.5", Excluded, false},
  };
  for (const auto& c : cases) {
    ippack hop;
    hop.ip = c.ip;
    hop.code = c.code;
    EXPECT_EQ(CanExclude(hop), c.can) << c.ip;
  }
}

}  // namespace
}  // namespace quorn
