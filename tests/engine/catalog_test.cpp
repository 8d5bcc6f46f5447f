// The catalog's texts reach the host and the INI file as Shift-JIS bytes,
// whatever the build's source encoding; a few are pinned byte for byte,
// among them texts whose second bytes are 0x5C (a backslash in ASCII).
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "texts/catalog.h"
#include "texts/fill.h"

namespace {

struct PinnedText {
  const char* name;
  const char* text;
  const char* bytes;  // the expected Shift-JIS encoding
};

void PrintTo(const PinnedText& t, std::ostream* os) { *os << t.name; }

class CatalogBytes : public testing::TestWithParam<PinnedText> {};

TEST_P(CatalogBytes, AreShiftJis) {
  EXPECT_EQ(std::string(GetParam().text), std::string(GetParam().bytes)) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CatalogBytes,
    testing::Values(
        PinnedText{"NeedTwoGroups", texts::kNeedTwoGroups,
                   "\x90\xb3\x8b\x4b\x95\x5c\x8c\xbb\x82\xc9\x82\xcd\x82\x51\x82\xc2\x82\xcc"
                   "\x83\x4f\x83\x8b\x81\x5b\x83\x76\x82\xaa\x95\x4b\x97\x76\x82\xc5\x82\xb7"},
        PinnedText{"InvalidRegex", texts::kInvalidRegex,
                   "\x90\xb3\x8b\x4b\x95\x5c\x8c\xbb\x82\xaa\x95\x73\x90\xb3\x82\xc5\x82\xb7"},
        PinnedText{"CannotWriteFile", texts::kCannotWriteFile,
                   "%s \x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1"},
        PinnedText{"PlugInName", texts::kPlugInName,
                   "Quorn spam\x83\x74\x83\x42\x83\x8b\x83\x5e"},
        PinnedText{"SpamFound", texts::kSpamFound,
                   "%d\x92\xca\x82\xcc\x83\x81\x81[\x83\x8b\x82\xaaspam\x82\xc5\x82\xb5\x82\xbd"},
        PinnedText{"SpamMoved", texts::kSpamMoved,
                   "%d\x92\xca\x82\xcc\x83\x81\x81[\x83\x8b\x82\xf0\x88\xda\x93\xae\x82\xb5\x82\xdc\x82\xb5\x82\xbd"},
        PinnedText{"NoSpam", texts::kNoSpam,
                   "spam\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd"},
        PinnedText{"SpamNotMoved", texts::kSpamNotMoved,
                   "%d\x92\xca\x82\xcc\x83\x81\x81[\x83\x8b\x82\xf0\x88\xda\x93\xae\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd"},
        PinnedText{"CommandFailed", texts::kCommandFailed,
                   "\x91I\x91\xf0\x82\xb5\x82\xbd\x83\x81\x81[\x83\x8b\x82\xf0\x8c\x9f\x8d\xb8\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd"}),
    [](const testing::TestParamInfo<PinnedText>& info) { return std::string(info.param.name); });

TEST(Catalog, DescriptionFitsItsRecordWithTerminator) {
  EXPECT_EQ(std::strlen(texts::kPlugInDescription) + 1, 25u);
}

// Every "%s" of a catalog text is filled one way. A value is never searched
// again: a path or a relay line holding "%s" is shown as it is.
TEST(Catalog, FilledTakesTheValuesInOrderAndNeverRereadsOne) {
  struct Case {
    const char* format;
    std::vector<std::string> values;
    const char* filled;
  };
  const Case cases[] = {
      {"%s に書き込めません", {"C:\\Quorn.ini"}, "C:\\Quorn.ini に書き込めません"},
      {"%s の %s", {"a.ini", "Skip"}, "a.ini の Skip"},
      {"\"%s\"", {"x%sy"}, "\"x%sy\""},
      {"%s と %s", {"%s", "b"}, "%s と b"},
      {"%s と %s", {"a"}, "a と %s"},
      {"なし", {"a"}, "なし"},
  };
  for (const Case& c : cases) EXPECT_EQ(texts::Filled(c.format, c.values), c.filled) << c.format;
}

}  // namespace
