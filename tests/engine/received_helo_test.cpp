// The built-in Received: patterns against the sender's HELO argument.
//
// The HELO argument is one word without blanks that the sender chooses, and
// the receiving server copies it into its Received: line. Whatever that word
// holds, a line of a known server's shape must give the address the server
// wrote: an address taken from the word ("[::1]", "[127.0.0.1]") would be
// passed over as local, and a forged line below would decide the message;
// a line made unreadable by it would be passed over the same way.
#include <gtest/gtest.h>

#include <string>

#include "engine/general.h"
#include "settings/default_lines.h"

namespace quorn {
namespace {

struct Shape {
  const char* server;
  const char* line;  // "{H}" stands for the HELO argument
  const char* address;
};

const Shape kShapes[] = {
    {"Postfix", "Received: from {H} (rdns.example.net [198.51.100.9]) by mx (Postfix) with ESMTP id 1",
     "198.51.100.9"},
    {"Postfix, no name", "Received: from {H} (unknown [198.51.100.9]) by mx (Postfix) with ESMTP id 1",
     "198.51.100.9"},
    {"Postfix, IPv6", "Received: from {H} (rdns.example.net [IPv6:2001:db8::9]) by mx (Postfix)", "2001:db8::9"},
    {"Sendmail", "Received: from {H} (rdns.example.net [198.51.100.9] (may be forged)) by mx (8.12.8/8.12.8)",
     "198.51.100.9"},
    {"Sendmail, ident", "Received: from {H} (IDENT:root@rdns.example.net [198.51.100.9]) by mx (8.11.6/8.11.6)",
     "198.51.100.9"},
    {"SMTPSVC", "Received: from {H} ([198.51.100.9]) by mx with Microsoft SMTPSVC(6.0.3790.3959)",
     "198.51.100.9"},
    {"SMTPSVC, no blank", "Received: from {H}([198.51.100.9]) by mx with Microsoft SMTPSVC(6.0.3790.3959)",
     "198.51.100.9"},
    {"Exim 4", "Received: from rdns.example.net ([198.51.100.9] helo={H}) by mx with esmtp (Exim 4.69) id 1",
     "198.51.100.9"},
    {"Exim 4, no name", "Received: from [198.51.100.9] (helo={H}) by mx with esmtp (Exim 4.69) id 1",
     "198.51.100.9"},
    {"ecelerity", "Received: from [198.51.100.9] ([198.51.100.9:4711] helo={H}) by mx (ecelerity 2.2.2.40)",
     "198.51.100.9"},
    {"Exim 3", "Received: from rdns.example.net ({H}) [198.51.100.9] by mx with esmtp (Exim 3.35 #1 (Debian))",
     "198.51.100.9"},
    {"Exim 3, no name", "Received: from ({H}) [198.51.100.9] by mx with smtp (Exim 3.12 #1) id 1", "198.51.100.9"},
    {"GMX", "Received: from rdns.example.net (EHLO {H}) [198.51.100.9] by mail.gmx.net (mp052) with SMTP",
     "198.51.100.9"},
    {"qmail", "Received: from rdns.example.net (HELO {H}) (198.51.100.9) by mx with SMTP", "198.51.100.9"},
    {"qmail-ldap", "Received: from unknown (HELO {H}) (user@[198.51.100.9]) (envelope-sender <a@b>) by mx",
     "198.51.100.9"},
    {"CommuniGate", "Received: from [198.51.100.9] (HELO {H}) by mx (CommuniGate Pro SMTP 3.5.7) with ESMTP",
     "198.51.100.9"},
    {"IMail", "Received: from {H} [198.51.100.9] by mx (SMTPD32-6.04) id 1", "198.51.100.9"},
    {"Smail", "Received: from {H} from [198.51.100.9] by mx (Smail3.1.30.16 #30.56) with esmtp", "198.51.100.9"},
};

// Ordinary names, then words built to plant a local or whitelisted address,
// to unbalance the parentheses or to look like the server's own text.
const char* const kHelos[] = {
    "mail.example.com", "a(x[::1])", "a(x[127.0.0.1])", "[127.0.0.1]", "[IPv6:::1]", "[::ffff:127.0.0.1]",
    "(x[fe80::1%x])", "x([127.0.0.1])", "(unknown[127.0.0.1])", "a)(b[::1])", "a[1](x[::1])", "(x)", "x)",
    "(x[::1]", "[10.0.0.1]]", "a(b)[127.0.0.1]", "helo=[127.0.0.1]", "HELO", "from", "by", "[::1])by",
    "(mail.yahoo.co.jp[203.0.113.7])",
};

TEST(DefaultReceivedPatterns, ReadTheServersAddressWhateverTheHeloHolds) {
  UseDefaultLists();
  for (const Shape& shape : kShapes) {
    for (const char* helo : kHelos) {
      std::string line = shape.line;
      line.replace(line.find("{H}"), 3, helo);
      EXPECT_EQ(ParseReceived(line).ip, shape.address) << shape.server << ": " << line;
    }
  }
}

// Whole messages: the forged line below the real relay's names a
// whitelisted provider; the real relay matches S25R rule 1.
TEST(DefaultReceivedPatterns, AForgedLineBelowAPlantedLoopbackDecidesNothing) {
  UseDefaultLists();
  const char* const plants[] = {"a(x[::1])", "a(x[127.0.0.1])", "[IPv6:::1]", "[::ffff:127.0.0.1]",
                                "(x[fe80::1%x])"};
  for (const char* plant : plants) {
    const std::string header = std::string("Received: from ") + plant +
                               " (p1234-ipad56.example.ne.jp [198.51.100.9])\r\n"
                               "\tby mx.example (Postfix) with ESMTP id 1\r\n"
                               "Received: from mail.yahoo.co.jp (mail.yahoo.co.jp [203.0.113.7])\r\n"
                               "\tby relay.yahoo.co.jp\r\n"
                               "Subject: x\r\n";
    LiveSettings form;
    EXPECT_TRUE(CheckMessage(form, header)) << plant;
    EXPECT_EQ(form.LastVerdict, RuleVerdict(0)) << plant;
  }
}

}  // namespace
}  // namespace quorn
