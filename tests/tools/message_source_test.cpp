// The messages quorn-check reads from real files and folders: mbox files,
// Maildirs and folders mixing them with single message files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tools/check/message_source.h"

namespace quorn {
namespace {

namespace fs = std::filesystem;

using Messages = std::vector<std::pair<std::string, std::string>>;  // name, header

struct Collector : MessageSink {
  void Message(const std::string& name, const std::string& header) override { got.emplace_back(name, header); }
  void Unreadable(const std::string& name) override { got.emplace_back(name, "<unreadable>"); }
  Messages got;
};

class MessageSourceTest : public testing::Test {
 protected:
  void SetUp() override {
    // A folder per test: CTest runs the tests of this fixture side by side.
    root_ = fs::path(testing::TempDir()) /
            (std::string("quorn-message-source-test-") + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  std::string Write(const std::string& relative, const std::string& text) {
    const fs::path path = root_ / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path.generic_string();
  }
  void MakeMaildir(const std::string& relative) {
    for (const char* part : {"cur", "new", "tmp"}) fs::create_directories(root_ / relative / part);
  }
  std::string Root() const { return root_.generic_string(); }

  // Every message the path holds, named relative to the test's folder.
  Messages Read(const std::string& path, bool expectListed = true) {
    std::vector<MessageFile> files;
    EXPECT_EQ(ListMessageFiles(path, files), expectListed);
    Collector sink;
    for (const MessageFile& file : files) ReadMessages(file, sink);
    for (auto& [name, header] : sink.got) {
      if (name.compare(0, Root().size() + 1, Root() + "/") == 0) name.erase(0, Root().size() + 1);
    }
    return sink.got;
  }

  fs::path root_;
};

TEST_F(MessageSourceTest, MboxFilesSplitOnFromLinesAndLoseOneQuoteMark) {
  struct Case {
    const char* what;
    std::string text;
    Messages expected;
  };
  const Case cases[] = {
      {"three messages, quoted From lines in body and header",
       "From a@example.org Mon Jan  1 00:00:00 2024\n"
       "Received: from a\n\tby b\nSubject: one\n\nbody\n>From the desk of\n\n"
       "From b@example.org Mon Jan  1 00:00:01 2024\n"
       "Received: from c\n>From: quoted\n>>From twice\n\n"
       "From - Tue Oct 27 10:23:55 2009\n"
       "Subject: three\n",
       {{"box#1", "Received: from a\r\n\tby b\r\nSubject: one"},
        {"box#2", "Received: from c\r\n>From: quoted\r\n>From twice"},
        {"box#3", "Subject: three"}}},
      {"CR LF line ends, a header without an empty line before the next message",
       "From x\r\nA: 1\r\nB: 2\r\nFrom y\r\nC: 3\r\n\r\nFrom the body, unquoted, starts a message\r\n",
       {{"box#1", "A: 1\r\nB: 2"}, {"box#2", "C: 3"}, {"box#3", ""}}},
      {"a single envelope line", "From nobody\n", {{"box#1", ""}}},
      {"lines of only '>' stay", "From a\nA: 1\n>\n>>\n\nbody\n", {{"box#1", "A: 1\r\n>\r\n>>"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write("box", c.text);
    EXPECT_EQ(Read(Root() + "/box"), c.expected);
  }
}

TEST_F(MessageSourceTest, MaildirReadsCurAndNewButNotTmpNorDotFiles) {
  MakeMaildir("mail");
  Write("mail/cur/1700000001.1.host!2,S", "Subject: seen\n\nbody\n");
  Write("mail/new/1700000002.1.host", "Subject: new\r\n\r\nbody\r\n");
  Write("mail/new/.1700000003.1.host", "Subject: hidden\n\n");
  Write("mail/tmp/1700000004.1.host", "Subject: still being delivered\n");
  Write("mail/dovecot-uidlist", "3 V1 N4\n");
  MakeMaildir("mail/.Sent");  // a Maildir++ folder inside
  Write("mail/.Sent/cur/1700000005.1.host!2,S", "Subject: sent\n\n");

  EXPECT_TRUE(IsMaildir(Root() + "/mail"));
  EXPECT_FALSE(IsMaildir(Root() + "/mail/cur"));
  EXPECT_EQ(Read(Root() + "/mail"), (Messages{{"mail/cur/1700000001.1.host!2,S", "Subject: seen"},
                                              {"mail/new/1700000002.1.host", "Subject: new"},
                                              {"mail/.Sent/cur/1700000005.1.host!2,S", "Subject: sent"}}));
}

TEST_F(MessageSourceTest, MixedFolderReadsEachFormInNameOrder) {
  Write("mixed/a.eml", "Subject: single\n\nFrom here on body\n");
  Write("mixed/b.mbox", "From a\nSubject: boxed 1\n\nFrom b\nSubject: boxed 2\n");
  MakeMaildir("mixed/c");
  Write("mixed/c/new/1", "Subject: maildir\n");
  Write("mixed/d/e.eml", "Subject: nested\n");
  Write("mixed/f.txt", "Fro\nSubject: almost an mbox\n");

  EXPECT_FALSE(StartsAsMbox(Root() + "/mixed/f.txt"));
  EXPECT_EQ(Read(Root() + "/mixed"),
            (Messages{{"mixed/a.eml", "Subject: single"},
                      {"mixed/b.mbox#1", "Subject: boxed 1"},
                      {"mixed/b.mbox#2", "Subject: boxed 2"},
                      {"mixed/c/new/1", "Subject: maildir\r\n"},  // a header alone keeps its last line end
                      {"mixed/d/e.eml", "Subject: nested\r\n"},
                      {"mixed/f.txt", "Fro\r\nSubject: almost an mbox\r\n"}}));
}

TEST_F(MessageSourceTest, LinksNeitherLoopNorRepeatAMessage) {
  const std::string message = Write("loop/msg.eml", "Subject: once\n");
  Write("loop/sub/other.eml", "Subject: other\n");
  try {
    fs::create_directory_symlink(".", root_ / "loop" / "a");  // two links to the folder itself:
    fs::create_directory_symlink(".", root_ / "loop" / "b");  // paths without end when followed
    fs::create_directory_symlink("..", root_ / "loop" / "sub" / "up");
    fs::create_symlink("msg.eml", root_ / "loop" / "soft.eml");
    fs::create_hard_link(message, root_ / "loop" / "hard.eml");
  } catch (const fs::filesystem_error& e) {
    GTEST_SKIP() << "no links here: " << e.what();
  }
  std::vector<MessageFile> files;
  for (const std::string& path : {Root() + "/loop", message, Root() + "/loop/sub"}) {
    EXPECT_TRUE(ListMessageFiles(path, files));
  }
  DropRepeatedFiles(files);
  std::vector<std::string> names;
  for (const MessageFile& file : files) names.push_back(file.path.substr(Root().size() + 1));
  EXPECT_EQ(names, (std::vector<std::string>{"loop/hard.eml", "loop/sub/other.eml"}));
}

TEST_F(MessageSourceTest, MissingFileIsListedAndReportedUnreadable) {
  EXPECT_EQ(Read(Root() + "/absent.eml"), (Messages{{"absent.eml", "<unreadable>"}}));
}

}  // namespace
}  // namespace quorn
