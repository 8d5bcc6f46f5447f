// Folder IDs walked a character at a time by the lead bytes of code page
// 932, where a second byte may be 0x5C: "ソ" is 83 5C, "表" 95 5C, "能" 94 5C.
// Walked byte by byte, each of them would cut a name in two.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/folder_text.h"

namespace quorn {
namespace {

bool IsShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool NoLead(unsigned char) { return false; }

std::string Named(const std::string& head) { return "<" + head + ">"; }

TEST(FolderText, SourceTextsAreShiftJisWith5CSecondBytes) {
  EXPECT_EQ(std::string("ソ"), "\x83\x5C");
  EXPECT_EQ(std::string("表"), "\x95\x5C");
  EXPECT_EQ(std::string("能"), "\x94\x5C");
}

TEST(FolderText, SeparatorsAreFoundACharacterAtATime) {
  struct Case {
    std::string text;
    std::size_t separator;
    std::vector<std::string> parts;
    std::string display;    // with the name hook <...>
    std::string withSeparator;
  };
  const std::size_t npos = std::string::npos;
  const Case cases[] = {
      {"", npos, {}, "<>\\", "\\"},
      {"MailBox1\\", 8, {"MailBox1"}, "<MailBox1\\>\\", "MailBox1\\"},
      {"MailBox1\\Junk\\Spam\\", 8, {"MailBox1", "Junk", "Spam"}, "<MailBox1\\>\\Junk\\Spam\\",
       "MailBox1\\Junk\\Spam\\"},
      {"ソフト\\表\\", 6, {"ソフト", "表"}, "<ソフト\\>\\表\\", "ソフト\\表\\"},
      {"能力\\ソ", 4, {"能力", "ソ"}, "<能力\\>\\ソ", "能力\\ソ\\"},  // ends in 5C, no separator
      {"表", npos, {"表"}, "<表>\\", "表\\"},
      {"a\\\\b", 1, {"a", "", "b"}, "<a\\>\\\\b", "a\\\\b\\"},
      {"\x83", npos, {"\x83"}, "<\x83>\\", "\x83\\"},  // a lone lead byte at the end
      {"\x83\\\\", 2, {"\x83\\"}, "<\x83\\\\>\\", "\x83\\\\"},  // lead byte, 5C, then a separator
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindFolderSeparator(c.text, IsShiftJisLead), c.separator) << c.text;
    EXPECT_EQ(SplitFolderText(c.text, IsShiftJisLead), c.parts) << c.text;
    EXPECT_EQ(FolderDisplayText(c.text, IsShiftJisLead, Named), c.display) << c.text;
    EXPECT_EQ(WithFolderSeparator(c.text, IsShiftJisLead), c.withSeparator) << c.text;
  }
}

TEST(FolderText, ASingleByteCodePageCutsAtEvery5C) {
  EXPECT_EQ(FindFolderSeparator("ソフト\\", NoLead), 1u);
  EXPECT_EQ(WithFolderSeparator("ソ", NoLead), "ソ");
}

}  // namespace
}  // namespace quorn
