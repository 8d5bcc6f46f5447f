#include "settings/default_lines.h"

#include "engine/networks.h"
#include "settings/list_bindings.h"

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

// The address group of the Received: patterns: a dotted quad, or IPv6 text
// (the parser decides whether it is an address). An "IPv6:" tag before it is
// passed over, but only before IPv6 text, so "[IPv6:1.2.3.4]" stays unread
// as it always was.
//
// Every pattern starts at the line's "from" and reads the address that the
// receiving server wrote, never one inside the sender's HELO argument: that
// argument is one word without blanks, chosen by the sender, and a pattern
// that took the first bracketed address of a line could be sent to
// "[127.0.0.1]" or "[::1]" in it and judge a forged line below instead.
// Each pattern therefore counts words: the HELO word is passed over whole
// (or, where the server writes it in parentheses, as one word ending in
// ")"), and whatever it holds cannot make a line of the shape unreadable
// either. Postfix's parentheses must not begin with "HELO "/"helo=", which
// is how Exim 4 and CommuniGate write the HELO argument after the address.
const TextLines& DefaultRecvRegexLines() {
  static const TextLines lines = {
      "# ここにはReceived:行にマッチする正規表現を記述します。",
      "# ここに記述する正規表現には二つのグループを記述する必要があり",
      "# ます。最初のグループはホスト名に、２番目のグループはIPアドレ",
      "# スにマッチするよう記述してください。",
      "",
      "# Exim 3",
      R"(^Received:[ \t]*from[ \t]+([^\s\[\]()]*)[ \t]*\((?:HELO |EHLO )?\S*\)[ \t]+\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\])",
      "# Postfix",
      R"(^Received:[ \t]*from[ \t]+(?:\S+[ \t]+|\S*(?=\([^()]*\)[ \t]+by[ \t]))\((?!HELO |EHLO |helo=)([^\[()]*)\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\][^\)]*\))",
      "# qmail",
      R"(^Received:[ \t]*from[ \t]+(\S*)[ \t]+\(HELO[ \t]+\S*\)[ \t]+\((?:[^\s()]*@)?\[?(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\]?\))",
      "# Post.Office",
      R"(^Received:[ \t]*from[ \t]+(?:(\S+)[ \t]+|\S+[ \t]+from[ \t]+)?\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\])",
  };
  return lines;
}

namespace {

// The built-in lists of earlier versions, which read IPv4 relays only.
const TextLines& RetiredSkipLines() {
  static const TextLines lines = {"127.0.0.0/8", "10.0.0.0/8", "172.16.0.0/12", "192.168.0.0/16"};
  return lines;
}

const TextLines& RetiredRecvRegexLines() {
  static const TextLines lines = {
      "# ここにはReceived:行にマッチする正規表現を記述します。",
      "# ここに記述する正規表現には二つのグループを記述する必要があり",
      "# ます。最初のグループはホスト名に、２番目のグループはIPアドレ",
      "# スにマッチするよう記述してください。",
      "",
      "# Postfix",
      R"(\(([^\[]*)\[((?:\d{1,3}\.){3}\d{1,3})\][^\)]*\))",
      "# qmail",
      R"(from ([^ ]*) \(HELO [^\)]*\) \(((?:\d{1,3}\.){3}\d{1,3})\))",
      "# Post.Office",
      R"(^Received: from ([^\[]*)\[((?:\d{1,3}\.){3}\d{1,3})\][^\)]*)",
  };
  return lines;
}

}  // namespace

TextLines ReplaceRetiredDefault(const std::string& section, TextLines lines) {
  if (section == "Skip" && lines == RetiredSkipLines()) return DefaultSkipLines();
  if (section == "RecvRegex" && IsRetiredRecvRegex(lines)) return DefaultRecvRegexLines();
  return lines;
}

bool IsRetiredRecvRegex(const TextLines& lines) { return lines == RetiredRecvRegexLines(); }

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
