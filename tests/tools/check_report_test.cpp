// quorn-check's summaries over headers judged by the real engine with the
// built-in lists and no resolver (every lookup fails): the statistics of
// one set, and the evaluation of a ham set against a spam set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/general.h"
#include "settings/default_lines.h"
#include "tools/check/evaluation_report.h"
#include "tools/check/lookup_log.h"
#include "tools/check/stats_report.h"
#include "tools/check/text_table.h"
#include "tools/check/verdict_tally.h"

namespace quorn {
namespace {

// One header per verdict class, and a second of one suffix.
const char kNormal[] = "Received: from mx.example.org (mx.example.org [198.51.100.10]) by mail.example.jp";
const char kRule1[] =
    "Received: from a (p1234-ipbf56.tokyo.example.ne.jp [203.0.113.56])\r\n\tby mail.example.jp";
const char kRule1Again[] = "Received: from b (P5678-ipbf12.osaka.EXAMPLE.ne.jp. [203.0.113.57]) by mail.example.jp";
const char kRule6[] = "Received: from c (dhcp7.pool.example.net [198.51.100.7]) by mail.example.jp";
const char kNoName[] = "Received: from d ([203.0.113.77]) by mail.example.jp";
const char kUnknown[] = "Received: from e (unknown [203.0.113.45]) by mail.example.jp";
const char kInternal[] = "Received: from f (f.example.jp [192.168.1.2]) by mail.example.jp";
const char kMobile[] = "Received: from g (smtp1-2.docomo.ne.jp [198.51.100.80]) by mail.example.jp";

class CheckReportTest : public testing::Test {
 protected:
  void SetUp() override { UseDefaultLists(); }

  VerdictTally Judge(const std::vector<const char*>& headers, bool keepStamped = false) {
    VerdictTally tally(keepStamped);
    int n = 0;
    for (const char* header : headers) {
      tally.Add("m" + std::to_string(++n), JudgeMessage(form_, header), form_);
    }
    return tally;
  }
  static std::vector<std::string> RuleTexts() { return EffectiveRules(*Rules.Current()); }

  LiveSettings form_;
};

TEST(HostSuffix, KeepsTheRegisteredPartOfAName) {
  const struct {
    const char* host;
    const char* suffix;
  } cases[] = {
      {"p1234-ipbf56.tokyo.example.ne.jp", "example.ne.jp"},
      {"mail.Example.CO.UK.", "example.co.uk"},
      {"dhcp7.pool.example.net", "example.net"},
      {"adsl-1-2-3-4.dsl.example.com.au", "example.com.au"},
      {"host.example.de", "example.de"},   // no second level under .de
      {"mx.ne.jp", "mx.ne.jp"},            // nothing above the second level
      {"ne.jp", "ne.jp"},
      {"localhost", "localhost"},
      {".", "(no host name)"},
      {"", "(no host name)"},
  };
  for (const auto& c : cases) EXPECT_EQ(HostSuffix(c.host), c.suffix) << c.host;
}

TEST(LookupLog, CountsHowEachLookupEnded) {
  LookupLog log;
  EXPECT_EQ(log.Timed(3000, [] { return std::string("mx.example.org"); }), "mx.example.org");
  EXPECT_EQ(log.Timed(3000, [] { return std::string(); }), "");  // refused at once
  EXPECT_EQ(log.Timed(0, [] { return std::string(); }), "");     // no time at all
  EXPECT_EQ(log.done, 3);
  EXPECT_EQ(log.answered, 1);
  EXPECT_EQ(log.failed, 1);
  EXPECT_EQ(log.timedOut, 1);
  EXPECT_GE(log.totalMs, log.longestMs);
}

TEST(TextTable, PadsColumnsAndEscapesCells) {
  TextTable table({"name", "n"}, {false, true});
  table.Add({CellText("a|b\tc"), "7"});
  table.Add({CellText(std::string(90, 'x'), 4), "12345"});
  EXPECT_EQ(table.Render(),
            "| name      |     n |\n"
            "|-----------|------:|\n"
            "| a\\|b\\x09c |     7 |\n"
            "| xxxx...   | 12345 |\n");
  EXPECT_EQ(Share(1, 3), "33.3 %");
  EXPECT_EQ(Share(0, 0), "0.0 %");
}

TEST_F(CheckReportTest, StatsCountEveryClassRuleAndSuffix) {
  VerdictTally tally = Judge({kNormal, kRule1, kRule1Again, kRule6, kNoName, kUnknown, kInternal, kMobile});
  tally.AddUnjudged();
  LookupLog lookups;
  lookups.done = 2;
  lookups.failed = 2;
  lookups.totalMs = 1.25;
  lookups.longestMs = 1;
  EXPECT_EQ(StatsReport(tally, lookups, RuleTexts()),
            R"(messages judged: 8 (1 not judged); stamped as spam: 5 (62.5 %)

| verdict         | messages |  share |
|-----------------|---------:|-------:|
| Normal          |        1 | 12.5 % |
| Excluded        |        1 | 12.5 % |
| Whitelisted     |        1 | 12.5 % |
| Blacklisted     |        0 |  0.0 % |
| LookupFailed    |        1 | 12.5 % |
| ReceivedUnknown |        1 | 12.5 % |
| S25R rules      |        3 | 37.5 % |

| S25R rule                                       | messages |  share |
|-------------------------------------------------|---------:|-------:|
| Rule1 `^[^\.]*\d[^\d\.]+\d`                     |        2 | 25.0 % |
| Rule2 `^[^\.]*\d{5}`                            |        0 |  0.0 % |
| Rule3 `^([^\.]+\.)?\d[^\.]*\.[^\.]+\..+\.[a-z]` |        0 |  0.0 % |
| Rule4 `^[^\.]*\d\.[^\.]*\d-\d`                  |        0 |  0.0 % |
| Rule5 `^[^\.]*\d\.[^\.]*\d\.[^\.]+\..+\.`       |        0 |  0.0 % |
| Rule6 `^(?:dhcp\|dialup\|ppp\|adsl)[^\.]*\d`    |        1 | 12.5 % |

| deciding relay of stamped messages | messages |  share |
|------------------------------------|---------:|-------:|
| (no host name)                     |        2 | 40.0 % |
| example.ne.jp                      |        2 | 40.0 % |
| example.net                        |        1 | 20.0 % |

lookups: 2 done, 0 answered, 2 failed, 0 timed out; 1.2 ms in all, longest 1.0 ms
)");
}

TEST_F(CheckReportTest, RuleHitsBeyondTheListedRulesAreShown) {
  Rules.Replace({"^q", "^z", "\\d"});
  VerdictTally tally = Judge({kRule1});
  const std::string report = StatsReport(tally, LookupLog(), {"^q"});
  EXPECT_NE(report.find("| Rule1 `^q` |        0 |   0.0 % |"), std::string::npos) << report;
  EXPECT_NE(report.find("| Rule3      |        1 | 100.0 % |"), std::string::npos) << report;
}

TEST_F(CheckReportTest, EvaluationTablesSpamCaughtAndHamFlagged) {
  VerdictTally spam = Judge({kRule1, kRule1Again, kRule6, kNoName, kUnknown, kNormal, kMobile});
  VerdictTally ham = Judge({kNormal, kInternal, kMobile, kNoName, kNormal, kRule1}, true);
  EXPECT_EQ(EvaluationReport(spam, ham, RuleTexts(), true),
            R"(| set                   | messages | stamped as spam |  share | passed |  share |
|-----------------------|---------:|----------------:|-------:|-------:|-------:|
| spam (caught)         |        7 |               5 | 71.4 % |      2 | 28.6 % |
| ham (false positives) |        6 |               2 | 33.3 % |      4 | 66.7 % |

| verdict                                         | stamps | spam set |  share | ham set |  share |
|-------------------------------------------------|--------|---------:|-------:|--------:|-------:|
| Normal                                          | no     |        1 | 14.3 % |       2 | 33.3 % |
| Excluded                                        | no     |        0 |  0.0 % |       1 | 16.7 % |
| Whitelisted                                     | no     |        1 | 14.3 % |       1 | 16.7 % |
| Blacklisted                                     | yes    |        0 |  0.0 % |       0 |  0.0 % |
| LookupFailed                                    | yes    |        1 | 14.3 % |       1 | 16.7 % |
| ReceivedUnknown                                 | yes    |        1 | 14.3 % |       0 |  0.0 % |
| Rule1 `^[^\.]*\d[^\d\.]+\d`                     | yes    |        2 | 28.6 % |       1 | 16.7 % |
| Rule2 `^[^\.]*\d{5}`                            | yes    |        0 |  0.0 % |       0 |  0.0 % |
| Rule3 `^([^\.]+\.)?\d[^\.]*\.[^\.]+\..+\.[a-z]` | yes    |        0 |  0.0 % |       0 |  0.0 % |
| Rule4 `^[^\.]*\d\.[^\.]*\d-\d`                  | yes    |        0 |  0.0 % |       0 |  0.0 % |
| Rule5 `^[^\.]*\d\.[^\.]*\d\.[^\.]+\..+\.`       | yes    |        0 |  0.0 % |       0 |  0.0 % |
| Rule6 `^(?:dhcp\|dialup\|ppp\|adsl)[^\.]*\d`    | yes    |        1 | 14.3 % |       0 |  0.0 % |
)");
  EXPECT_EQ(FalsePositiveList(ham, RuleTexts()),
            "m4\t4\tLookupFailed\tlookup failed\t203.0.113.77\t\t"
            "the relay has no host name (its line names none and the lookup failed)\n"
            "m6\t6\tRule1\trule1\t203.0.113.56\tp1234-ipbf56.tokyo.example.ne.jp\t"
            "the host name matches S25R rule 1: ^[^\\\\.]*\\\\d[^\\\\d\\\\.]+\\\\d\n");

  // Without reverse lookups a relay without a name stamps nothing.
  form_.ReverseLookup = false;
  VerdictTally quiet = Judge({kNoName});
  EXPECT_EQ(quiet.Stamped(), 0);
  EXPECT_NE(EvaluationReport(quiet, quiet, RuleTexts(), false).find("| LookupFailed                                    | no "),
            std::string::npos);
}

}  // namespace
}  // namespace quorn
