// Damaged settings files: a Count that cannot be a real list's, and a load
// that fails part-way. Through the platform's profile implementation (ours
// natively, the system's functions under Wine), with failures injected
// through the profile-file interface.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <string>

#include "engine/lists.h"
#include "engine/text_error.h"
#include "settings/default_lines.h"
#include "settings/settings_model.h"
#include "tests/settings/settings_fixture.h"

namespace quorn {
namespace {

class SettingsDamageTest : public SettingsFileTest {};

TEST_F(SettingsDamageTest, AnUntrustedCountReadsTheItemsPresentAndTheSaveKeepsThem) {
  const struct {
    const char* section;
    const char* keys;    // the section's keys after its name line
    TextLines lines;     // as loaded
    bool repaired;
  } cases[] = {
      {"Rules", "Count=1000000\r\nItem0=^a\r\nItem1=^b\r\nItem2=^c\r\n", {"^a", "^b", "^c"}, true},
      {"RecvRegex", "Count=-5\r\nItem0=(x)(y)\r\nItem1=# c\r\nItem2=(p)(q)\r\n",
       {"(x)(y)", "# c", "(p)(q)"}, true},
      {"Rules", "Count=2000000000\r\nitem1=^b\r\nITEM0=^a\r\nItem2=^c\r\n", {"^a", "^b", "^c"}, true},
      // A gap reads as an empty line; keys that no save writes are no items.
      {"Black", "Count=-1\r\nItem3=d\r\nItem0=a\r\nItem01=z\r\nItemX=z\r\n", {"a", "", "", "d"}, true},
      // An item far past the bound is left in the file, unread.
      {"White", "Count=-1\r\nItem0=a\r\nItem100000=far\r\n", {"a"}, true},
      {"White", "Count=-2\r\n", {}, true},
      // A Count that is no number: a typo must not empty the list.
      {"RecvRegex", "Count=1O\r\nItem0=(x)(y)\r\nItem1=(p)(q)\r\n", {"(x)(y)", "(p)(q)"}, true},
      {"Rules", "Count=3000000000\r\nItem0=^a\r\n", {"^a"}, true},
      // Within the bound the Count stands: missing items are empty lines.
      {"Black", "Count=5\r\nItem4=e\r\nItem1=b\r\n", {"", "b", "", "", "e"}, false},
      {"Black", "Count=100000\r\nItem0=a\r\n", {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + ": " + c.keys);
    const std::string path = PathOf("Quorn.ini");
    const std::string original = std::string("[") + c.section + "]\r\n" + c.keys;
    WriteBytes(path, original);
    SettingsModel model;
    const SettingsModel::LoadReport report = model.LoadSettings(path);

    SettingList& list = std::string(c.section) == "Rules"       ? Rules
                        : std::string(c.section) == "RecvRegex" ? RecvRegex
                        : std::string(c.section) == "White"     ? White
                                                                : Black;
    const TextLines loaded = list.Current()->Lines();
    if (std::string(c.keys).rfind("Count=100000\r", 0) == 0) {
      EXPECT_EQ(loaded.size(), 100000u);
      EXPECT_EQ(loaded[0], "a");
    } else {
      EXPECT_EQ(loaded, c.lines);
    }
    EXPECT_EQ(report.repairedLists, c.repaired ? std::vector<std::string>{c.section}
                                               : std::vector<std::string>{});
    const std::string told = SettingsModel::RepairedListsText(path, report);
    EXPECT_EQ(told.find(path) != std::string::npos && told.find(c.section) != std::string::npos,
              c.repaired);

    // The save writes the lines back and deletes nothing: every key line of
    // the file is still there as it was, and the next load reads the same
    // lines without a repair.
    model.SaveSettings(path);
    const std::string saved = ReadBytes(path);
    std::string keys = c.keys;
    for (std::size_t at = 0, end; (end = keys.find("\r\n", at)) != std::string::npos; at = end + 2) {
      const std::string line = keys.substr(at, end - at + 2);
      if (line.rfind("Count=", 0) != 0) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
      }
    }
    SettingsModel again;
    EXPECT_TRUE(again.LoadSettings(path).repairedLists.empty());
    EXPECT_EQ(list.Current()->Lines(), loaded);
  }
}

// The platform's profile file, failing at a chosen call.
class FailingProfile : public ProfileFile {
 public:
  FailingProfile(const std::string& path, std::function<void(const std::string&)> fail)
      : real_(OpenProfileFile(path)), fail_(std::move(fail)) {}
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) override {
    fail_("ReadString " + section + " " + key);
    return real_->ReadString(section, key, fallback);
  }
  std::vector<ProfileEntry> ReadSection(const std::string& section) override {
    fail_("ReadSection " + section);
    return real_->ReadSection(section);
  }
  bool HasSection(const std::string& section) override {
    fail_("HasSection " + section);
    return real_->HasSection(section);
  }
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    real_->WriteString(section, key, value);
  }

 private:
  std::unique_ptr<ProfileFile> real_;
  std::function<void(const std::string&)> fail_;
};

const char kUserFile[] =
    "[FormMain]\r\nTop=7\r\nTimeOut=100\r\nParalysis=1\r\nFolder=Box\\Spam\\\r\n"
    "[Skip]\r\nCount=1\r\nItem0=198.51.100.0/24\r\n"
    "[Black]\r\nCount=2\r\nItem0=spam.example\r\nItem1=203.0.113.0/24\r\n"
    "[Rules]\r\nCount=2\r\nItem0=^mine\r\nItem1=^also-mine\r\n"
    "[RecvRegex]\r\nCount=1\r\nItem0=from (\\S+) \\[([\\d.]+)\\]\r\n";

TEST_F(SettingsDamageTest, AFailedLoadLeavesTheDefaultsAndKeepsTheFileBeforeTheNextSave) {
  const struct {
    const char* failingCall;
    bool outOfMemory;
  } cases[] = {
      {"ReadString FormMain Top", false},
      {"ReadString FormMain TimeOut", true},
      {"ReadSection Rules", true},
      {"HasSection RecvRegex", false},
      {"ReadSection RecvRegex", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failingCall);
    const std::string path = PathOf("Quorn.ini");
    std::filesystem::remove(path + ".bak");
    WriteBytes(path, kUserFile);
    Rules.Replace({"^left over"});
    SkipNetworks.Replace({});

    SettingsModel model;
    FailingProfile file(path, [&](const std::string& call) {
      if (call != c.failingCall) return;
      if (c.outOfMemory) throw std::bad_alloc();
      throw std::runtime_error("read error");
    });
    try {
      model.LoadSettings(path, file);
      ADD_FAILURE() << "no error";
    } catch (const TextError& e) {
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
    const SettingsModel construction;
    EXPECT_EQ(model.TimeOut, construction.TimeOut);
    EXPECT_EQ(model.Paralysis, construction.Paralysis);
    EXPECT_EQ(model.WindowTop(), SettingsModel::kDesignTop);
    EXPECT_EQ(Skip.Current()->Lines(), DefaultSkipLines());
    EXPECT_EQ(Rules.Current()->Lines(), DefaultRulesLines());
    EXPECT_EQ(RecvRegex.Current()->Lines(), DefaultRecvRegexLines());
    EXPECT_EQ(SkipNetworks.Current()->size(), DefaultSkipLines().size());
    EXPECT_FALSE(std::filesystem::exists(path + ".bak"));  // nothing written yet

    // The first save keeps the file as it was; later saves add no copy.
    model.SaveSettings(path);
    EXPECT_EQ(ReadBytes(path + ".bak"), kUserFile);
    EXPECT_NE(ReadBytes(path).find("Count=8\r\n"), std::string::npos);
    model.SaveSettings(path);
    EXPECT_FALSE(std::filesystem::exists(path + ".bak2"));
  }
}

TEST_F(SettingsDamageTest, AnExistingBackupIsNeverOverwritten) {
  const std::string path = PathOf("Quorn.ini");
  const struct {
    const char* existing;        // the content of Quorn.ini.bak before the save
    const char* newCopy;         // the backup made by the save, if any
  } cases[] = {
      {"an older backup of the user's", ".bak2"},
      {kUserFile, nullptr},  // already kept
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.existing);
    std::filesystem::remove(path + ".bak2");
    WriteBytes(path, kUserFile);
    WriteBytes(path + ".bak", c.existing);
    SettingsModel model;
    FailingProfile file(path, [](const std::string&) { throw std::runtime_error("read error"); });
    EXPECT_THROW(model.LoadSettings(path, file), TextError);
    model.SaveSettings(path);
    EXPECT_EQ(ReadBytes(path + ".bak"), c.existing);
    if (c.newCopy) {
      EXPECT_EQ(ReadBytes(path + c.newCopy), kUserFile);
    } else {
      EXPECT_FALSE(std::filesystem::exists(path + ".bak2"));
    }
  }
}

}  // namespace
}  // namespace quorn
