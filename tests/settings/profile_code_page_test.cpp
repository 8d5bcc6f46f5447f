// The platform's profile functions where the host is at home, under code
// page 932 (CTest runs this program under ja_JP.UTF-8): Japanese values,
// 5C second bytes included, come back byte for byte, and a value longer than
// the read limit comes back cut to whole characters, without half a
// character and without a stray NUL byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/profile_win32.h"
#include "tests/settings/settings_fixture.h"

namespace quorn {
namespace {

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

class ProfileCodePageTest : public SettingsFileTest {};

TEST_F(ProfileCodePageTest, JapaneseValuesUnderCodePage932) {
  ASSERT_EQ(GetACP(), 932u) << "run under a Japanese locale (LC_ALL=ja_JP.UTF-8)";
  const std::string hyo = "表";  // 95 5C in the file
  struct Case {
    const char* what;
    std::string stored;
    std::string read;
  };
  const Case cases[] = {
      {"short, 5C second bytes", "申請表 ソフト能力", "申請表 ソフト能力"},
      {"cut where a character starts", "a" + Repeat(hyo, 1100), "a" + Repeat(hyo, 1023)},
      {"cut inside a character", Repeat(hyo, 1100), Repeat(hyo, 1023)},
      {"one character over the limit", Repeat("a", 2046) + hyo, Repeat("a", 2046)},
      {"quoted, cut inside a character", "\"" + Repeat(hyo, 1100) + "\"", Repeat(hyo, 1023)},
  };
  for (const Case& c : cases) {
    const std::string path = PathOf("cp932.ini");
    WriteBytes(path, "[White]\r\nItem0=" + c.stored + "\r\n");
    const std::string read = Win32ProfileFile(path).ReadString("White", "Item0", "");
    EXPECT_EQ(read.find('\0'), std::string::npos) << c.what;
    EXPECT_EQ(read.size(), c.read.size()) << c.what;
    EXPECT_TRUE(read == c.read) << c.what;
  }
}

}  // namespace
}  // namespace quorn
