// The real headers of the shared corpus, judged with the built-in default
// settings and no resolver, as quorn-check and the plug-in judge them.
//
// Every header's verdict is pinned in verdicts.expected.tsv beside this file,
// in quorn-check's output format, so that a change of any verdict shows as a
// diff. After a deliberate change, rewrite the file with
//   QUORN_UPDATE_EXPECTED=1 ctest --test-dir build/native -R CorpusTest
// and review the diff before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "engine/general.h"
#include "settings/default_lines.h"
#include "tools/check/message_file.h"
#include "tools/check/verdict_row.h"

namespace quorn {
namespace {

namespace fs = std::filesystem;

fs::path CorpusDir() { return fs::path(QUORN_CORPUS_DIR) / "corpus"; }

std::vector<fs::path> CorpusHeaders() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(CorpusDir() / "headers")) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class CorpusTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::is_directory(CorpusDir() / "headers"))
        << "the shared corpus is missing at " << CorpusDir()
        << "; configure with -DQUORN_CORPUS_DIR=<folder holding corpus/>";
    UseDefaultLists();
  }
};

TEST_F(CorpusTest, EveryHeaderIsJudgedWithoutError) {
  const std::vector<fs::path> files = CorpusHeaders();
  ASSERT_EQ(files.size(), 783u);

  LiveSettings form;
  int spam = 0;
  for (const fs::path& file : files) {
    auto header = ReadMessageHeader(file.string());
    ASSERT_TRUE(header) << file;
    try {
      spam += JudgeMessage(form, *header).spam ? 1 : 0;
    } catch (const TextError& e) {
      ADD_FAILURE() << file << ": " << e.what();
    }
  }
  EXPECT_GT(spam, 0);
  EXPECT_LT(spam, static_cast<int>(files.size()));
}

TEST_F(CorpusTest, EveryVerdictIsThePinnedOne) {
  const std::vector<fs::path> files = CorpusHeaders();
  ASSERT_EQ(files.size(), 783u);
  LiveSettings form;
  std::string actual;
  for (const fs::path& file : files) {
    auto header = ReadMessageHeader(file.string());
    ASSERT_TRUE(header) << file;
    MessageVerdict verdict = JudgeMessage(form, *header);
    actual += VerdictRow(file.filename().string(), verdict, form) + "\n";
  }

  const fs::path expectedPath = QUORN_CORPUS_EXPECTED;
  const char* update = std::getenv("QUORN_UPDATE_EXPECTED");
  if (update && std::string(update) == "1") {
    std::ofstream(expectedPath, std::ios::binary) << actual;
    std::printf("rewrote %s\n", expectedPath.string().c_str());
    return;
  }
  std::ifstream in(expectedPath, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << expectedPath << "; write it with QUORN_UPDATE_EXPECTED=1";
  const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (expected == actual) return;

  const std::vector<std::string> want = SplitLines(expected), got = SplitLines(actual);
  int shown = 0;
  for (std::size_t i = 0; i < std::max(want.size(), got.size()) && shown < 20; ++i) {
    const std::string w = i < want.size() ? want[i] : "(none)", g = i < got.size() ? got[i] : "(none)";
    if (w == g) continue;
    ADD_FAILURE() << "line " << i + 1 << "\n  expected: " << w << "\n  actual:   " << g;
    ++shown;
  }
  FAIL() << "verdicts differ from " << expectedPath
         << "; if the change is meant, rewrite the file with QUORN_UPDATE_EXPECTED=1 and review its diff";
}

struct Pinned {
  const char* file;
  VerdictCode code;
  const char* ip;
  const char* host;
};

// Deciding relays checked by hand against the files.
TEST_F(CorpusTest, HandCheckedRelays) {
  const Pinned cases[] = {
      // The top line names an IPv6 relay; the second gives a name whose first
      // label holds five digits in a row (rule 2).
      {"rspamd-0001.hdr", RuleVerdict(1), "40.92.74.29",
       "mail-oln040092074029.outbound.protection.outlook.com."},
      // A plain name that no rule matches.
      {"spamassassin-0001.hdr", Normal, "199.172.62.20", "europe.std.com"},
      // Only a relay on the loopback network.
      {"spamassassin-0018.hdr", Excluded, "", ""},
      // "([216.17.53.37] verified)" gives an address without a name.
      {"spamassassin-0025.hdr", LookupFailed, "216.17.53.37", ""},
      // "(unknown [192.0.2.222])".
      {"sisimai-0005.hdr", ReceivedUnknown, "192.0.2.222", ""},
      // A whitelisted provider's suffix beats rule 1, which the name matches too.
      {"sisimai-0130.hdr", Whitelisted, "222.15.69.197", "wmflb12na02.ezweb.ne.jp"},
      // A name of dotted digits: rule 3.
      {"sisimai-0370.hdr", RuleVerdict(2), "192.0.2.25", "25.0.2.192.r.exampe.ne.jp"},
      // "[IPv6:::1]" and 127.0.0.1 are loopback, passed over: "([4.31.198.44])"
      // below them decides, an address without a name.
      {"rspamd-0014.hdr", LookupFailed, "4.31.198.44", ""},
      // A bare IPv6 address in brackets, the name's first label matching rule 1.
      {"sisimai-0149.hdr", RuleVerdict(0), "2607:f8b0:4002:c05::247", "mail-yw0-x247.google.com."},
  };
  LiveSettings form;
  for (const auto& c : cases) {
    auto header = ReadMessageHeader((CorpusDir() / "headers" / c.file).string());
    ASSERT_TRUE(header) << c.file;
    MessageVerdict v = JudgeMessage(form, *header);
    EXPECT_EQ(v.hop.code, c.code) << c.file;
    EXPECT_EQ(v.hop.ip, c.ip) << c.file;
    EXPECT_EQ(v.hop.host, c.host) << c.file;
  }
}

// The parser vectors of other projects, one Received: field each: none may
// raise an error with the default patterns. How often the address read
// agrees with the other project's parser is printed for information (the
// default patterns read the first bracketed address, not the true client).
TEST_F(CorpusTest, ReceivedVectorsParseWithoutError) {
  for (const char* name : {"received-vectors.tsv", "received-vectors-rspamd.tsv"}) {
    std::ifstream in(CorpusDir() / name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::string row;
    std::getline(in, row);  // column names
    int rows = 0, agreed = 0, read = 0;
    while (std::getline(in, row)) {
      std::string received = row.substr(0, row.find('\t'));
      std::string rest = row.substr(received.size() + 1);
      std::string theirIp = rest.substr(0, rest.find('\t'));
      ++rows;
      ippack hop;
      ASSERT_NO_THROW(hop = ParseReceived("Received: " + received)) << received;
      if (hop.ip.empty()) continue;
      ++read;
      if (hop.ip == theirIp) ++agreed;
    }
    EXPECT_GT(rows, 10) << name;
    EXPECT_GT(read, 0) << name;
    std::printf("%s: %d rows, %d with an address read, %d agreeing\n", name, rows, read, agreed);
  }
}

}  // namespace
}  // namespace quorn
