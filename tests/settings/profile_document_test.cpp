#include <gtest/gtest.h>

#include <string>

#include "settings/profile_document.h"
#include "settings/profile_file.h"

namespace quorn {
namespace {

TEST(ProfileDocument, ReadsOddlySpacedAndBrokenFiles) {
  ProfileDocument doc = ProfileDocument::Parse(
      "junk before any section\r\n"
      " ; a comment\r\n"
      "\r\n"
      "[ Sec ]\r\n"
      "  Key1 =  value one  \r\n"
      "key2=\"quoted\"\n"
      "noequals\r\n"
      "=no name\r\n"
      "[Sec]\r\n"
      "key3=in the second section of that name\r\n"
      "[unclosed\r\n"
      "[Other]]\r\n"
      "a=b\x1A");
  EXPECT_EQ(doc.Value("sec", "KEY1"), "value one");
  EXPECT_EQ(doc.Value("Sec", "key2"), "\"quoted\"");
  EXPECT_EQ(doc.Value("Sec", "noequals"), std::nullopt);
  EXPECT_EQ(doc.Value("Sec", "key3"), std::nullopt);  // only the first section counts
  EXPECT_EQ(doc.Value("Sec", "[unclosed"), std::nullopt);
  EXPECT_EQ(doc.Value("Other]", "a"), "b");
  EXPECT_EQ(doc.Value("Missing", "a"), std::nullopt);
  EXPECT_TRUE(doc.HasKeys("SEC"));
  EXPECT_FALSE(doc.HasKeys("Missing"));
}

TEST(ProfileDocument, ASectionOfCommentsAndBareNamesHasNoKeys) {
  ProfileDocument doc = ProfileDocument::Parse("[Rules]\r\n;Count=3\r\nnothing\r\n[Black]\r\nCount=0\r\n");
  EXPECT_FALSE(doc.HasKeys("Rules"));
  EXPECT_TRUE(doc.HasKeys("Black"));
}

TEST(ProfileDocument, WritesWhatItReadNormalized) {
  ProfileDocument doc = ProfileDocument::Parse("top=1\n\n  [A]  \n x = 1 \n\n[B]\nflag\n");
  EXPECT_EQ(doc.Serialize(), "top=1\r\n[A]\r\nx=1\r\n[B]\r\nflag\r\n");
}

TEST(ProfileDocument, SetsInPlaceOrAppends) {
  ProfileDocument doc = ProfileDocument::Parse("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
  EXPECT_TRUE(doc.Set("a", "X", "9"));
  EXPECT_TRUE(doc.Set("A", "w", "  lead and trail  "));
  EXPECT_TRUE(doc.Set("C", "v", ""));
  EXPECT_FALSE(doc.Set("B", "z", "3"));
  EXPECT_FALSE(doc.Set("B", "z", "  3"));  // leading blanks never reach the file
  EXPECT_EQ(doc.Serialize(), "[A]\r\nx=9\r\ny=2\r\nw=lead and trail  \r\n[B]\r\nz=3\r\n[C]\r\nv=\r\n");
}

TEST(ProfileReadValue, DropsOnePairOfQuotesAndCutsLongValues) {
  EXPECT_EQ(ProfileReadValue("\"quoted\""), "quoted");
  EXPECT_EQ(ProfileReadValue("'single'"), "single");
  EXPECT_EQ(ProfileReadValue("\"\"twice\"\""), "\"twice\"");
  EXPECT_EQ(ProfileReadValue("\"open"), "\"open");
  EXPECT_EQ(ProfileReadValue("\"mixed'"), "\"mixed'");
  EXPECT_EQ(ProfileReadValue("\""), "\"");
  EXPECT_EQ(ProfileReadValue("\"\""), "");

  std::string longValue(3000, 'x');
  EXPECT_EQ(ProfileReadValue(longValue), std::string(kProfileValueLimit, 'x'));
  // A quoted value too long to fit keeps its closing quote cut off with the rest.
  EXPECT_EQ(ProfileReadValue("\"" + longValue + "\""), std::string(kProfileValueLimit, 'x'));
}

// A long Shift-JIS value is cut before a double-byte character that would
// not fit whole, never through it ("\x95\x5C" is one character).
TEST(ProfileReadValue, CutsLongShiftJisValuesBetweenCharacters) {
  auto repeat = [](const std::string& unit, std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text += unit;
    return text;
  };
  const std::string hyo = "\x95\x5C";
  struct Case {
    std::string value;
    std::string read;
  } cases[] = {
      {repeat(hyo, 1100), repeat(hyo, 1023)},                    // the cut falls inside one
      {"a" + repeat(hyo, 1100), "a" + repeat(hyo, 1023)},        // between two: 2,047 bytes
      {std::string(2046, 'a') + hyo, std::string(2046, 'a')},
      {std::string(2046, 'a') + "\xB1" + hyo, std::string(2046, 'a') + "\xB1"},  // half-width kana
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileReadValue(c.value), c.read) << c.value.size();
    EXPECT_LE(ProfileReadValue(c.value).size(), kProfileValueLimit);
  }
}

}  // namespace
}  // namespace quorn
