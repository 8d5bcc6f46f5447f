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

}  // namespace
}  // namespace quorn
