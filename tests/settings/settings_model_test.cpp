// The settings model against real files, through the platform's profile
// implementation: our own reader and writer natively, the system's profile
// functions under Wine.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/lists.h"
#include "engine/text_error.h"
#include "settings/retired_default_lines.h"
#include "settings/settings_model.h"
#include "tests/settings/settings_fixture.h"
#include "texts/catalog.h"

namespace quorn {
namespace {

// The file a first start writes, as the platform writes it: CR LF line ends,
// no blank lines.
const char kDefaultFile[] =
    "[FormMain]\r\n"
    "Top=115\r\n"
    "Left=192\r\n"
    "Paralysis=0\r\n"
    "DropTrash=1\r\n"
    "ReverseLookup=1\r\n"
    "AcceptReceivedHost=1\r\n"
    "Folder=\r\n"
    "TimeOut=3000\r\n"
    "[Skip]\r\n"
    "Count=7\r\n"
    "Item0=127.0.0.0/8\r\n"
    "Item1=10.0.0.0/8\r\n"
    "Item2=172.16.0.0/12\r\n"
    "Item3=192.168.0.0/16\r\n"
    "Item4=::1/128\r\n"
    "Item5=fe80::/10\r\n"
    "Item6=fc00::/7\r\n"
    "[White]\r\n"
    "Count=3\r\n"
    "Item0=.yahoo.co.jp\r\n"
    "Item1=.docomo.ne.jp\r\n"
    "Item2=.ezweb.ne.jp\r\n"
    "[Black]\r\n"
    "Count=0\r\n"
    "[Rules]\r\n"
    "Count=8\r\n"
    "Item0=# ここにはS25Rのルールを表す正規表現を記述します。\r\n"
    "Item1=\r\n"
    "Item2=^[^\\.]*\\d[^\\d\\.]+\\d\r\n"
    "Item3=^[^\\.]*\\d{5}\r\n"
    "Item4=^([^\\.]+\\.)?\\d[^\\.]*\\.[^\\.]+\\..+\\.[a-z]\r\n"
    "Item5=^[^\\.]*\\d\\.[^\\.]*\\d-\\d\r\n"
    "Item6=^[^\\.]*\\d\\.[^\\.]*\\d\\.[^\\.]+\\..+\\.\r\n"
    "Item7=^(?:dhcp|dialup|ppp|adsl)[^\\.]*\\d\r\n"
    "[RecvRegex]\r\n"
    "Count=31\r\n"
    "Item0=# ここにはReceived:行にマッチする正規表現を記述します。\r\n"
    "Item1=# ここに記述する正規表現には二つのグループを記述する必要があり\r\n"
    "Item2=# ます。最初のグループはホスト名に、２番目のグループはIPアドレ\r\n"
    "Item3=# スにマッチするよう記述してください。\r\n"
    "Item4=\r\n"
    "Item5=# qmail\r\n"
    "Item6=^Received:\\s*from\\s+([^\\s\\[\\]()]+)\\s+\\((?:HELO|EHLO|LHLO)\\s+[^\\s()]*\\)\\s+\\((?:[^\\s()@]*@)*\\[?(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\]?\\)(?=(?:\\s+\\([^()]*\\))*\\s+by\\s+\\S+\\s+(?:\\((?:qmail[^()]*|qp\\s+\\d+|qpsmtpd/[\\d.]+)\\)\\s+)?with\\s+(?:\\([^()]*\\)\\s+|\\S+\\s+encrypted\\s+)?(?:E?SMTPS?A?|LMTP)(?:/\\S+)?(?:\\s+for\\s+<[^<>]*>)?\\s*;)\r\n"
    "Item7=# qmail, without HELO\r\n"
    "Item8=^Received:\\s*from\\s+([^\\s\\[\\]()]+)\\s+\\((?:[^\\s()@\\[\\]]*@)*(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\)(?=(?:\\s+\\([^()]*\\))*\\s+by\\s+\\S+\\s+(?:\\((?:qmail[^()]*|qp\\s+\\d+|qpsmtpd/[\\d.]+)\\)\\s+)?with\\s+(?:\\([^()]*\\)\\s+|\\S+\\s+encrypted\\s+)?(?:E?SMTPS?A?|LMTP)(?:/\\S+)?(?:\\s+for\\s+<[^<>]*>)?\\s*;)\r\n"
    "Item9=# Exim 3, GMX\r\n"
    "Item10=^Received:\\s*from\\s+(?:([^\\s\\[\\]()]+)\\s*)?\\([^()]*\\)\\s*\\[(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\](?=\\s+by\\s+\\S+\\s+(?:with\\s+e?smtp\\s+\\(Exim\\s+[23]\\.|\\(mp\\d+\\)\\s+with\\s+SMTP;))\r\n"
    "Item11=# fetchmail\r\n"
    "Item12=^Received:\\s*from\\s+(\\S+)\\s+\\[(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\]\\s+by\\s+\\S+\\s+with\\s+\\S+\\s+\\(fetchmail(?!.*[\\s)]by\\s)\r\n"
    "Item13=# AltaVista Mail\r\n"
    "Item14=^Received:\\s*from\\s+(\\S+)\\s+\\[(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\]\\s+\\((?:HELO|EHLO)\\s\r\n"
    "Item15=# Postfix, Sendmail, Courier, Sun Java\r\n"
    "Item16=\\((?!(?:HELO|EHLO|LHLO)\\s)(?:[^\\s()@\\[\\]]*@)*(?:\\[(?=\\D))?((?:(?!HELO\\s|EHLO\\s)[^\\[\\]()@=])*)\\]?\\s*\\[(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\](?=(?::\\d+)?(?:\\s+\\(may\\s+be\\s+forged\\))?\\))\r\n"
    "Item17=# SMTPSVC, Post.Office, CommuniGate, Exim 4, Sendmail\r\n"
    "Item18=\\((?:[^\\s()@\\[\\]]*@)*()\\[(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\]\r\n"
    "Item19=# CommuniGate, account\r\n"
    "Item20=\\(account\\s+\\S*\\s*()\\[(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\]\r\n"
    "Item21=# Exchange, qmail\r\n"
    "Item22=\\(()(?:[^\\s()@\\[\\]]*@)*\\[?(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\]?(?::\\d+)?\\)\r\n"
    "Item23=# Exim 4, ecelerity, CommuniGate\r\n"
    "Item24=^Received:\\s*from\\s+()\\[(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\](?=(?::\\d+)?\\s*\\((?:port=\\d+\\s+)?(?:helo=|HELO\\s|EHLO\\s|account\\s)|\\s*\\(\\[[^\\[\\]()]*(?::\\d+\\]|localhost\\]\\))|\\s*\\(using\\s|(?::\\d+)?\\s+(?:by|with)\\s)\r\n"
    "Item25=# IMail, MDaemon, Smail\r\n"
    "Item26=\\s()\\[(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\](?=\\s+by\\s)\r\n"
    "Item27=# Sendmail, ident\r\n"
    "Item28=@([^\\s()\\[\\]@=]*)\\s*\\[(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\]\r\n"
    "Item29=# qmail, ident\r\n"
    "Item30=@()(?:IPv6:(?=[\\dA-Fa-f]{0,4}:))?((?:\\d{1,3}\\.){3}\\d{1,3}|[\\dA-Fa-f]{0,4}(?::[\\dA-Fa-f]{0,4}){2,7}(?:(?:\\.\\d{1,3}){3})?(?:%\\w+)?)\\)\r\n";

class SettingsModelTest : public SettingsFileTest {
 protected:
  std::string Load(const std::string& bytes) {
    std::string path = PathOf("Quorn.ini");
    WriteBytes(path, bytes);
    model.LoadSettings(path);
    return path;
  }
  SettingsModel model;
};

TEST_F(SettingsModelTest, FirstStartWritesTheDefaultsAndReadsThemBack) {
  const std::string path = PathOf("Quorn.ini");
  model.WriteDefaultSettings(path);
  EXPECT_EQ(ReadBytes(path), kDefaultFile);

  Skip.Replace({});
  Rules.Replace({});
  model.LoadSettings(path);
  EXPECT_EQ(model.IniPath, path);
  EXPECT_EQ(Skip.Current()->Lines(), DefaultSkipLines());
  EXPECT_EQ(White.Current()->Lines(), DefaultWhiteLines());
  EXPECT_EQ(Black.Current()->Lines(), DefaultBlackLines());
  EXPECT_EQ(Rules.Current()->Lines(), DefaultRulesLines());
  EXPECT_EQ(RecvRegex.Current()->Lines(), DefaultRecvRegexLines());
  EXPECT_EQ(SkipNetworks.Current()->size(), 7u);
  EXPECT_EQ(model.WindowTop(), 115);
  EXPECT_EQ(model.WindowLeft(), 192);
  EXPECT_EQ(model.TimeOut, 3000);
  EXPECT_TRUE(model.DropTrash);
}

TEST_F(SettingsModelTest, SavingWritesTheLiveSettingsInPlace) {
  const std::string path = Load(kDefaultFile);
  model.Paralysis = true;
  model.Folder = "MailBox\\Spam\\";
  model.TimeOut = -12;
  model.MoveWindow(-5, 2000);
  Black.Replace({"198.51.100.0/24"});
  model.SaveSettings(path);

  std::string expected = kDefaultFile;
  auto replace = [&](const std::string& from, const std::string& to) {
    expected.replace(expected.find(from), from.size(), to);
  };
  replace("Top=115", "Top=-5");
  replace("Left=192", "Left=2000");
  replace("Paralysis=0", "Paralysis=1");
  replace("Folder=\r\n", "Folder=MailBox\\Spam\\\r\n");
  replace("TimeOut=3000", "TimeOut=-12");
  replace("[Black]\r\nCount=0\r\n", "[Black]\r\nCount=1\r\nItem0=198.51.100.0/24\r\n");
  EXPECT_EQ(ReadBytes(path), expected);

  SettingsModel again;
  again.LoadSettings(path);
  EXPECT_TRUE(again.Paralysis);
  EXPECT_EQ(again.Folder, "MailBox\\Spam\\");
  EXPECT_EQ(again.TimeOut, -12);
  EXPECT_EQ(again.WindowTop(), -5);
}

// A file written by an earlier version holds the built-in Skip and RecvRegex
// lists of that version, which read no IPv6 relay. Lists still byte for byte
// those are taken as today's; a list its user changed in any way is kept.
// When RecvRegex becomes today's (IPv6-reading) list beside an edited Skip
// list without IPv6 networks, the local IPv6 networks join that Skip list,
// or a local hop such as "[IPv6:::1]" would become the judged relay.
TEST_F(SettingsModelTest, EarlierBuiltInListsBecomeTodaysAndEditedOnesStay) {
  const std::string earlierSkip =
      "[Skip]\r\nCount=4\r\nItem0=127.0.0.0/8\r\nItem1=10.0.0.0/8\r\nItem2=172.16.0.0/12\r\n"
      "Item3=192.168.0.0/16\r\n";
  const std::string editedSkip =
      "[Skip]\r\nCount=5\r\nItem0=127.0.0.0/8\r\nItem1=10.0.0.0/8\r\nItem2=172.16.0.0/12\r\n"
      "Item3=192.168.0.0/16\r\nItem4=203.0.113.0/24\r\n";
  const std::string earlierPatterns =
      "[RecvRegex]\r\nCount=11\r\n"
      "Item0=# ここにはReceived:行にマッチする正規表現を記述します。\r\n"
      "Item1=# ここに記述する正規表現には二つのグループを記述する必要があり\r\n"
      "Item2=# ます。最初のグループはホスト名に、２番目のグループはIPアドレ\r\n"
      "Item3=# スにマッチするよう記述してください。\r\n"
      "Item4=\r\n"
      "Item5=# Postfix\r\n"
      "Item6=\\(([^\\[]*)\\[((?:\\d{1,3}\\.){3}\\d{1,3})\\][^\\)]*\\)\r\n"
      "Item7=# qmail\r\n"
      "Item8=from ([^ ]*) \\(HELO [^\\)]*\\) \\(((?:\\d{1,3}\\.){3}\\d{1,3})\\)\r\n"
      "Item9=# Post.Office\r\n"
      "Item10=^Received: from ([^\\[]*)\\[((?:\\d{1,3}\\.){3}\\d{1,3})\\][^\\)]*\r\n";
  std::string editedPatterns = earlierPatterns;
  editedPatterns.replace(editedPatterns.find("# qmail"), 7, "# QMAIL");

  const TextLines userSkip = {"127.0.0.0/8", "10.0.0.0/8", "172.16.0.0/12", "192.168.0.0/16", "203.0.113.0/24"};
  TextLines userSkipWithIPv6 = userSkip;
  userSkipWithIPv6.insert(userSkipWithIPv6.end(), {"::1/128", "fe80::/10", "fc00::/7"});
  struct Case {
    const char* what;
    std::string skipSection, recvRegexSection;
    TextLines skip;
    bool todaysPatterns;
  };
  // The lists shipped since, as their versions wrote them.
  auto sectionOf = [](const TextLines& lines) {
    std::string section = "[RecvRegex]\r\nCount=" + std::to_string(lines.size()) + "\r\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
      section += "Item" + std::to_string(i) + "=" + lines[i] + "\r\n";
    }
    return section;
  };
  const std::string ipv6Patterns = sectionOf(RetiredRecvRegexLists()[1].lines);
  const std::string oneWordHeloPatterns = sectionOf(RetiredRecvRegexLists()[2].lines);
  const Case cases[] = {
      {"both untouched", earlierSkip, earlierPatterns, DefaultSkipLines(), true},
      {"the IPv6 patterns untouched", earlierSkip, ipv6Patterns, DefaultSkipLines(), true},
      {"the IPv6 patterns beside an edited Skip", editedSkip, ipv6Patterns, userSkipWithIPv6, true},
      // Shipped with the upgrade that gave edited Skip lists the local IPv6
      // networks: one without them now was made so by its user.
      {"the one-word HELO patterns beside an edited Skip", editedSkip, oneWordHeloPatterns, userSkip, true},
      {"Skip edited", editedSkip, earlierPatterns, userSkipWithIPv6, true},
      {"RecvRegex edited", earlierSkip, editedPatterns, DefaultSkipLines(), false},
      {"both edited", editedSkip, editedPatterns, userSkip, false},
      {"Skip emptied", "[Skip]\r\nCount=0\r\n", earlierPatterns, {"::1/128", "fe80::/10", "fc00::/7"}, true},
      {"Skip edited with an IPv6 network", "[Skip]\r\nCount=1\r\nItem0=2001:db8::/32\r\n", earlierPatterns,
       {"2001:db8::/32"}, true},
  };
  for (const Case& c : cases) {
    std::string file = kDefaultFile;
    const std::size_t skip = file.find("[Skip]"), white = file.find("[White]");
    file.replace(skip, white - skip, c.skipSection);
    file.replace(file.find("[RecvRegex]"), std::string::npos, c.recvRegexSection);
    const std::string path = Load(file);
    EXPECT_EQ(Skip.Current()->Lines(), c.skip) << c.what;
    EXPECT_EQ(SkipNetworks.Current()->size(), c.skip.size()) << c.what;
    if (c.todaysPatterns) {
      EXPECT_EQ(RecvRegex.Current()->Lines(), DefaultRecvRegexLines()) << c.what;
    } else {
      EXPECT_EQ(RecvRegex.Current()->Lines()[7], "# QMAIL") << c.what;
      EXPECT_EQ(RecvRegex.Current()->Lines()[6], R"(\(([^\[]*)\[((?:\d{1,3}\.){3}\d{1,3})\][^\)]*\))") << c.what;
    }
    // The next save writes what was read, and reading that changes nothing.
    model.SaveSettings(path);
    if (c.skip == DefaultSkipLines() && c.todaysPatterns) {
      EXPECT_EQ(ReadBytes(path), kDefaultFile) << c.what;
    }
    model.LoadSettings(path);
    EXPECT_EQ(Skip.Current()->Lines(), c.skip) << c.what;
  }
}

TEST_F(SettingsModelTest, AShortenedListLeavesStaleItemsThatTheNextLoadIgnores) {
  const std::string path = Load(kDefaultFile);
  Rules.Replace({"^a", "^b", "^c"});
  model.SaveSettings(path);
  std::string bytes = ReadBytes(path);
  EXPECT_NE(bytes.find("[Rules]\r\nCount=3\r\nItem0=^a\r\nItem1=^b\r\nItem2=^c\r\nItem3=^[^\\.]*\\d{5}\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("Item7=^(?:dhcp|dialup|ppp|adsl)[^\\.]*\\d\r\n[RecvRegex]"), std::string::npos);

  model.LoadSettings(path);
  EXPECT_EQ(Rules.Current()->Lines(), (TextLines{"^a", "^b", "^c"}));
}

TEST_F(SettingsModelTest, AnEmptiedListLoadsEmptyNotAsDefaults) {
  const std::string path = Load(kDefaultFile);
  Skip.Replace({});
  model.SaveSettings(path);
  EXPECT_NE(ReadBytes(path).find("[Skip]\r\nCount=0\r\nItem0=127.0.0.0/8"), std::string::npos);
  model.LoadSettings(path);
  EXPECT_TRUE(Skip.Current()->Lines().empty());
  EXPECT_TRUE(SkipNetworks.Current()->empty());
}

TEST_F(SettingsModelTest, AMissingOrKeylessSectionLoadsTheBuiltInLinesAndSavesThemBack) {
  std::string bytes = kDefaultFile;
  std::size_t rules = bytes.find("[Rules]"), recv = bytes.find("[RecvRegex]");
  bytes.replace(rules, recv - rules, "");
  bytes += "[White]\r\n";  // a second, empty White section changes nothing
  const std::string path = Load(bytes + "[Black]\r\n;Count=5\r\n");
  EXPECT_EQ(Rules.Current()->Lines(), DefaultRulesLines());

  model.SaveSettings(path);
  EXPECT_NE(ReadBytes(path).find("[Rules]\r\nCount=8\r\nItem0="), std::string::npos);
}

TEST_F(SettingsModelTest, ListSectionsWithoutAUsableCount) {
  Load("[Skip]\r\nItem0=10.0.0.0/8\r\n"
       "[White]\r\nCount=0\r\nItem0=x\r\n"
       "[Black]\r\nCount=2\r\n"
       "[Rules]\r\nCount=abc\r\nItem0=x\r\n");
  EXPECT_TRUE(Skip.Current()->Lines().empty());
  EXPECT_TRUE(White.Current()->Lines().empty());
  EXPECT_EQ(Black.Current()->Lines(), (TextLines{"", ""}));
  // A Count that is no number is repaired from the items present.
  EXPECT_EQ(Rules.Current()->Lines(), (TextLines{"x"}));
  EXPECT_EQ(RecvRegex.Current()->Lines(), DefaultRecvRegexLines());
}

TEST_F(SettingsModelTest, OddNumbersKeepTheCurrentValue) {
  const struct {
    const char* line;
    std::int32_t timeOut;
    bool dropTrash;
  } cases[] = {
      {"TimeOut=abc\r\nDropTrash=yes", 3000, true},
      {"TimeOut=0x10\r\nDropTrash=2", 16, true},
      {"TimeOut=0\r\nDropTrash=0", 0, false},
      {"TimeOut=$20\r\nDropTrash=", 32, true},
      {"timeout=  77  \r\nDROPTRASH=\"0\"", 77, false},  // names in any case, blanks, quotes
  };
  for (const auto& c : cases) {
    SettingsModel fresh;
    std::string path = PathOf("odd.ini");
    WriteBytes(path, std::string("[FormMain]\r\n") + c.line + "\r\n");
    fresh.LoadSettings(path);
    EXPECT_EQ(fresh.TimeOut, c.timeOut) << c.line;
    EXPECT_EQ(fresh.DropTrash, c.dropTrash) << c.line;
  }
}

TEST_F(SettingsModelTest, ABooleanReadAsTrueIsSavedAsOne) {
  const std::string path = Load("[FormMain]\r\nDropTrash=2\r\n");
  model.SaveSettings(path);
  EXPECT_NE(ReadBytes(path).find("DropTrash=1\r\n"), std::string::npos);
}

TEST_F(SettingsModelTest, ListLinesComeBackWithoutBlanksAndQuotesAroundThem) {
  const std::string path = Load(kDefaultFile);
  const std::string longLine(3000, 'w');
  Black.Replace({"  spaced both ends  ", "\"quoted\"", "'single'", longLine, "日本語の行"});
  model.SaveSettings(path);
  model.LoadSettings(path);
  EXPECT_EQ(Black.Current()->Lines(),
            (TextLines{"spaced both ends", "quoted", "single", std::string(2047, 'w'), "日本語の行"}));
}

TEST_F(SettingsModelTest, AFailedSaveReportsThePathAndLosesNothing) {
  const std::string path = Load(kDefaultFile);
  std::filesystem::permissions(path, std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  model.TimeOut = 5;
  Skip.Replace({"10.0.0.0/8"});
  try {
    model.SaveSettings(path);
    FAIL() << "no error";
  } catch (const TextError& e) {
    std::string expected = texts::kCannotWriteFile;
    EXPECT_EQ(std::string(e.what()), expected.replace(expected.find("%s"), 2, path));
  }
  EXPECT_EQ(model.TimeOut, 5);
  EXPECT_EQ(Skip.Current()->Lines(), TextLines{"10.0.0.0/8"});
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(ReadBytes(path), kDefaultFile);
}

TEST_F(SettingsModelTest, ASaveKeepsTheFilesPermissions) {
  const std::string path = Load(kDefaultFile);
  const auto mode = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
  std::filesystem::permissions(path, mode);
  if (std::filesystem::status(path).permissions() != mode) GTEST_SKIP() << "no such modes here";
  model.TimeOut = 7;
  model.SaveSettings(path);
  EXPECT_EQ(std::filesystem::status(path).permissions(), mode);
  EXPECT_NE(ReadBytes(path).find("TimeOut=7\r\n"), std::string::npos);
}

TEST_F(SettingsModelTest, AMissingFolderCannotBeWritten) {
  const std::string path = PathOf("no-such-folder/Quorn.ini");
  EXPECT_THROW(model.WriteDefaultSettings(path), TextError);
  EXPECT_FALSE(std::filesystem::exists(path));
  model.LoadSettings(path);  // nothing to read: every list takes its built-in lines
  EXPECT_EQ(Rules.Current()->Lines(), DefaultRulesLines());
}

}  // namespace
}  // namespace quorn
