// The settings window's check of long list lines: what it lets through is
// exactly what a save and the next load give back whole.
#include "settings/settings_edit_check.h"

#include "settings/settings_model.h"
#include "settings_fixture.h"

namespace quorn {
namespace {

class LongLineTest : public SettingsFileTest {};

TEST_F(LongLineTest, TheLongestLineAcceptedComesBackWholeAndOneByteMoreIsRefused) {
  // A whitelist text, a pattern and a Shift-JIS comment at the bound.
  const std::string text(2047, 'x');
  const std::string pattern = "^(?:" + std::string(2041, 'a') + ")$";
  std::string japanese;
  while (japanese.size() < 2047) japanese += "\x83\x5C";  // "ソ", second byte 5C
  japanese.resize(2047);
  japanese.back() = 'x';
  for (const std::string& line : {text, pattern, japanese}) {
    ASSERT_EQ(line.size(), 2047u);
    const TextLines lines = {"before", line, "after"};
    EXPECT_EQ(FirstTooLongLine({&lines}), "");

    White.Replace(lines);
    SettingsModel model;
    const std::string path = PathOf("Quorn.ini");
    model.SaveSettings(path);
    White.Replace({});
    model.LoadSettings(path);
    EXPECT_EQ(White.Current()->Lines(), lines) << "a line the check accepts must survive the file";

    const TextLines longer = {"before", line + "y"};
    EXPECT_NE(FirstTooLongLine({&lines, &longer}), "");
  }
}

TEST_F(LongLineTest, ExactlyTheLinesTheFileWouldChangeAreRefused) {
  // Each line alone in the rules: the check refuses it exactly when a save
  // and the next load would not give it back as it is.
  struct Case {
    std::string line;
    bool refused;
  };
  const Case cases[] = {
      {"^mail ", true},       {" ^mail", true},        {"\t.example.jp", true}, {"x\r", true},
      {"x\x1A", true},        {"\"quoted\"", true},   {"'q'", true},          {"\"\"", true},
      {" ", true},            {"^mail[ ]", false},     {"^mail\\x20", false}, {"a \"b\"", false},
      {"\"open", false},      {"x\"", false},          {"'a\"", false},        {"\x81\x40\x95\x5c", false},
      {"", false},            {"\x81\x40x\x81\x40", false},
  };
  const std::string path = PathOf("Quorn.ini");
  for (const Case& c : cases) {
    const TextLines lines = {"before", c.line, "after"};
    const std::string message = FirstLineTheFileChanges({&lines});
    EXPECT_EQ(!message.empty(), c.refused) << testing::PrintToString(c.line) << " " << message;
    if (c.refused) {
      EXPECT_NE(message.find(c.line), std::string::npos) << "the message names the line";
    }

    Rules.Replace(lines);
    SettingsModel model;
    model.SaveSettings(path);
    Rules.Replace({});
    model.LoadSettings(path);
    EXPECT_EQ(Rules.Current()->Lines() != lines, c.refused) << testing::PrintToString(c.line);
  }
  const TextLines blanks = {"x "}, quotes = {"'x'"};
  EXPECT_NE(FirstLineTheFileChanges({&blanks}), FirstLineTheFileChanges({&quotes})) << "each says why";
}

TEST(KeepUnchangedLines, LinesLeftAsShownKeepTheirBytesWhereverTheEditMoved) {
  // Filled lines whose bytes the editor shows otherwise ("A1" shows as "a",
  // "C1" as "c"), and lines it shows as they are.
  const TextLines filled = {"A1", "b", "C1", "d", "A2"};
  const TextLines shown = {"a", "b", "c", "d", "a"};
  struct Case {
    const char* what;
    TextLines edited, kept;
  };
  const Case cases[] = {
      {"nothing changed", {"a", "b", "c", "d", "a"}, filled},
      {"a line inserted first", {"new", "a", "b", "c", "d", "a"}, {"new", "A1", "b", "C1", "d", "A2"}},
      {"a line deleted", {"a", "b", "d", "a"}, {"A1", "b", "d", "A2"}},
      {"a line edited", {"a", "b", "c!", "d", "a"}, {"A1", "b", "c!", "d", "A2"}},
      {"two lines swapped", {"a", "c", "b", "d", "a"}, {"A1", "C1", "b", "d", "A2"}},
      {"the first of two alike deleted", {"b", "c", "d", "a"}, {"b", "C1", "d", "A2"}},
      {"a line copied", {"a", "b", "c", "c", "d", "a"}, {"A1", "b", "C1", "c", "d", "A2"}},
      {"everything replaced", {"x"}, {"x"}},
  };
  for (const Case& c : cases) EXPECT_EQ(KeepUnchangedLines(filled, shown, c.edited), c.kept) << c.what;
  EXPECT_EQ(KeepUnchangedLines(filled, {"a"}, shown), shown) << "shown not line for line: as edited";
}

TEST(LongLineMessage, QuotesTheFirstTooLongLineInListOrderCutOnACharacter) {
  const TextLines skip = {"10.0.0.0/8"};
  const TextLines white = {std::string(39, 'w') + "\x83\x5C" + std::string(3000, 'w')};
  const TextLines rules = {std::string(3000, 'r')};
  const std::string message = FirstTooLongLine({&skip, &white, &rules});
  // The quoted start stops before the double-byte character that would
  // cross the 40th byte.
  EXPECT_EQ(message.substr(0, 40), "\"" + std::string(39, 'w'));
  EXPECT_EQ(message.compare(40, 4, "...\""), 0) << message.substr(0, 60);
  EXPECT_EQ(FirstTooLongLine({&skip}), "");
}

}  // namespace
}  // namespace quorn
