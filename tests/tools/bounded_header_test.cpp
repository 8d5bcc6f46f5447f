// A header past the size bound is kept in bounded memory, and the engine
// must read the same relays from what is kept as from the whole header:
// hostile shapes, the reading bounds, and headers cut at random places into
// pieces; then real files read through ReadMessages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/received.h"
#include "settings/default_lines.h"
#include "engine/bounded_header.h"
#include "tools/check/message_source.h"

namespace quorn {
namespace {

// What the check reads of a header: each Received: line's reading, up to
// the first unreadable one (nothing after it counts).
std::vector<std::string> Readings(const std::string& header) {
  ReceivedLineReader reader(*ListSnapshot::Take().recvRegex);
  std::vector<std::string> out;
  for (const std::string& line : FindReceivedLines(UnfoldHeader(header))) {
    const LineRelay relay = reader.Read(line);
    out.push_back(std::to_string(static_cast<int>(relay.reading)) + " " + relay.hop.ip + " " + relay.hop.host + " " +
                  std::to_string(relay.hop.code));
    if (relay.reading == RelayReading::Unreadable) break;
  }
  return out;
}

std::string Kept(const std::string& header, BoundedHeader::Limits limits, std::size_t piece, bool* settled = nullptr) {
  BoundedHeader bounded(limits);
  for (std::size_t pos = 0; pos < header.size() && !bounded.Settled(); pos += piece) {
    bounded.Append(std::string_view(header).substr(pos, piece));
  }
  if (settled) *settled = bounded.Settled();
  return bounded.Take();
}

const char kRelay[] = "Received: from a (p1-ipbf5.tokyo.example.ne.jp [203.0.113.56]) by mx";
const char kClean[] = "Received: from mx.example.org (mx.example.org [198.51.100.10]) by mail.example.jp";

class BoundedHeaderTest : public testing::Test {
 protected:
  void SetUp() override { UseDefaultLists(); }
};

TEST_F(BoundedHeaderTest, KeepsWhatTheEngineReadsOfHostileHeaders) {
  const std::string junk(3000, 'j');
  const std::string longLine = std::string("Received: from x ") + std::string(5000, '(') + " [192.0.2.1]";
  std::string manyLines, squares;
  for (int i = 0; i < 150; ++i) manyLines += std::string(i ? "\r\n" : "") + "Received: from n" + std::to_string(i);
  for (int i = 0; i < 3; ++i) squares += "Received: " + std::string(3000, 's') + "\r\n";
  struct Case {
    const char* what;
    std::string header;
    bool settles;
  };
  const Case cases[] = {
      {"folds by tab and space, bare CR, form feed and CR-started lines around the relays",
       "Subject: " + junk + "\r\n" + kClean + "\r\n\t(folded)\r\n \r\nX: a\rReceived: from in-cr [192.0.2.9]\r\n" +
           "\rReceived: hidden\fReceived: ff\r\n" + kRelay + "\r\nX-Tail: " + junk,
       false},
      {"a field past its bound without Received: gives nothing", "X-Junk: " + junk + junk + "\r\n" + kRelay, false},
      {"a field past its bound that begins as a Received: line is unreadable",
       std::string("Received: ") + junk + "\r\n\t" + junk + "\r\n" + kRelay, true},
      {"a line past the line bound settles the header", "X: " + junk + "\r\n" + longLine + "\r\n" + kRelay, true},
      {"more lines than are read", manyLines, true},
      {"lines past the squared budget", squares + kRelay, true},
      {"LF line ends and a trailing fold", "X: " + junk + "\n" + kClean + "\n\tby b\n " , false},
  };
  const BoundedHeader::Limits small{64, 4500};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{4096}, c.header.size()}) {
      bool settled = false;
      const std::string kept = Kept(c.header, small, piece, &settled);
      EXPECT_EQ(Readings(kept), Readings(c.header)) << "pieces of " << piece;
      EXPECT_EQ(settled, c.settles);
      EXPECT_LT(kept.size(), 4 * 4100u);
    }
    EXPECT_EQ(Kept(c.header, {}, 4096), c.header);  // below the default bound: kept whole
  }
}

TEST_F(BoundedHeaderTest, RandomHeadersReadTheSameFromWhatIsKept) {
  const std::string tokens[] = {"\r\n", "\n", "\r", "\t", " ", "\f", "Received:", kRelay, kClean, " from b ",
                                "[192.0.2.7]", "X-A: ", "unknown", "(", "x"};
  std::mt19937 random(20240101);
  for (int round = 0; round < 3000; ++round) {
    std::string header;
    const int count = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) header += tokens[random() % std::size(tokens)];
    const std::size_t end = header.find("\r\n\r\n");
    if (end != std::string::npos) header.resize(end);  // a header has no empty line
    const std::size_t piece = 1 + random() % 16;
    ASSERT_EQ(Readings(Kept(header, {8, 1 << 20}, piece)), Readings(header)) << testing::PrintToString(header);
  }
}

TEST_F(BoundedHeaderTest, LargeFilesAreReadInBoundedMemoryWithTheSameRelay) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(testing::TempDir()) / "quorn-bounded-header-test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string junk(6 << 20, 'j');  // past the default bound
  const std::string header = "X-Junk: " + junk + "\n" + kRelay + "\n";
  std::ofstream(dir / "big.eml", std::ios::binary) << header << "\nbody\n";
  std::ofstream(dir / "noline.eml", std::ios::binary) << junk;
  std::ofstream(dir / "big.mbox", std::ios::binary)
      << "From a\n" << header << "\n" << junk << "\n>From b\nFrom c\nX: " << junk << "\r\n" << kClean << "\r\n";

  struct Sink : MessageSink {
    void Message(const std::string& name, const std::string& h) override { got.emplace_back(name, Readings(h)); }
    void Unreadable(const std::string& name) override { got.emplace_back(name, std::vector<std::string>{"?"}); }
    std::vector<std::pair<std::string, std::vector<std::string>>> got;
  } sink;
  for (const char* name : {"big.eml", "noline.eml", "big.mbox"}) {
    const std::string path = (dir / name).generic_string();
    ReadMessages({path, StartsAsMbox(path) ? MessageFileKind::Mbox : MessageFileKind::Message}, sink);
  }
  const std::string base = dir.generic_string() + "/";
  const auto relay = Readings(kRelay), clean = Readings(kClean);
  ASSERT_EQ(sink.got.size(), 4u);
  EXPECT_EQ(sink.got[0], std::make_pair(base + "big.eml", relay));
  EXPECT_EQ(sink.got[1], std::make_pair(base + "noline.eml", std::vector<std::string>{}));
  EXPECT_EQ(sink.got[2], std::make_pair(base + "big.mbox#1", relay));
  EXPECT_EQ(sink.got[3], std::make_pair(base + "big.mbox#2", clean));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quorn
