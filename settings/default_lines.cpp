#include "settings/default_lines.h"

#include "engine/networks.h"
#include "settings/list_bindings.h"
#include "settings/retired_default_lines.h"

namespace quorn {

const TextLines& DefaultSkipLines() {
  static const TextLines lines = {"127.0.0.0/8", "10.0.0.0/8", "172.16.0.0/12", "192.168.0.0/16",
                                  "::1/128",     "fe80::/10",  "fc00::/7"};
  return lines;
}

// Relays of large Japanese web-mail and mobile-mail providers.
const TextLines& DefaultWhiteLines() {
  static const TextLines lines = {".yahoo.co.jp", ".docomo.ne.jp", ".ezweb.ne.jp"};
  return lines;
}

const TextLines& DefaultBlackLines() {
  static const TextLines lines;
  return lines;
}

const TextLines& DefaultRulesLines() {
  static const TextLines lines = {
      "# ここにはS25Rのルールを表す正規表現を記述します。",
      "",
      R"(^[^\.]*\d[^\d\.]+\d)",
      R"(^[^\.]*\d{5})",
      R"(^([^\.]+\.)?\d[^\.]*\.[^\.]+\..+\.[a-z])",
      R"(^[^\.]*\d\.[^\.]*\d-\d)",
      R"(^[^\.]*\d\.[^\.]*\d\.[^\.]+\..+\.)",
      R"(^(?:dhcp|dialup|ppp|adsl)[^\.]*\d)",
  };
  return lines;
}

// The built-in Received: patterns, one server shape or a family of shapes
// each. The engine searches every entry for all its matches and calls a
// line naming more than one relay unreadable (engine/received.h), so each
// entry only has to find the part that the receiving server wrote; a
// sender who copies that part into his HELO argument, ident user name or
// recipient makes his own line unreadable. No entry spans a sender's text:
// each match ends at its address, so it cannot take in the server's words.
//
// The address group takes a dotted quad or IPv6 text (the parser decides
// whether it is an address); an "IPv6:" tag is passed over before IPv6 text
// only, so "[IPv6:1.2.3.4]" stays unread. A name is read only where the
// server determined it: inside the server's comment after the last "@"
// (the text before it is the ident user name), or as the line's first word
// for qmail, qpsmtpd, Exim 3, GMX, fetchmail and AltaVista Mail, and then
// only when the words right after the address are that server's own
// by-part. Where the first word may be the HELO argument (Microsoft SMTPSVC
// and Exchange, Sendmail without a name, IMail, Exim 4, whose
// "from NAME ([address])" reads as theirs), the name group is empty and the
// relay is looked up. qmail writes "?" for a blank or a parenthesis of the
// sender's, so its HELO and ident are one word each.
const TextLines& DefaultRecvRegexLines() {
  static const TextLines lines = {
      "# ここにはReceived:行にマッチする正規表現を記述します。",
      "# ここに記述する正規表現には二つのグループを記述する必要があり",
      "# ます。最初のグループはホスト名に、２番目のグループはIPアドレ",
      "# スにマッチするよう記述してください。",
      "",
      "# qmail",
      R"(^Received:\s*from\s+([^\s\[\]()]+)\s+\((?:HELO|EHLO|LHLO)\s+[^\s()]*\)\s+\((?:[^\s()@]*@)*\[?(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\]?\)(?=(?:\s+\([^()]*\))*\s+by\s+\S+\s+(?:\((?:qmail[^()]*|qp\s+\d+|qpsmtpd/[\d.]+)\)\s+)?with\s+(?:\([^()]*\)\s+|\S+\s+encrypted\s+)?(?:E?SMTPS?A?|LMTP)(?:/\S+)?(?:\s+for\s+<[^<>]*>)?\s*;))",
      "# qmail, without HELO",
      R"(^Received:\s*from\s+([^\s\[\]()]+)\s+\((?:[^\s()@\[\]]*@)*(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\)(?=(?:\s+\([^()]*\))*\s+by\s+\S+\s+(?:\((?:qmail[^()]*|qp\s+\d+|qpsmtpd/[\d.]+)\)\s+)?with\s+(?:\([^()]*\)\s+|\S+\s+encrypted\s+)?(?:E?SMTPS?A?|LMTP)(?:/\S+)?(?:\s+for\s+<[^<>]*>)?\s*;))",
      "# Exim 3, GMX",
      R"(^Received:\s*from\s+(?:([^\s\[\]()]+)\s*)?\([^()]*\)\s*\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\](?=\s+by\s+\S+\s+(?:with\s+e?smtp\s+\(Exim\s+[23]\.|\(mp\d+\)\s+with\s+SMTP;)))",
      "# fetchmail",
      R"(^Received:\s*from\s+(\S+)\s+\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\]\s+by\s+\S+\s+with\s+\S+\s+\(fetchmail(?!.*[\s)]by\s))",
      "# AltaVista Mail",
      R"(^Received:\s*from\s+(\S+)\s+\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\]\s+\((?:HELO|EHLO)\s)",
      "# Postfix, Sendmail, Courier, Sun Java",
      R"(\((?!(?:HELO|EHLO|LHLO)\s)(?:[^\s()@\[\]]*@)*(?:\[(?=\D))?((?:(?!HELO\s|EHLO\s)[^\[\]()@=])*)\]?\s*\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\](?=(?::\d+)?(?:\s+\(may\s+be\s+forged\))?\)))",
      "# SMTPSVC, Post.Office, CommuniGate, Exim 4, Sendmail",
      R"(\((?:[^\s()@\[\]]*@)*()\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\])",
      "# CommuniGate, account",
      R"(\(account\s+\S*\s*()\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\])",
      "# Exchange, qmail",
      R"(\(()(?:[^\s()@\[\]]*@)*\[?(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\]?(?::\d+)?\))",
      "# Exim 4, ecelerity, CommuniGate",
      R"(^Received:\s*from\s+()\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\](?=(?::\d+)?\s*\((?:port=\d+\s+)?(?:helo=|HELO\s|EHLO\s|account\s)|\s*\(\[[^\[\]()]*(?::\d+\]|localhost\]\))|\s*\(using\s|(?::\d+)?\s+(?:by|with)\s))",
      "# IMail, MDaemon, Smail",
      R"(\s()\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\](?=\s+by\s))",
      "# Sendmail, ident",
      R"(@([^\s()\[\]@=]*)\s*\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\])",
      "# qmail, ident",
      R"(@()(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\))",
  };
  return lines;
}

TextLines ReplaceRetiredDefault(const std::string& section, TextLines lines) {
  if (section == "Skip" && lines == RetiredSkipLines()) return DefaultSkipLines();
  if (section == "RecvRegex" && IsRetiredRecvRegex(lines)) return DefaultRecvRegexLines();
  return lines;
}

namespace {

const RetiredRecvRegex* FindRetiredRecvRegex(const TextLines& lines) {
  for (const RetiredRecvRegex& retired : RetiredRecvRegexLists()) {
    if (lines == retired.lines) return &retired;
  }
  return nullptr;
}

}  // namespace

bool IsRetiredRecvRegex(const TextLines& lines) { return FindRetiredRecvRegex(lines) != nullptr; }

bool RetiredRecvRegexMayLeaveLocalIPv6Unskipped(const TextLines& lines) {
  const RetiredRecvRegex* retired = FindRetiredRecvRegex(lines);
  return retired && retired->skipMayLackLocalIPv6;
}

void AddLocalIPv6Networks(TextLines& skip) {
  for (const std::string& line : skip) {
    const ipmask network = ParseNetwork(line);
    if (network.ipv6 && network.address != 0) return;
  }
  for (const char* network : {"::1/128", "fe80::/10", "fc00::/7"}) skip.emplace_back(network);
}

void UseDefaultLists() {
  for (const ListBinding& binding : ListBindings()) binding.list.Replace(binding.defaultLines());
  BuildSkipNetworks();
}

}  // namespace quorn
