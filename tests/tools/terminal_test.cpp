#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "texts/catalog.h"
#include "tools/check/terminal.h"

namespace quorn {
namespace {

std::string WrittenForPerson(const std::string& shiftJis) {
  std::FILE* file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  WriteForPerson(file, shiftJis);
  std::rewind(file);
  std::string out;
  for (int c; (c = std::fgetc(file)) != EOF;) out.push_back(static_cast<char>(c));
  std::fclose(file);
  return out;
}

TEST(WriteForPerson, ConvertsShiftJisToUtf8) {
  EXPECT_EQ(WrittenForPerson(std::string(texts::kInvalidRegex) + "\n\n'(x'"),
            std::string(reinterpret_cast<const char*>(u8"正規表現が不正です\n\n'(x'")));
  EXPECT_EQ(WrittenForPerson("plain"), "plain");
}

bool IsValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
    }
    i += length;
  }
  return true;
}

// A sender's bytes that are no Shift-JIS still reach the terminal as valid
// UTF-8, with the text around them intact.
TEST(WriteForPerson, KeepsTheOutputValidForBytesThatAreNoShiftJis) {
  for (const char* text : {"a\xA0z", "a\x81z", "a\xFF\xFEz", "a\x81"}) {
    std::string out = WrittenForPerson(text);
    EXPECT_TRUE(IsValidUtf8(out)) << testing::PrintToString(out);
    EXPECT_EQ(out.front(), 'a');
  }
}

}  // namespace
}  // namespace quorn
