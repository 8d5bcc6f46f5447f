#include "settings/default_lines.h"

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
const TextLines& DefaultRecvRegexLines() {
  static const TextLines lines = {
      "# ここにはReceived:行にマッチする正規表現を記述します。",
      "# ここに記述する正規表現には二つのグループを記述する必要があり",
      "# ます。最初のグループはホスト名に、２番目のグループはIPアドレ",
      "# スにマッチするよう記述してください。",
      "",
      "# Postfix",
      R"(\(([^\[]*)\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\][^\)]*\))",
      "# qmail",
      R"(from ([^ ]*) \(HELO [^\)]*\) \(((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\))",
      "# Post.Office",
      R"(^Received: from ([^\[]*)\[(?:IPv6:(?=[\dA-Fa-f]{0,4}:))?((?:\d{1,3}\.){3}\d{1,3}|[\dA-Fa-f]{0,4}(?::[\dA-Fa-f]{0,4}){2,7}(?:(?:\.\d{1,3}){3})?(?:%\w+)?)\][^\)]*)",
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
  if (section == "RecvRegex" && lines == RetiredRecvRegexLines()) return DefaultRecvRegexLines();
  return lines;
}

void UseDefaultLists() {
  Skip.Replace(DefaultSkipLines());
  White.Replace(DefaultWhiteLines());
  Black.Replace(DefaultBlackLines());
  Rules.Replace(DefaultRulesLines());
  RecvRegex.Replace(DefaultRecvRegexLines());
  BuildSkipNetworks();
}

}  // namespace quorn
