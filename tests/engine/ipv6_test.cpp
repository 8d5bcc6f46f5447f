// Relays that speak IPv6: the address and network parsers on well-formed
// and hostile text, and whole messages judged with the built-in lists.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/general.h"
#include "settings/default_lines.h"
#include "tests/engine/scripted_resolver.h"

namespace quorn {
namespace {

// The address in the canonical text of RFC 5952 (lower case, longest run of
// zero groups compressed), or "-" for no address.
std::string Canonical(const std::optional<Ipv6Address>& a) {
  if (!a) return "-";
  int bestStart = -1, bestLength = 1;
  for (int i = 0; i < 8;) {
    int j = i;
    while (j < 8 && (*a)[2 * j] == 0 && (*a)[2 * j + 1] == 0) ++j;
    if (j - i > bestLength) bestStart = i, bestLength = j - i;
    i = j == i ? i + 1 : j;
  }
  std::string out;
  char group[8];
  for (int i = 0; i < 8; ++i) {
    if (i == bestStart) {
      out += "::";
      i += bestLength - 1;
      continue;
    }
    if (!out.empty() && out.back() != ':') out += ':';
    std::snprintf(group, sizeof group, "%x", (*a)[2 * i] << 8 | (*a)[2 * i + 1]);
    out += group;
  }
  return out;
}

TEST(ParseIPv6, ReadsEveryStandardFormAndNothingElse) {
  const struct {
    const char* text;
    const char* canonical;  // "-": no address
  } cases[] = {
      {"2001:db8::25", "2001:db8::25"},
      {"2001:0db8:0000:0000:0000:0000:0000:0025", "2001:db8::25"},
      {"2001:DB8::1:2", "2001:db8::1:2"},
      {"IPv6:2001:db8::25", "2001:db8::25"},
      {"ipv6:2001:db8::25", "2001:db8::25"},
      {"fe80::d82c:67bf:ec39:a403%9", "fe80::d82c:67bf:ec39:a403"},
      {"fe80::1%eth0", "fe80::1"},
      {"::1", "::1"},
      {"::", "::"},
      {"1::", "1::"},
      {"1:2:3:4:5:6:7::", "1:2:3:4:5:6:7:0"},
      {"::2:3:4:5:6:7:8", "0:2:3:4:5:6:7:8"},
      {"::ffff:198.51.100.7", "::ffff:c633:6407"},
      {"64:ff9b::192.0.2.33", "64:ff9b::c000:221"},
      {"1:2:3:4:5:6:1.2.3.4", "1:2:3:4:5:6:102:304"},
      // Hostile or malformed: no address.
      {"", "-"},
      {":", "-"},
      {":::", "-"},
      {"1:2:3:4:5:6:7", "-"},
      {"1:2:3:4:5:6:7:8:9", "-"},
      {"1:2:3:4:5:6:7:8::", "-"},
      {"1::2::3", "-"},
      {":1:2:3:4:5:6:7", "-"},
      {"1:2:3:4:5:6:7:", "-"},
      {"12345::1", "-"},
      {"2001:db8::g", "-"},
      {" 2001:db8::1", "-"},
      {"2001:db8::1 ", "-"},
      {"2001:db8::1\n", "-"},
      {"[2001:db8::1]", "-"},
      {"2001:db8::1/64", "-"},
      {"fe80::1%", "-"},
      {"fe80::1%a b", "-"},
      {"fe80::1%9%9", "-"},
      {"IPv6:", "-"},
      {"IPv6:IPv6:::1", "-"},
      {"::ffff:1.2.3", "-"},
      {"::ffff:1.2.3.256", "-"},
      {"::ffff:1.2.3.4.5", "-"},
      {"1.2.3.4::", "-"},
      {"1:2:3:4:5:6:7:1.2.3.4", "-"},
      {"::1.2.3.4:5", "-"},
      {"192.0.2.1", "-"},
      {"FFFFFFFF:00000000", "-"},
      {"12:34:56", "-"},
  };
  for (const auto& c : cases) EXPECT_EQ(Canonical(ParseIPv6(c.text)), c.canonical) << c.text;

  // Long hostile texts end quickly and read as no address.
  EXPECT_FALSE(ParseIPv6(std::string(1 << 20, ':')));
  EXPECT_FALSE(ParseIPv6("1" + std::string(1 << 20, '0') + "::1"));
  EXPECT_FALSE(ParseIPv6("::1%" + std::string(1 << 20, '%')));
}

TEST(ParseNetwork, ReadsIPv6NetworksByTheRulesOfIPv4Ones) {
  const struct {
    const char* text;
    bool network;
    bool ipv6;
    std::int32_t prefix;
  } cases[] = {
      {"2001:db8::/32", true, true, 32},
      {"::1/128", true, true, 128},
      {"fe80::/10", true, true, 10},
      {"fc00::/7", true, true, 7},
      {"2001:db8::25", true, true, 0},
      {"2001:db8::/032", true, true, 32},
      {"fe80::1%9", true, true, 0},
      {"IPv6:2001:db8::25", true, true, 0},
      {"::ffff:10.0.0.0/104", true, false, 8},
      {"::ffff:192.0.2.7", true, false, 0},
      {"::/0", false, false, 0},
      {"::", false, false, 0},
      {"::ffff:10.0.0.0/96", true, true, 96},  // holds no address: mapped ones are IPv4
      {"2001:db8::/129", false, false, 0},
      {"2001:db8::/1280", false, false, 0},
      {"2001:db8::/", false, false, 0},
      {"2001:db8::/-1", false, false, 0},
      {"2001:db8::/32/64", false, false, 0},
      {" 2001:db8::/32", false, false, 0},
      {"2001:db8::/32 ", false, false, 0},
      {"2001:db8:/32", false, false, 0},
      {"host.example:25", false, false, 0},
  };
  for (const auto& c : cases) {
    ipmask m = ParseNetwork(c.text);
    EXPECT_EQ(m.address != 0, c.network) << c.text;
    if (!c.network) continue;
    EXPECT_EQ(m.ipv6, c.ipv6) << c.text;
    EXPECT_EQ(m.prefix, c.prefix) << c.text;
  }
}

TEST(AddressInNetwork, IPv6NetworksHoldIPv6AddressesOnly) {
  const struct {
    const char* network;
    const char* address;
    bool inside;
  } cases[] = {
      {"2001:db8::/32", "2001:db8:ffff::1", true},
      {"2001:db8::/32", "2001:db9::1", false},
      {"fe80::/10", "febf::1", true},
      {"fe80::/10", "fec0::1", false},
      {"fe80::/10", "fe80::d82c:67bf:ec39:a403%9", true},
      {"fc00::/7", "fdff::1", true},
      {"fc00::/7", "fe00::1", false},
      {"::1/128", "::1", true},
      {"::1/128", "IPv6:::1", true},
      {"::1/128", "::2", false},
      {"2001:db8::25", "2001:db8::25", true},
      {"2001:db8::25/0", "2001:db8::25", true},
      {"2001:db8::25", "2001:db8::26", false},
      {"2001:db8::1/32", "2001:db8::1", false},  // bits beyond the prefix: contains nothing
      // No cross-family matches, in either direction.
      {"::1/128", "0.0.0.1", false},
      {"::a00:0/104", "10.0.0.1", false},
      {"10.0.0.0/8", "::a00:1", false},
      {"0.0.0.1", "::1", false},
      // IPv4-mapped addresses are their IPv4 address.
      {"10.0.0.0/8", "::ffff:10.1.2.3", true},
      {"10.0.0.0/8", "::FFFF:a01:203", true},
      {"::ffff:10.0.0.0/104", "10.200.0.1", true},
      {"::ffff:0:0/96", "::ffff:10.1.2.3", false},
      {"::ffff:0:0/80", "::ffff:10.1.2.3", false},
      // Text that is no address lies in no network.
      {"2001:db8::/32", "2001:db8::1 ", false},
      {"2001:db8::/32", "2001:db8:::1", false},
  };
  for (const auto& c : cases) {
    ipmask m = ParseNetwork(c.network);
    ASSERT_NE(m.address, 0u) << c.network;
    EXPECT_EQ(AddressInNetwork(ReadRelayAddress(c.address), m), c.inside) << c.network << " " << c.address;
    EXPECT_EQ(IsExcluded(c.address, {m}), c.inside) << c.network << " " << c.address;
  }
}

std::string Relay(const std::string& host, const std::string& ip) {
  return "Received: from helo (" + host + " [" + ip + "])\r\n\tby mx.local; Mon, 1 Jan 2024\r\n";
}

class IPv6VerdictTest : public testing::Test {
 protected:
  void SetUp() override { UseDefaultLists(); }
  ScriptedResolver form;
};

// The message of the report: a dynamic IPv6 relay above a line its sender
// wrote to look like a whitelisted provider.
TEST_F(IPv6VerdictTest, AnIPv6RelayIsJudgedLikeAnIPv4One) {
  const std::string forged = Relay("mail.yahoo.co.jp", "198.51.100.7");
  const struct {
    const char* name;
    std::string header;
    TextLines white, black;  // an empty White keeps the built-in one
    VerdictCode code;
    const char* ip;
  } cases[] = {
      {"the top relay decides", Relay("2001-db8-1-2.dyn.example.net", "2001:db8::1:2") + forged, {}, {},
       RuleVerdict(0), "2001:db8::1:2"},
      {"tagged as Postfix writes it",
       "Received: from bot.example (2001-db8-1-2.dyn.example.net [IPv6:2001:db8::1:2])\r\n" + forged, {}, {},
       RuleVerdict(0), "2001:db8::1:2"},
      {"loopback, link-local and unique-local relays are passed over",
       Relay("localhost", "IPv6:::1") + Relay("lan", "fe80::1%4") + Relay("ula", "fd12:3456::9") + forged, {},
       {}, Whitelisted, "198.51.100.7"},
      {"a mapped address inside 10.0.0.0/8 is passed over", Relay("lan", "::ffff:10.1.2.3") + forged, {}, {},
       Whitelisted, "198.51.100.7"},
      {"a White network", Relay("abc1-2.example.com", "2001:db8::9") + forged, {"2001:db8::/32"}, {},
       Whitelisted, "2001:db8::9"},
      {"a Black network beats a White text", Relay("mx.yahoo.co.jp", "2001:db8::9") + forged, {".yahoo.co.jp"},
       {"2001:db8::/48"}, Blacklisted, "2001:db8::9"},
      {"an IPv4 network holds no IPv6 relay", Relay("mx.example.org", "2001:db8::9") + forged,
       {"0.0.0.0/1", "128.0.0.0/1"}, {}, Normal, "2001:db8::9"},
      {"a relay named unknown", Relay("unknown", "2001:db8::9") + forged, {}, {}, ReceivedUnknown,
       "2001:db8::9"},
  };
  for (const auto& c : cases) {
    UseDefaultLists();
    if (!c.white.empty()) White.Replace(c.white);
    Black.Replace(c.black);
    MessageVerdict v = JudgeMessage(form, c.header);
    EXPECT_EQ(v.hop.code, c.code) << c.name;
    EXPECT_EQ(v.hop.ip, c.ip) << c.name;
  }
  EXPECT_TRUE(form.asked.empty());
}

TEST_F(IPv6VerdictTest, ARelayWithoutANameIsLookedUpByItsAddressText) {
  form.AcceptReceivedHost = false;
  form.answers = {"2001-db8--9.pool.example.net"};
  MessageVerdict v = JudgeMessage(form, Relay("helo", "2001:db8::9"));
  ASSERT_EQ(form.asked.size(), 1u);
  EXPECT_EQ(form.asked[0], "2001:db8::9");
  EXPECT_EQ(v.hop.host, "2001-db8--9.pool.example.net");
  EXPECT_EQ(v.hop.code, RuleVerdict(0));
  EXPECT_TRUE(v.spam);
  EXPECT_STREQ(VerdictLabel(form), "rule1");
}

}  // namespace
}  // namespace quorn
