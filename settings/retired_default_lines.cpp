#include "settings/retired_default_lines.h"

namespace quorn {

const TextLines& RetiredSkipLines() {
  static const TextLines lines = {"127.0.0.0/8", "10.0.0.0/8", "172.16.0.0/12", "192.168.0.0/16"};
  return lines;
}

const std::vector<RetiredRecvRegex>& RetiredRecvRegexLists() {
  static const std::vector<RetiredRecvRegex> lists = {
      // The first list: IPv4 relays only, the first bracketed address.
      {{
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
       },
       true},
      // IPv6 relays as well.
      {{
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
       },
       true},
      // Anchored at "from", the HELO argument taken as one word.
      {{
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
       },
       false},
  };
  return lists;
}

}  // namespace quorn
