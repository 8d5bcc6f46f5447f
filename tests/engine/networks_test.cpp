#include <gtest/gtest.h>

#include <boost/regex.hpp>

#include <random>
#include <string>
#include <vector>

#include "engine/lists.h"
#include "engine/networks.h"

namespace quorn {
namespace {

constexpr std::uint32_t Quad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  return a << 24 | b << 16 | c << 8 | d;
}

struct NetworkCase {
  const char* text;
  std::uint32_t address;
  std::int32_t prefix;
};

TEST(ParseNetwork, ReadsNetworksAndRefusesEverythingElse) {
  const NetworkCase cases[] = {
      {"10.0.0.0/8", Quad(10, 0, 0, 0), 8},
      {"172.16.0.0/12", Quad(172, 16, 0, 0), 12},
      {"192.168.1.7", Quad(192, 168, 1, 7), 0},
      {"192.168.1.7/32", Quad(192, 168, 1, 7), 32},
      {"192.168.1.7/0", Quad(192, 168, 1, 7), 0},
      {"10.1.2.3/8", Quad(10, 1, 2, 3), 8},  // kept unmasked
      {"0.0.0.0/0", 0, 0},
      {"0.0.0.0", 0, 0},
      {" 10.0.0.0/8", 0, 0},
      {"10.0.0.0/8 ", 0, 0},
      {"1.2.3.4/100", 0, 0},
      {"1.2.3.4/", 0, 0},
      {"1.2.3", 0, 0},
      {"1.2.3.4.5", 0, 0},
      {"1.2.3.4/8/0", 0, 0},
      {"1234.2.3.4", 0, 0},
      {"", 0, 0},
      {"example.com", 0, 0},
      // An octet above 255 is no quad, rather than carrying into the next octet.
      {"300.0.0.0/8", 0, 0},
      {"1.2.3.256", 0, 0},
      // A prefix above 32 is no network, rather than acting modulo 32.
      {"1.2.3.4/33", 0, 0},
      {"10.0.0.0/40", 0, 0},
      {"10.0.0.0/99", 0, 0},
  };
  for (const auto& c : cases) {
    ipmask m = ParseNetwork(c.text);
    EXPECT_EQ(m.address, c.address) << c.text;
    EXPECT_EQ(m.prefix, c.prefix) << c.text;
  }
}

struct MembershipCase {
  const char* network;
  const char* address;
  bool inside;
};

TEST(AddressInNetwork, FollowsTheMaskOfThePrefix) {
  const MembershipCase cases[] = {
      {"10.0.0.0/8", "10.255.255.255", true},
      {"10.0.0.0/8", "11.0.0.0", false},
      {"10.0.0.0/8", "9.255.255.255", false},
      {"172.16.0.0/12", "172.31.0.1", true},
      {"172.16.0.0/12", "172.32.0.1", false},
      {"192.168.1.7", "192.168.1.7", true},
      {"192.168.1.7", "192.168.1.8", false},
      {"192.168.1.7/32", "192.168.1.7", true},
      {"192.168.1.7/32", "192.168.1.6", false},
      {"192.168.1.7/0", "192.168.1.7", true},
      {"192.168.1.7/0", "192.168.1.70", false},
      {"192.168.1.6/31", "192.168.1.7", true},
      {"128.0.0.0/1", "255.1.2.3", true},
      {"128.0.0.0/1", "127.255.255.255", false},
      {"10.1.2.3/8", "10.1.2.3", false},  // bits beyond the prefix: no address fits
      {"10.0.0.0/8", "10.0.0.256", false},
      {"10.0.0.0/8", "10.0.0", false},
      {"10.0.0.0/8", "", false},
      {"10.0.0.0/8", "host.example", false},
  };
  for (const auto& c : cases) {
    ipmask m = ParseNetwork(c.network);
    EXPECT_EQ(AddressInNetwork(ParseIPv4(c.address, 32), m), c.inside)
        << c.address << " in " << c.network;
    // The rule as written: the address masked with the network's prefix.
    EXPECT_EQ(m.address != 0 && ParseIPv4(c.address, m.prefix) == m.address, c.inside)
        << c.address << " in " << c.network;
  }
}

TEST(NetworkMask, ActsAsSingleHostForZeroAndThirtyTwo) {
  EXPECT_EQ(NetworkMask(0), 0xFFFFFFFFu);
  EXPECT_EQ(NetworkMask(32), 0xFFFFFFFFu);
  EXPECT_EQ(NetworkMask(8), 0xFF000000u);
  EXPECT_EQ(NetworkMask(12), 0xFFF00000u);
  EXPECT_EQ(NetworkMask(31), 0xFFFFFFFEu);
}

TEST(ParseIPv4, MasksWithThePrefix) {
  EXPECT_EQ(ParseIPv4("192.168.1.7", 16), Quad(192, 168, 0, 0));
  EXPECT_EQ(ParseIPv4("192.168.1.7", 0), Quad(192, 168, 1, 7));
  EXPECT_EQ(ParseIPv4("255.255.255.255", 32), 0xFFFFFFFFu);
  EXPECT_EQ(ParseIPv4("1.2.3.4 ", 32), 0u);
  EXPECT_EQ(ParseIPv4("2001:db8::1", 32), 0u);
}

TEST(ParseIPv4, LetsAnchorsMatchAtLineBreaksAsTheLibraryDoes) {
  EXPECT_EQ(ParseIPv4("x\n1.2.3.4", 32), Quad(1, 2, 3, 4));
  EXPECT_EQ(ParseIPv4("1.2.3.4\r\ny", 32), Quad(1, 2, 3, 4));
  EXPECT_EQ(ParseNetwork("junk\n10.0.0.0/8").address, Quad(10, 0, 0, 0));
}

// The hand-written readers against the patterns they stand for, applied
// with the library, over random texts built from the pieces that matter.
std::uint32_t ReferenceQuad(const std::string& text) {
  static const boost::regex quad(R"(^(\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3})$)");
  boost::smatch m;
  if (!boost::regex_search(text, m, quad)) return 0;
  std::uint32_t v = 0;
  for (int i = 1; i <= 4; ++i) {
    unsigned long octet = std::stoul(m[i].str());
    if (octet > 255) return 0;
    v = v << 8 | static_cast<std::uint32_t>(octet);
  }
  return v;
}

ipmask ReferenceNetwork(const std::string& text) {
  static const boost::regex network(R"(^((?:\d{1,3}\.){3}\d{1,3})/(\d{1,2})$)");
  auto read = [](const std::string& t, ipmask& out) {
    boost::smatch m;
    if (!boost::regex_search(t, m, network)) return;
    std::uint32_t address = ReferenceQuad(m[1].str());
    int prefix = std::stoi(m[2].str());
    out = (address != 0 && prefix <= 32) ? ipmask{address, prefix} : ipmask{};
  };
  ipmask result;
  read(text, result);
  read(text + "/0", result);
  return result;
}

TEST(Networks, AgreeWithTheLibraryPatternsOnRandomTexts) {
  const std::vector<std::string> pieces = {"1", "25", "255", "256", "999", "0",  "1234", ".",
                                           ".", ".", "/", "8",  "32",  "33",  " ",  "\n",
                                           "\r", "\f", "a", "\r\n"};
  std::mt19937 random(20261209);
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    int n = static_cast<int>(random() % 12);
    for (int j = 0; j < n; ++j) text += pieces[random() % pieces.size()];
    ASSERT_EQ(ParseIPv4(text, 32), ReferenceQuad(text)) << testing::PrintToString(text);
    ipmask got = ParseNetwork(text), want = ReferenceNetwork(text);
    ASSERT_EQ(got.address, want.address) << testing::PrintToString(text);
    ASSERT_EQ(got.prefix, want.prefix) << testing::PrintToString(text);
  }
}

TEST(SkipNetworks, KeepOnlyNetworksInTheirOrder) {
  Skip.Replace({"# private", "", "10.0.0.0/8", "0.0.0.0/0", "bogus", "192.168.0.0/16", "0.0.0.0"});
  BuildSkipNetworks();
  auto networks = SkipNetworks.Current();
  ASSERT_EQ(networks->size(), 2u);
  EXPECT_EQ((*networks)[0].address, Quad(10, 0, 0, 0));
  EXPECT_EQ((*networks)[1].address, Quad(192, 168, 0, 0));
  EXPECT_TRUE(IsExcluded("10.9.8.7"));
  EXPECT_TRUE(IsExcluded("192.168.3.4"));
  EXPECT_FALSE(IsExcluded("172.16.0.1"));
  EXPECT_FALSE(IsExcluded(""));
  EXPECT_FALSE(IsExcluded("0.0.0.0"));

  Skip.Replace({"# only comments", "// here"});
  BuildSkipNetworks();
  EXPECT_TRUE(SkipNetworks.Current()->empty());
  EXPECT_FALSE(IsExcluded("10.9.8.7"));
}

}  // namespace
}  // namespace quorn
