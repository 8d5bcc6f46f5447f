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

namespace quorn {
namespace {

struct Shape {
  const char* server;
  const char* line;  // "{H}" stands for the HELO argument, "{U}" for the ident user name
  const char* address;
  const char* host;  // the name the server wrote, "" where it wrote none or the sender may have
  VerdictCode code;
};

const Shape kShapes[] = {
    {"Postfix", "Received: from {H} (p1234.dyn.example.net [198.51.100.9]) by mx (Postfix) with ESMTP id 1",
     "198.51.100.9", "p1234.dyn.example.net", Normal},
    {"Postfix, no name", "Received: from {H} (unknown [198.51.100.9]) by mx (Postfix) with ESMTP id 1",
     "198.51.100.9", "", ReceivedUnknown},
    {"Postfix, port", "Received: from {H} (unknown [198.51.100.9]:4711) by mx (Postfix) with ESMTP id 1",
     "198.51.100.9", "", ReceivedUnknown},
    {"Postfix, IPv6", "Received: from {H} (p.example.net [IPv6:2001:db8::9]) by mx (Postfix)", "2001:db8::9",
     "p.example.net", Normal},
    {"Postfix, TLS", "Received: from {H} (p.example.net [198.51.100.9]) (using TLSv1.2 with cipher X (256/256 bits))"
     " (No client certificate requested) by mx (Postfix) with ESMTPS id 1 for <u@example.jp>; Thu",
     "198.51.100.9", "p.example.net", Normal},
    {"Sendmail", "Received: from {H} (p.example.net [198.51.100.9] (may be    forged)) by mx (8.12.8/8.12.8)",
     "198.51.100.9", "p.example.net", Normal},
    {"Sendmail, ident", "Received: from {H} ({U}@p.example.net [198.51.100.9]) by mx (8.11.6/8.11.6) with ESMTP",
     "198.51.100.9", "p.example.net", Normal},
    {"Sendmail, ident without name", "Received: from {H} ({U}@[198.51.100.9]) by mx (8.11.6/8.11.6) with SMTP",
     "198.51.100.9", "", Normal},
    {"SMTPSVC", "Received: from {H} ([198.51.100.9]) by mx with Microsoft SMTPSVC(6.0.3790.3959);",
     "198.51.100.9", "", Normal},
    {"SMTPSVC, no blank", "Received: from {H}([198.51.100.9] RDNS failed) by mx with Microsoft SMTPSVC(5.0);",
     "198.51.100.9", "", Normal},
    {"Exchange", "Received: from {H} (198.51.100.9) by EX1.example.jp (10.1.1.5) with Microsoft SMTP Server id 14;",
     "198.51.100.9", "", Normal},
    {"Post.Office", "Received: from {H} ([198.51.100.9]) by mx (Post.Office MTA v3.5.3) with SMTP id 1",
     "198.51.100.9", "", Normal},
    {"Courier", "Received: from {H} (p.example.net [::ffff:198.51.100.9]) by mx with ESMTP;",
     "::ffff:198.51.100.9", "p.example.net", Normal},
    {"Sun Java", "Received: from {H} ([unknown] [198.51.100.9]) by mx (Sun Java(tm) System Messaging Server 7u2)",
     "198.51.100.9", "", ReceivedUnknown},
    {"Exim 4", "Received: from p.example.net ([198.51.100.9] helo={H}) by mx with esmtp (Exim 4.69) id 1",
     "198.51.100.9", "", Normal},
    {"Exim 4, port", "Received: from p.example.net ([198.51.100.9]:4711 helo={H}) by mx with esmtp (Exim 4.04)",
     "198.51.100.9", "", Normal},
    {"Exim 4, no name", "Received: from [198.51.100.9] (helo={H}) by mx with esmtp (Exim 4.69) id 1",
     "198.51.100.9", "", Normal},
    {"ecelerity", "Received: from [198.51.100.9] ([198.51.100.9:4711] helo={H}) by mx (ecelerity 2.2.2.40)",
     "198.51.100.9", "", Normal},
    {"Exim 3", "Received: from p.example.net ({H}) [198.51.100.9] by mx with esmtp (Exim 3.35 #1 (Debian)) id 1",
     "198.51.100.9", "p.example.net", Normal},
    {"Exim 3, no name", "Received: from ({H}) [198.51.100.9] by mx with smtp (Exim 3.12 #1) id 1", "198.51.100.9",
     "", Normal},
    {"GMX", "Received: from p.example.net (EHLO {H}) [198.51.100.9] by mail.gmx.net (mp052) with SMTP;",
     "198.51.100.9", "p.example.net", Normal},
    {"qmail", "Received: from p.example.net (HELO {H}) (198.51.100.9) by mx with SMTP; 10 Dec 2026",
     "198.51.100.9", "p.example.net", Normal},
    {"qmail, ident", "Received: from unknown (HELO {H}) ({U}@198.51.100.9) by mx with SMTP; 10 Dec 2026",
     "198.51.100.9", "", ReceivedUnknown},
    {"qmail-ldap", "Received: from unknown (HELO {H}) ({U}@[198.51.100.9]) (envelope-sender <a@b>) by mx"
     " (qmail-ldap-1.03) with SMTP for <u@example.jp>; 10 Dec 2026",
     "198.51.100.9", "", ReceivedUnknown},
    {"CommuniGate", "Received: from [198.51.100.9] (HELO {H}) by mx (CommuniGate Pro SMTP 3.5.7) with ESMTP",
     "198.51.100.9", "", Normal},
    {"CommuniGate, account", "Received: from [198.51.100.9] (account u@example.jp HELO {H}) by mx (CommuniGate Pro)",
     "198.51.100.9", "", Normal},
    {"IMail", "Received: from {H} [198.51.100.9] by mx (SMTPD32-6.04) id 1", "198.51.100.9", "", Normal},
    {"Smail", "Received: from {H} from [198.51.100.9] by mx (Smail3.1.30.16 #30.56) with esmtp", "198.51.100.9", "",
     Normal},
};

std::string Fill(std::string line, const std::string& helo, const std::string& user) {
  for (std::size_t at; (at = line.find("{H}")) != std::string::npos;) line.replace(at, 3, helo);
  for (std::size_t at; (at = line.find("{U}")) != std::string::npos;) line.replace(at, 3, user);
  return line;
}

// The line gives the relay the server wrote, or none at all: unreadable.
testing::AssertionResult ReadsTheServersRelay(const Shape& shape, const std::string& line) {
  const LineRelay relay = ReadReceivedLine(line, *RecvRegex.Current());
  if (relay.reading == RelayReading::Unreadable) return testing::AssertionSuccess();
  if (relay.hop.ip == shape.address && relay.hop.host == shape.host && relay.hop.code == shape.code) {
    return testing::AssertionSuccess();
  }
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
      EXPECT_TRUE(ReadsTheServersRelay(shape, Fill(shape.line, text, text)));
    }
    EXPECT_TRUE(ReadsTheServersRelay(shape, Fill(shape.line, "mail.example.com", "root")));
  }
}

// Sender texts put together at random from pieces that matter to the
// patterns, inside every shape, the same text as HELO argument and ident
// user name; below the line a forged one names a whitelisted provider. The
// relay judged is always the real one, or the line is unreadable.
const char* const kPieces[] = {
    " ", "  ", "\t", "(", ")", "[", "]", "@", ":", ";", "=", ".", "IDENT:", "by", " by ", "from ", "helo=",
    "HELO ", "EHLO ", "unknown", "localhost", "mail.yahoo.co.jp", "x", "127.0.0.1", "10.0.0.1", "192.168.1.4",
    "198.51.100.9", "203.0.113.7", "::1", "IPv6:", "fe80::1%9", "[127.0.0.1]", "[::1]", "[IPv6:::1]",
    "[203.0.113.7]", "(x [10.0.0.1])", "(127.0.0.1)", " with SMTP;", " with esmtp (Exim 3.35)", " id 1O0nL7-0005Vr-00",
    "(mp052)", " with Microsoft SMTP Server", "(may be forged)", "<a@b>", ":25", "((((((((((((((((", "aaaaaaaaaaaa",
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
      const std::string helo = RandomSenderText(random), user = RandomSenderText(random);
      const std::string line = Fill(shape.line, helo, user);
      ASSERT_TRUE(ReadsTheServersRelay(shape, line)) << "HELO '" << helo << "', user '" << user << "'";

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
