#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "engine/classify.h"
#include "engine/text_error.h"
#include "settings/default_lines.h"
#include "tests/engine/scripted_resolver.h"
#include "texts/catalog.h"

namespace quorn {
namespace {

class ClassifyHopTest : public testing::Test {
 protected:
  void SetUp() override {
    UseDefaultLists();
    White.Replace({});
    Black.Replace({});
  }

  ippack Classify(const std::string& ip, const std::string& host, VerdictCode code = Normal) {
    ippack hop;
    hop.ip = ip;
    hop.host = host;
    hop.code = code;
    ClassifyHop(form, hop);
    return hop;
  }

  ScriptedResolver form;
};

TEST_F(ClassifyHopTest, NetworksComeBeforeNamesAndWhiteBeforeBlack) {
  White.Replace({"10.0.0.0/8", ".trusted.example"});
  Black.Replace({"10.1.0.0/16", "192.0.2.0/24", "bad"});
  EXPECT_EQ(Classify("10.1.2.3", "bad.example").code, Whitelisted);
  EXPECT_EQ(Classify("192.0.2.9", "mx.trusted.example").code, Blacklisted);
  EXPECT_EQ(Classify("198.51.100.1", "mx.trusted.example").code, Whitelisted);
  EXPECT_EQ(Classify("198.51.100.1", "very.bad.example").code, Blacklisted);
  EXPECT_TRUE(form.asked.empty());
}

TEST_F(ClassifyHopTest, NameTextsMatchAnywhereWithExactCase) {
  White.Replace({"iddl", "#comment", ""});
  Rules.Replace({});
  EXPECT_EQ(Classify("198.51.100.1", "the.middle.example").code, Whitelisted);
  EXPECT_EQ(Classify("198.51.100.1", "the.MIDDLE.example").code, Normal);
  EXPECT_EQ(Classify("198.51.100.1", "x#comment.example").code, Whitelisted);
}

TEST_F(ClassifyHopTest, ARelayTheLineCallsUnknownIsNotLookedUpWhenLineNamesAreAccepted) {
  White.Replace({".trusted.example"});
  form.answers = {"mx.trusted.example"};
  ippack hop = Classify("198.51.100.1", "", ReceivedUnknown);
  EXPECT_EQ(hop.code, ReceivedUnknown);
  EXPECT_TRUE(form.asked.empty());

  White.Replace({"198.51.100.0/24"});
  EXPECT_EQ(Classify("198.51.100.1", "", ReceivedUnknown).code, Whitelisted);
}

TEST_F(ClassifyHopTest, ARelayTheLineCallsUnknownIsLookedUpOtherwise) {
  form.AcceptReceivedHost = false;
  form.FirstLookup = false;
  EXPECT_EQ(Classify("198.51.100.1", "", ReceivedUnknown).code, LookupFailed);
  form.answers = {"mx.example.org"};
  EXPECT_EQ(Classify("198.51.100.1", "", ReceivedUnknown).code, ReceivedUnknown);
  form.answers = {"abc1-2.example.org"};
  EXPECT_EQ(Classify("198.51.100.1", "", ReceivedUnknown).code, RuleVerdict(0));
}

TEST_F(ClassifyHopTest, ALookupReplacesTheLineNameWhenLineNamesAreNotAccepted) {
  form.AcceptReceivedHost = false;
  form.answers = {"resolved.example.org"};
  ippack hop = Classify("198.51.100.1", "abc1-2.line.example");
  EXPECT_EQ(hop.host, "resolved.example.org");
  EXPECT_EQ(hop.code, Normal);
}

TEST_F(ClassifyHopTest, OnlyTheVeryFirstLookupIsRepeated) {
  // A name from the line needs no lookup and leaves the first lookup pending.
  EXPECT_EQ(Classify("198.51.100.1", "mx.example.org").code, Normal);
  EXPECT_TRUE(form.FirstLookup);

  form.answers = {"", "mx.example.org"};
  ippack hop = Classify("198.51.100.2", "");
  EXPECT_EQ(hop.host, "mx.example.org");
  EXPECT_EQ(form.asked.size(), 2u);
  EXPECT_FALSE(form.FirstLookup);

  form.asked.clear();
  form.answers = {"", "mx.example.org"};
  EXPECT_EQ(Classify("198.51.100.3", "").code, LookupFailed);
  EXPECT_EQ(form.asked.size(), 1u);
}

TEST_F(ClassifyHopTest, ACheckDuringTheFirstLookupLeavesItsRepeatToIt) {
  // Another message is judged from inside the first lookup's wait. The
  // repeat stays with the first lookup, and the nested check gets one
  // lookup of its own, like any later check.
  struct Case {
    std::deque<std::string> answers;  // the nested lookup's answer comes first
    VerdictCode inner, outer;
    std::size_t lookups;
  } cases[] = {
      {{"mx.inner.example", "", "mx.outer.example"}, Normal, Normal, 3},
      {{"", "", "mx.outer.example"}, LookupFailed, Normal, 3},
      {{"mx.inner.example", "mx.outer.example"}, Normal, Normal, 2},
  };
  for (const Case& c : cases) {
    form.FirstLookup = true;
    form.asked.clear();
    form.answers = c.answers;
    ippack inner;
    form.duringLookup = [&] {
      form.duringLookup = nullptr;
      inner = Classify("198.51.100.9", "");
    };
    ippack outer = Classify("198.51.100.2", "");
    EXPECT_EQ(inner.code, c.inner);
    EXPECT_EQ(outer.code, c.outer);
    EXPECT_EQ(outer.host, "mx.outer.example");
    EXPECT_EQ(form.asked.size(), c.lookups);
    EXPECT_FALSE(form.FirstLookup);
  }
}

TEST_F(ClassifyHopTest, AFirstLookupThatFindsANameIsNotRepeated) {
  form.answers = {"mx.example.org"};
  Classify("198.51.100.1", "");
  EXPECT_EQ(form.asked.size(), 1u);
  EXPECT_FALSE(form.FirstLookup);
}

TEST_F(ClassifyHopTest, DefaultRulesAreNumberedOverEffectiveEntriesOnly) {
  struct Case {
    const char* host;
    VerdictCode code;
  } cases[] = {
      {"abc1-2.example.com", RuleVerdict(0)},        // ^[^\.]*\d[^\d\.]+\d
      {"host12345.example.com", RuleVerdict(1)},     // ^[^\.]*\d{5}
      {"x.7abc.example.ne.jp", RuleVerdict(2)},
      {"a1.b2-3.example.com", RuleVerdict(3)},
      {"a1.b2.example.ne.jp", RuleVerdict(4)},
      {"dhcp7.example.com", RuleVerdict(5)},         // the last default rule: code 11
      {"mx.example.com", Normal},
  };
  for (const auto& c : cases) EXPECT_EQ(Classify("198.51.100.1", c.host).code, c.code) << c.host;
  EXPECT_EQ(RuleVerdict(5), 11);
}

TEST_F(ClassifyHopTest, EmptyListsLeaveANamedRelayNormal) {
  Rules.Replace({});
  form.answers = {"abc1-2.example.com"};
  EXPECT_EQ(Classify("198.51.100.1", "").code, Normal);
}

TEST_F(ClassifyHopTest, ARuleThatDoesNotCompileRaisesItsEntryWhenReached) {
  Rules.Replace({"^mx", "(broken", "^x"});
  EXPECT_EQ(Classify("198.51.100.1", "mx.example.com").code, RuleVerdict(0));

  form.answers = {"abc.example.com"};
  ippack hop;
  hop.ip = "198.51.100.1";
  try {
    ClassifyHop(form, hop);
    FAIL() << "no error";
  } catch (const TextError& e) {
    EXPECT_EQ(std::string(e.what()), std::string(texts::kInvalidRegex) + "\n\n'(broken'");
  }
  EXPECT_EQ(hop.host, "abc.example.com");
  EXPECT_EQ(hop.code, Normal);
}

TEST_F(ClassifyHopTest, RulesFarDownALongListKeepTheirNumber) {
  TextLines rules;
  for (int i = 0; i < 300; ++i) rules.push_back("^never" + std::to_string(i) + "$");
  rules.push_back("^mx");
  Rules.Replace(rules);
  EXPECT_EQ(Classify("198.51.100.1", "mx.example.com").code, RuleVerdict(300));
}

}  // namespace
}  // namespace quorn
