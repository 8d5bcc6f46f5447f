#include <gtest/gtest.h>

#include <boost/regex.hpp>

#include <random>
#include <string>
#include <vector>

#include "engine/lists.h"
#include "engine/received.h"
#include "engine/text_error.h"
#include "settings/default_lines.h"
#include "texts/catalog.h"

namespace quorn {
namespace {

std::string RandomText(std::mt19937& random, const std::vector<std::string>& pieces, int maxPieces) {
  std::string text;
  int n = static_cast<int>(random() % static_cast<unsigned>(maxPieces + 1));
  for (int i = 0; i < n; ++i) text += pieces[random() % pieces.size()];
  return text;
}

// Unfolding as the rule states it: replace the first occurrence, search
// again from the start, until none is left; tabs first, then spaces.
std::string NaiveUnfold(std::string text) {
  for (const char* fold : {"\r\n\t", "\r\n "}) {
    for (std::size_t at; (at = text.find(fold)) != std::string::npos;) text.replace(at, 3, " ");
  }
  return text;
}

TEST(UnfoldHeader, JoinsContinuationLines) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"Received: from a\r\n\tby b\r\n for c", "Received: from a by b for c"},
      {"A: 1\r\n\t\tx", "A: 1 \tx"},  // one blank taken, the next kept
      {"A: 1\n\tx", "A: 1\n\tx"},      // a bare LF is no line break here
      {"A: 1\r\nB: 2", "A: 1\r\nB: 2"},
      {"\r\n\r\n ", " "},               // the new space completes another fold
      {"\r\n\r\n\t", " "},              // tab fold first, then the space fold
      {"\r\r\n\n \t", "\r\r\n\n \t"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(UnfoldHeader(c.in), c.out) << testing::PrintToString(c.in);
}

TEST(UnfoldHeader, AgreesWithRepeatedFirstReplacementOnRandomTexts) {
  std::mt19937 random(7);
  const std::vector<std::string> pieces = {"\r", "\n", "\t", " ", "a", "\r\n", "\r\n "};
  for (int i = 0; i < 50000; ++i) {
    std::string text = RandomText(random, pieces, 14);
    ASSERT_EQ(UnfoldHeader(text), NaiveUnfold(text)) << testing::PrintToString(text);
  }
}

std::vector<std::string> LibraryReceivedLines(const std::string& text) {
  static const boost::regex line("^(Received:[^\\n]*)");
  std::vector<std::string> lines;
  for (boost::sregex_iterator it(text.begin(), text.end(), line), end; it != end; ++it) {
    lines.push_back(it->str());
  }
  return lines;
}

TEST(FindReceivedLines, TakesLinesStartingWithTheFieldNameInExactCase) {
  std::string header =
      "Received: from a\r\n"
      "received: from lower case\r\n"
      "X-Received: from other\r\n"
      "Subject: Received: not at the start\r\n"
      "RECEIVED: upper\r\n"
      "Received: last";
  std::vector<std::string> expected = {"Received: from a\r", "Received: last"};
  EXPECT_EQ(FindReceivedLines(header), expected);
  EXPECT_TRUE(FindReceivedLines("Subject: none\r\n\r\n").empty());
}

TEST(FindReceivedLines, AgreesWithTheLibraryPatternOnRandomTexts) {
  std::mt19937 random(11);
  const std::vector<std::string> pieces = {"Received:", "Received:", "\r", "\n", "\f",
                                           "\r\n",      "x",         " ", "Rec"};
  for (int i = 0; i < 50000; ++i) {
    std::string text = RandomText(random, pieces, 10);
    ASSERT_EQ(FindReceivedLines(text), LibraryReceivedLines(text)) << testing::PrintToString(text);
  }
}

TEST(CollectReceivedLines, ReplacesTheWholeList) {
  CollectReceivedLines("Received: one\nReceived: two");
  EXPECT_EQ(ReceivedLines.Current()->size(), 2u);
  CollectReceivedLines("Subject: none");
  EXPECT_TRUE(ReceivedLines.Current()->empty());
}

class ParseReceivedTest : public testing::Test {
 protected:
  void SetUp() override { UseDefaultLists(); }
};

struct LineCase {
  const char* line;
  const char* ip;
  const char* host;
  VerdictCode code;
};

TEST_F(ParseReceivedTest, ReadsRelaysWithTheDefaultPatterns) {
  const LineCase cases[] = {
      // Postfix
      {"Received: from mx.example.org (mx.example.org [192.0.2.1]) by x", "192.0.2.1",
       "mx.example.org", Normal},
      {"Received: from helo (unknown [192.0.2.2]) by x", "192.0.2.2", "", ReceivedUnknown},
      {"Received: from helo (  spaced.example  [192.0.2.3]) by x", "192.0.2.3",
       "spaced.example", Normal},
      {"Received: from helo (two words [192.0.2.4]) by x", "192.0.2.4", "", Normal},
      {"Received: from helo (\tTabbed [192.0.2.5]) by x", "192.0.2.5", "\tTabbed", Normal},
      {"Received: from helo (UNKNOWN [192.0.2.6]) by x", "192.0.2.6", "UNKNOWN", Normal},
      // qmail
      {"Received: from relay.example.net (HELO relay) (192.0.2.7) by x with SMTP;", "192.0.2.7",
       "relay.example.net", Normal},
      // IMail: the first word is the HELO argument, so the relay is looked up.
      {"Received: from post.example.com [192.0.2.8] by x", "192.0.2.8", "", Normal},
      // IPv6 relays, in the forms mail servers write them.
      {"Received: from x (x [2001:db8::1])", "2001:db8::1", "x", Normal},
      {"Received: from mx.example (mx.example [IPv6:2001:db8::25]) by y", "2001:db8::25", "mx.example",
       Normal},
      {"Received: from bot.example (2001-db8-1-2.dyn.example.net [2001:DB8::1:2])", "2001:DB8::1:2",
       "2001-db8-1-2.dyn.example.net", Normal},
      {"Received: from h (unknown [fe80::d82c:67bf:ec39:a403%9]) by y", "fe80::d82c:67bf:ec39:a403%9", "",
       ReceivedUnknown},
      {"Received: from h (h.example [::ffff:198.51.100.7]) by y", "::ffff:198.51.100.7", "h.example", Normal},
      {"Received: from relay6.example.net (HELO relay6) (2001:db8::7) by x with SMTP;", "2001:db8::7",
       "relay6.example.net", Normal},
      {"Received: from post6.example.com [IPv6:2001:db8::8] by x", "2001:db8::8", "", Normal},
      // Exchange: the address alone, the first word the HELO argument; the
      // receiving server's own address after its "by" is never read.
      {"Received: from x (2001:db8::1) by y (2001:db8::2)", "2001:db8::1", "", Normal},
      // Nothing matches: no address, the IPv6 tag before a dotted quad, text
      // of too few colons.
      {"Received: by localhost with local", "", "", Normal},
      {"Received: from x (x [IPv6:192.0.2.9])", "", "", Normal},
      {"Received: from x (x [FFFFFFFF:00000000])", "", "", Normal},
  };
  for (const auto& c : cases) {
    ippack hop = ParseReceived(c.line);
    EXPECT_EQ(hop.ip, c.ip) << c.line;
    EXPECT_EQ(hop.host, c.host) << c.line;
    EXPECT_EQ(hop.code, c.code) << c.line;
    EXPECT_EQ(hop.spam, 0);
    EXPECT_EQ(hop.deciding, 0);
  }
}

TEST_F(ParseReceivedTest, SkipsEmptyAndCommentEntriesAndStopsAtTheFirstMatch) {
  RecvRegex.Replace({"", "# (x)(y)", "// (x)(y)", "from (a)(\\d+)", "from (a)(b)(c)"});
  ippack hop = ParseReceived("Received: from a42");
  EXPECT_EQ(hop.host, "a");
  EXPECT_EQ(hop.ip, "42");
}

TEST_F(ParseReceivedTest, AGroupThatDidNotTakePartGivesAnEmptyText) {
  RecvRegex.Replace({"from (?:(x)|y)([0-9.]+)"});
  ippack hop = ParseReceived("Received: from y192.0.2.1");
  EXPECT_EQ(hop.host, "");
  EXPECT_EQ(hop.ip, "192.0.2.1");
}

TEST_F(ParseReceivedTest, AMatchWithOtherThanTwoGroupsRaisesTheEntry) {
  RecvRegex.Replace({"from (a)(b)(c)"});
  EXPECT_NO_THROW(ParseReceived("Received: from xyz"));  // no match, no error
  try {
    ParseReceived("Received: from abc");
    FAIL() << "no error";
  } catch (const TextError& e) {
    EXPECT_EQ(std::string(e.what()), std::string(texts::kNeedTwoGroups) + "\n\n'from (a)(b)(c)'");
  }
}

TEST_F(ParseReceivedTest, APatternThatDoesNotCompileIsFoundOnlyWhenReached) {
  RecvRegex.Replace({"from (a)(b)", "from ((("});
  EXPECT_NO_THROW(ParseReceived("Received: from ab"));
  for (int attempt = 0; attempt < 2; ++attempt) {  // raised every time it is reached
    try {
      ParseReceived("Received: from xy");
      FAIL() << "no error";
    } catch (const TextError& e) {
      EXPECT_EQ(std::string(e.what()), std::string(texts::kInvalidRegex) + "\n\n'from ((('");
    }
  }
}

TEST_F(ParseReceivedTest, TellsAddressNoAddressAndUnreadableLinesApart) {
  const std::string hostile = "((?:a+a+)+)(b)";
  const std::string postfix = R"(\(([^\[]*)\[([0-9.]+)\])";
  struct Case {
    const char* name;
    std::string line;
    TextLines recvRegex;
    RelayReading reading;
    const char* ip;
    VerdictCode code;
  } cases[] = {
      {"address", "Received: from h (mx [192.0.2.1])", {postfix}, RelayReading::Address, "192.0.2.1", Normal},
      {"unknown", "Received: from h (unknown [192.0.2.1])", {postfix}, RelayReading::Address, "192.0.2.1",
       ReceivedUnknown},
      {"no match", "Received: by localhost", {postfix}, RelayReading::NoAddress, "", Normal},
      {"empty address group", "Received: from h (mx [])", {R"(\(([^\[]*)\[([0-9.]*)\])"},
       RelayReading::NoAddress, "", Normal},
      {"longest readable line", "Received: (mx [192.0.2.1])" + std::string(kReceivedLineReadLimit - 26, ' '),
       {postfix}, RelayReading::Address, "192.0.2.1", Normal},
      {"line over the limit", "Received: (mx [192.0.2.1])" + std::string(kReceivedLineReadLimit - 25, ' '),
       {postfix}, RelayReading::Unreadable, "", ReceivedUnknown},
      {"search past the library's limits", "Received: from " + std::string(40, 'a') + " (mx [192.0.2.1])",
       {hostile, postfix}, RelayReading::Unreadable, "", ReceivedUnknown},
      {"every entry is searched, a hostile one after a match too",
       "Received: from " + std::string(40, 'a') + " (mx [192.0.2.1])", {postfix, hostile},
       RelayReading::Unreadable, "", ReceivedUnknown},
  };
  for (const Case& c : cases) {
    RecvRegex.Replace(c.recvRegex);
    LineRelay relay = ReadReceivedLine(c.line, *RecvRegex.Current());
    EXPECT_EQ(relay.reading, c.reading) << c.name;
    EXPECT_EQ(relay.hop.ip, c.ip) << c.name;
    EXPECT_EQ(relay.hop.code, c.code) << c.name;
    ippack hop = ParseReceived(c.line);
    EXPECT_EQ(hop.ip, relay.hop.ip) << c.name;
    EXPECT_EQ(hop.code, relay.hop.code) << c.name;
    if (c.reading == RelayReading::Unreadable) {
      EXPECT_EQ(hop.host, "") << c.name;
    }
  }
}

TEST_F(ParseReceivedTest, AHeadersLinesAreReadWithinALineCountAndASumOfSquaredLengths) {
  const std::size_t limit = kReceivedLineReadLimit;
  auto lineOf = [](std::size_t bytes) { return "Received: " + std::string(bytes - 10, 'x'); };
  struct Case {
    const char* name;
    std::vector<std::size_t> lengths;
    std::size_t readable;  // how many lines, from the top, are read
  } cases[] = {
      {"one line of the limit", {limit, 10}, 1},
      {"one line over the limit, then short ones", {limit + 1, 10, 10}, 0},
      {"squares adding up to the limit's", {limit / 2, limit / 2, limit / 2, limit / 2, 10}, 4},
      {"a hundred short lines", std::vector<std::size_t>(kReceivedLinesReadLimit + 3, 20),
       kReceivedLinesReadLimit},
  };
  for (const Case& c : cases) {
    ReceivedLineReader reader(*RecvRegex.Current());
    for (std::size_t i = 0; i < c.lengths.size(); ++i) {
      RelayReading expected = i < c.readable ? RelayReading::NoAddress : RelayReading::Unreadable;
      EXPECT_EQ(reader.Read(lineOf(c.lengths[i])).reading, expected) << c.name << ", line " << i;
    }
  }
}

}  // namespace
}  // namespace quorn
