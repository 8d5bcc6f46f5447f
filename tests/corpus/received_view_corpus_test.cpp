// The inspector over every header of the shared corpus: the relay it marks
// "*" is the one quorn-check reports (pinned in verdicts.expected.tsv, which
// the end-to-end corpus scenario holds equal to quorn-check's output), and
// the message's verdict is that relay's class. No lookup is made: every
// relay without a name from its line fails, as in the pinned verdicts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "engine/general.h"
#include "engine/relay_listing.h"
#include "settings/default_lines.h"
#include "tools/check/message_file.h"
#include "tools/check/verdict_row.h"

namespace quorn {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> PinnedRows() {
  std::map<std::string, std::string> rows;
  std::ifstream in(QUORN_CORPUS_EXPECTED, std::ios::binary);
  for (std::string row; std::getline(in, row);) rows[row.substr(0, row.find('\t'))] = row;
  return rows;
}

TEST(InspectorCorpusTest, TheMarkedRelayIsTheOneTheVerdictJudges) {
  const fs::path folder = fs::path(QUORN_CORPUS_DIR) / "corpus" / "headers";
  ASSERT_TRUE(fs::is_directory(folder)) << folder;
  UseDefaultLists();
  const std::map<std::string, std::string> pinned = PinnedRows();
  ASSERT_FALSE(pinned.empty());

  LiveSettings form;
  int files = 0, marked = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    auto header = ReadMessageHeader(entry.path().string());
    ASSERT_TRUE(header) << name;
    ++files;

    const ListSnapshot lists = ListSnapshot::Take();
    ListedRelays listed = ReadRelays(*header, lists);
    ASSERT_FALSE(listed.error) << name;
    ClassifyHops(form, listed.hops, lists, nullptr);
    MarkSpamHops(listed.hops, form.ReverseLookup);

    const auto deciding = std::count_if(listed.hops.begin(), listed.hops.end(),
                                        [](const auto& hop) { return hop->deciding != 0; });
    ASSERT_LE(deciding, 1) << name;
    MessageVerdict shown;
    shown.hop.code = Excluded;
    for (const auto& hop : listed.hops) {
      if (hop->deciding) {
        shown.hop = *hop;
        shown.spam = hop->spam != 0;
        ++marked;
      }
    }
    shown.hop.spam = shown.hop.deciding = 0;
    form.LastVerdict = shown.hop.code;
    auto row = pinned.find(name);
    ASSERT_NE(row, pinned.end()) << name;
    EXPECT_EQ(VerdictRow(name, shown, form), row->second);

    const MessageVerdict verdict = JudgeMessage(form, *header);
    EXPECT_EQ(verdict.spam, shown.spam) << name;
    EXPECT_EQ(ClassText(verdict.hop.code), ClassText(shown.hop.code)) << name;
  }
  EXPECT_EQ(files, static_cast<int>(pinned.size()));
  EXPECT_GT(marked, files / 2);
}

}  // namespace
}  // namespace quorn
