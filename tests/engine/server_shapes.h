// Received: lines of the server shapes the built-in patterns read, with
// the places where a sender's texts stand, and the relay each server wrote.
// Shared by the engine's tests and the steering fuzz target.
#pragma once

#include <string>

#include "engine/general.h"
#include "engine/received.h"

namespace quorn {

// How a server writes the sender's texts into its line.
enum class SenderTexts {
  Verbatim,
  QmailSafe,  // qmail writes "?" for a blank, a parenthesis or a line break
};

struct Shape {
  const char* server;
  // "{H}" stands for the HELO argument, "{U}" for the ident user name, "{R}"
  // for an address the sender chose (a recipient, an envelope sender).
  const char* line;
  const char* address;
  const char* host;  // the name the server wrote, "" where it wrote none or the sender may have
  VerdictCode code;
  SenderTexts texts = SenderTexts::Verbatim;
};

inline const Shape kShapes[] = {
    {"Postfix", "Received: from {H} (p1234.dyn.example.net [198.51.100.9]) by mx (Postfix) with ESMTP id 1A2B3"
     " for <{R}>; Thu, 10 Dec 2026 10:00:00 +0900 (JST)",
     "198.51.100.9", "p1234.dyn.example.net", Normal},
    {"Postfix, no name", "Received: from {H} (unknown [198.51.100.9]) by mx (Postfix) with ESMTP id 1 for <{R}>; Thu",
     "198.51.100.9", "", ReceivedUnknown},
    {"Postfix, port", "Received: from {H} (unknown [198.51.100.9]:4711) by mx (Postfix) with ESMTP id 1",
     "198.51.100.9", "", ReceivedUnknown},
    {"Postfix, IPv6", "Received: from {H} (p.example.net [IPv6:2001:db8::9]) by mx (Postfix)", "2001:db8::9",
     "p.example.net", Normal},
    {"Postfix, TLS", "Received: from {H} (p.example.net [198.51.100.9]) (using TLSv1.2 with cipher X (256/256 bits))"
     " (No client certificate requested) by mx (Postfix) with ESMTPS id 1 for <u@example.jp>; Thu",
     "198.51.100.9", "p.example.net", Normal},
    {"Sendmail", "Received: from {H} (p.example.net [198.51.100.9] (may be    forged)) by mx (8.12.8/8.12.8)"
     " with ESMTP id h1A2B3 for <{R}>; Thu",
     "198.51.100.9", "p.example.net", Normal},
    {"Sendmail, ident", "Received: from {H} ({U}@p.example.net [198.51.100.9]) by mx (8.11.6/8.11.6) with ESMTP",
     "198.51.100.9", "p.example.net", Normal},
    {"Sendmail, ident without name", "Received: from {H} ({U}@[198.51.100.9]) by mx (8.11.6/8.11.6) with SMTP id g6J for <{R}>; Fri",
     "198.51.100.9", "", Normal},
    {"SMTPSVC", "Received: from {H} ([198.51.100.9]) by mx with Microsoft SMTPSVC(6.0.3790.3959);",
     "198.51.100.9", "", Normal},
    {"SMTPSVC, no blank", "Received: from {H}([198.51.100.9] RDNS failed) by mx with Microsoft SMTPSVC(5.0);",
     "198.51.100.9", "", Normal},
    {"Exchange", "Received: from {H} (198.51.100.9) by EX1.example.jp (10.1.1.5) with Microsoft SMTP Server id 14;",
     "198.51.100.9", "", Normal},
    {"Post.Office", "Received: from {H} ([198.51.100.9]) by mx (Post.Office MTA v3.5.3) with SMTP id 1 for <{R}>; Thu",
     "198.51.100.9", "", Normal},
    {"Courier", "Received: from {H} (p.example.net [::ffff:198.51.100.9]) by mx with ESMTP;",
     "::ffff:198.51.100.9", "p.example.net", Normal},
    {"Sun Java", "Received: from {H} ([unknown] [198.51.100.9]) by mx (Sun Java(tm) System Messaging Server 7u2)",
     "198.51.100.9", "", ReceivedUnknown},
    {"Exim 4", "Received: from p.example.net ([198.51.100.9] helo={H}) by mx with esmtp (Exim 4.69)"
     " (envelope-from <{R}>) id 1O0nL7-0005Vr-00 for u@example.jp; Thu",
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
     "198.51.100.9", "p.example.net", Normal, SenderTexts::QmailSafe},
    {"qmail, ident", "Received: from unknown (HELO {H}) ({U}@198.51.100.9) by mx with SMTP; 10 Dec 2026",
     "198.51.100.9", "", ReceivedUnknown, SenderTexts::QmailSafe},
    {"qmail-ldap", "Received: from unknown (HELO {H}) ({U}@[198.51.100.9]) (envelope-sender <{R}>) by mx"
     " (qmail-ldap-1.03) with SMTP for <u@example.jp>; 10 Dec 2026",
     "198.51.100.9", "", ReceivedUnknown, SenderTexts::QmailSafe},
    {"CommuniGate", "Received: from [198.51.100.9] (HELO {H}) by mx (CommuniGate Pro SMTP 3.5.7) with ESMTP",
     "198.51.100.9", "", Normal},
    {"CommuniGate, account", "Received: from [198.51.100.9] (account u@example.jp HELO {H}) by mx (CommuniGate Pro)",
     "198.51.100.9", "", Normal},
    {"Postfix, authenticated", "Received: from {H} (p.example.net [198.51.100.9]) (Authenticated sender: {U})"
     " by mx (Postfix) with ESMTPA id 1", "198.51.100.9", "p.example.net", Normal},
    {"Eudora", "Received: from {H} (198.51.100.9) by mx with ESMTP (Eudora Internet Mail Server 3.1.3);",
     "198.51.100.9", "", Normal},
    {"XMail", "Received: from {H} (198.51.100.9:23198) by mx with [XMail 1.20 ESMTP Server] id <S72E>",
     "198.51.100.9", "", Normal},
    {"AltaVista Mail", "Received: from p.example.net [198.51.100.9] (HELO {H}) by mx (AltaVista Mail V2.0J) id 1",
     "198.51.100.9", "p.example.net", Normal},
    {"fetchmail", "Received: from pop.example.net [198.51.100.9] by localhost with POP3 (fetchmail-6.2.4)"
     " for <u@localhost> (single-drop); Thu", "198.51.100.9", "pop.example.net", Normal},
    {"Lotus Domino", "Received: from {H} ([198.51.100.9]) by mx (Lotus Domino Release 8.5.3FP6) with ESMTP id 1;"
     " Thu", "198.51.100.9", "", Normal},
    {"MDaemon", "Received: from {H} ([198.51.100.9]) by mx (MDaemon PRO v11.0.3) with ESMTP id md5.msg"
     " for <{R}>; Thu", "198.51.100.9", "", Normal},
    {"CommuniGate, verified", "Received: from p.example.net ([198.51.100.9] verified) by mx (CommuniGate Pro SMTP"
     " 5.1.13) with ESMTP id 1 for <{R}>; Fri", "198.51.100.9", "", Normal},
    {"Exchange, Microsoft 365", "Received: from {H} (2603:10a6:10:4e::9) by DB8PR01MB5995.eurprd01.prod.exchangelabs"
     ".com (2603:10a6:10:4e::2) with Microsoft SMTP Server (version=TLS1_2) id 15.20.1; Thu",
     "2603:10a6:10:4e::9", "", Normal},
    {"Yahoo!", "Received: from 127.0.0.1 (EHLO {H}) (198.51.100.9) by mta1.mail.example.yahoo.com with SMTPS; Thu",
     "198.51.100.9", "127.0.0.1", Normal, SenderTexts::QmailSafe},
    {"NetMail", "Received: from {H} {U}@smtp.example.com [198.51.100.9] by smtp.example.com with NetMail SMTP Agent",
     "198.51.100.9", "", Normal},
    {"IMail", "Received: from {H} [198.51.100.9] by mx (SMTPD32-6.04) id 1", "198.51.100.9", "", Normal},
    {"Smail", "Received: from {H} from [198.51.100.9] by mx (Smail3.1.30.16 #30.56) with esmtp", "198.51.100.9", "",
     Normal},
};

// The shape's line with the sender's texts in their places, as the server
// writes them; what they hold is never read as a place itself.
inline std::string Fill(const Shape& shape, const std::string& helo, const std::string& user,
                        const std::string& chosen) {
  std::string line;
  for (const char* at = shape.line; *at;) {
    const std::string* text = nullptr;
    if (at[0] == '{' && at[1] && at[2] == '}') {
      text = at[1] == 'H' ? &helo : at[1] == 'U' ? &user : at[1] == 'R' ? &chosen : nullptr;
    }
    if (!text) {
      line += *at++;
      continue;
    }
    for (char c : *text) {
      const bool unsafe = c == ' ' || c == '\t' || c == '(' || c == ')' || c == '\r' || c == '\n';
      line += shape.texts == SenderTexts::QmailSafe && unsafe ? '?' : c;
    }
    at += 3;
  }
  return line;
}

// Whether the line gives the relay the server wrote, or none at all
// (unreadable): what the patterns may make of whatever a sender wrote. A
// relay read without its name is looked up, which gives the name the
// server found; only an "unknown" must stay what it is.
inline bool ReadsTheServersRelay(const Shape& shape, const LineRelay& relay) {
  if (relay.reading == RelayReading::Unreadable) return true;
  if (relay.hop.ip != shape.address || relay.hop.code != shape.code) return false;
  return relay.hop.host == shape.host || (relay.hop.host.empty() && shape.code == Normal);
}

}  // namespace quorn
