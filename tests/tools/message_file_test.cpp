#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tools/check/message_file.h"

namespace quorn {
namespace {

TEST(WithCrLfLineEnds, AddsCrOnlyBeforeBareLineFeeds) {
  EXPECT_EQ(WithCrLfLineEnds("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(WithCrLfLineEnds("\n\n"), "\r\n\r\n");
  EXPECT_EQ(WithCrLfLineEnds("a\rb"), "a\rb");
  EXPECT_EQ(WithCrLfLineEnds(""), "");
}

TEST(HeaderOf, EndsBeforeTheFirstEmptyLine) {
  EXPECT_EQ(HeaderOf("A: 1\r\nB: 2\r\n\r\nbody\r\n\r\nmore"), "A: 1\r\nB: 2");
  EXPECT_EQ(HeaderOf("A: 1\r\nB: 2\r\n"), "A: 1\r\nB: 2\r\n");  // a header file alone
  EXPECT_EQ(HeaderOf("\r\n\r\nbody"), "");
}

TEST(ReadMessageHeader, ReadsLfFilesAsCrLfAndReportsMissingFiles) {
  const std::string path = testing::TempDir() + "quorn-message-file-test.eml";
  {
    std::ofstream out(path, std::ios::binary);
    out << "Received: from a\n\tby b\nSubject: x\n\nbody\n";
  }
  auto header = ReadMessageHeader(path);
  ASSERT_TRUE(header);
  EXPECT_EQ(*header, "Received: from a\r\n\tby b\r\nSubject: x");
  std::remove(path.c_str());
  EXPECT_FALSE(ReadMessageHeader(path));
}

}  // namespace
}  // namespace quorn
