// The built-in Received: patterns against what a sender writes into a line.
//
// The receiving server copies the sender's HELO argument into its line,
// words, blanks, parentheses and all, and some servers copy the ident user
// name too. Whatever those texts hold, a line of a known server's shape
// must give the relay that server wrote, or be unreadable (spam): a planted
// local address would be passed over and a forged line below would decide
// the message; a planted name would be judged instead of the real one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "engine/general.h"
#include "engine/received.h"
#include "settings/default_lines.h"
#include "tests/engine/scripted_resolver.h"
#include "tests/engine/server_shapes.h"

namespace quorn {
namespace {

// The line gives the relay the server wrote, or none at all: unreadable.
testing::AssertionResult ReadsTheServersRelay(const Shape& shape, const std::string& line) {
  const LineRelay relay = ReadReceivedLine(line, *RecvRegex.Current());
  if (ReadsTheServersRelay(shape, relay)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << shape.server << " read [" << relay.hop.ip << "] '" << relay.hop.host
                                     << "' code " << int(relay.hop.code) << " from: " << line;
}

// Ordinary names, then texts built to plant a local or whitelisted relay, to
// unbalance the parentheses or to look like the server's own words.
const char* const kSenderTexts[] = {
    "mail.example.com", "mail (relay [10.0.0.1])", "localhost (localhost [127.0.0.1])", "[IPv6:::1]",
    "a(x[::1])", "[127.0.0.1]", "[::ffff:127.0.0.1]", "(x[fe80::1%x])", "(unknown[127.0.0.1])", "a)(b[::1])",
    "(x[::1]", "x) (mail.yahoo.co.jp [203.0.113.7]) by", "a (HELO b) (127.0.0.1) by c with SMTP;",
    "[10.0.0.1] (helo=x) by", "x ([127.0.0.1] helo=y) by z", "x) [127.0.0.1] by y with esmtp (Exim 3.35)",
    "IDENT:root", "cpunks", "0@esperi", "x@[127.0.0.1]", "helo=[127.0.0.1]", "mail.yahoo.co.jp [198.51.100.9] by",
    "",
};

TEST(DefaultReceivedPatterns, ReadTheServersRelayWhateverTheSenderWrites) {
  UseDefaultLists();
  for (const Shape& shape : kShapes) {
    for (const char* text : kSenderTexts) {
      EXPECT_TRUE(ReadsTheServersRelay(shape, Fill(shape, text, text, text)));
    }
    EXPECT_TRUE(ReadsTheServersRelay(shape, Fill(shape, "mail.example.com", "root", "u@example.jp")));
  }
}

// Sender texts put together at random from pieces that matter to the
// patterns, inside every shape, as HELO argument, ident user name and the
// addresses a sender chooses; below the line a forged one names a
// whitelisted provider. The relay judged is always the real one, or the
// line is unreadable.
const char* const kPieces[] = {
    " ", "  ", "\t", "(", ")", "[", "]", "@", ":", ";", "=", ".", "IDENT:", "by", " by ", "from ", "helo=",
    "HELO ", "EHLO ", "unknown", "localhost", "mail.yahoo.co.jp", "x", "127.0.0.1", "10.0.0.1", "192.168.1.4",
    "198.51.100.9", "203.0.113.7", "::1", "IPv6:", "fe80::1%9", "[127.0.0.1]", "[::1]", "[IPv6:::1]",
    "[203.0.113.7]", "(x [10.0.0.1])", "(127.0.0.1)", " with SMTP;", " with esmtp (Exim 3.35)", " id 1O0nL7-0005Vr-00",
    "(mp052)", " with Microsoft SMTP Server", "(may be forged)", "<a@b>", ":25", "((((((((((((((((", "aaaaaaaaaaaa",
    "\"", ") [10.0.0.1] by y (Exim 3.1", " by y with SMTP;", "(HELO x) (", "account ", "x@10.0.0.1)", "@",
};

std::string RandomSenderText(std::mt19937& random) {
  std::uniform_int_distribution<std::size_t> count(0, 10);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::string text;
  for (std::size_t n = count(random); n > 0; --n) text += kPieces[piece(random)];
  return text;
}

TEST(DefaultReceivedPatterns, RandomSenderTextsNeverChooseTheJudgedRelay) {
  UseDefaultLists();
  const char* runsText = std::getenv("QUORN_PROPERTY_RUNS");
  const int runs = runsText ? std::atoi(runsText) : 300;
  std::mt19937 random(20261210);
  for (const Shape& shape : kShapes) {
    for (int run = 0; run < runs; ++run) {
      const std::string helo = RandomSenderText(random), user = RandomSenderText(random),
                        chosen = RandomSenderText(random);
      const std::string line = Fill(shape, helo, user, chosen);
      ASSERT_TRUE(ReadsTheServersRelay(shape, line))
          << "HELO '" << helo << "', user '" << user << "', address '" << chosen << "'";

      const std::string header = line + "\r\nReceived: from mail.yahoo.co.jp (mail.yahoo.co.jp [203.0.113.7])\r\n"
                                        "\tby relay.yahoo.co.jp (Postfix)\r\nSubject: x\r\n";
      ScriptedResolver form;
      const MessageVerdict verdict = JudgeMessage(form, header);
      ASSERT_TRUE(verdict.hop.ip == shape.address || verdict.hop.code == ReceivedUnknown) << line;
      ASSERT_NE(verdict.hop.code, Whitelisted) << line;
      ASSERT_TRUE(verdict.spam || verdict.hop.code == Normal) << line;
    }
  }
}

}  // namespace
}  // namespace quorn
