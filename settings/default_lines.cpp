#include "settings/default_lines.h"

namespace quorn {

const TextLines& DefaultSkipLines() {
  static const TextLines lines = {"127.0.0.0/8", "10.0.0.0/8", "172.16.0.0/12", "192.168.0.0/16"};
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

const TextLines& DefaultRecvRegexLines() {
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

void UseDefaultLists() {
  Skip.Replace(DefaultSkipLines());
  White.Replace(DefaultWhiteLines());
  Black.Replace(DefaultBlackLines());
  Rules.Replace(DefaultRulesLines());
  RecvRegex.Replace(DefaultRecvRegexLines());
  BuildSkipNetworks();
}

}  // namespace quorn
