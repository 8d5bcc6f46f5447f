#include <gtest/gtest.h>

#include <optional>

#include "settings/value_format.h"

namespace quorn {
namespace {

TEST(ParseProfileInt, ReadsDecimalAndHexadecimal) {
  const struct {
    const char* text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {"3000", 3000},          {"0", 0},
      {"-12", -12},            {"0x10", 16},
      {"0X1f", 31},            {"$10", 16},
      {"$FFFFFFFF", -1},       {"0x7FFFFFFF", 2147483647},
      {"-0x10", -16},          {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},   // one past the range
      {"0x100000000", std::nullopt},  // nine hex digits of value
      {"", std::nullopt},      {"abc", std::nullopt},
      {"yes", std::nullopt},   {"12abc", std::nullopt},
      {" 12", std::nullopt},   {"0x", std::nullopt},
      {"$", std::nullopt},     {"-", std::nullopt},
      {"+5", std::nullopt},    {"1.5", std::nullopt},
      {"0xG", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseProfileInt(c.text), c.value) << c.text;
}

TEST(FormatProfileInt, WritesDecimal) {
  EXPECT_EQ(FormatProfileInt(3000), "3000");
  EXPECT_EQ(FormatProfileInt(-12), "-12");
  EXPECT_EQ(FormatProfileBool(true), "1");
  EXPECT_EQ(FormatProfileBool(false), "0");
}

}  // namespace
}  // namespace quorn
