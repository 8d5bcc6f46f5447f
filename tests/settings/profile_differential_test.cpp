// Our own profile reader and writer against the platform's profile
// functions, under Wine: the same operations on the same starting files
// must give the same answers and byte-identical files. Any difference is a
// fault in ours.
#include <gtest/gtest.h>

#include <strings.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "engine/lists.h"
#include "settings/profile_text.h"
#include "settings/profile_win32.h"
#include "settings/settings_model.h"
#include "tests/settings/settings_fixture.h"

namespace quorn {
namespace {

// Lines that hand editing, other programs and damage leave in such files.
// (Bytes that code page 1252 reads as Unicode blanks, such as A0, are left
// out: Wine under a Western locale would take them for blanks.)
const std::vector<std::string> kLines = {
    "[FormMain]", "[ Skip ]", "[skip]", "[Rules]", "[RecvRegex]", "[Black]", "[White]",
    "[x",         "[Other]]", "[]",     "Count=3", " Count = 2 ", "Item0 = a ",
    "item1=\"q\"", "Item2='s'", ";Count=1", "noequals", "=v", "=w", "\t",
    "",           "TimeOut=0x10", "timeout=abc", "Top=-5", "Folder=\"\"", "Item0=\x1A",
    "Item3=日本語", "ITEM4=  x  y  ", "Paralysis=2", "Count=-1", "Item0=\"open",
};
const std::vector<std::string> kLineEnds = {"\r\n", "\n", "\r\r\n", "\r\n\r\n"};
const std::vector<std::string> kSections = {"FormMain", "Skip", "SKIP", " Skip ", "Rules",
                                            "Black", "New", "x", "Other]"};
const std::vector<std::string> kKeys = {"Count", "count", "Item0", "Item1", "Item3", "TimeOut",
                                        " Top ", "Folder", "New", "noequals"};
const std::vector<std::string> kValues = {"1", "", "  lead", "trail  ", "\"quoted\"", "'s'",
                                          "a=b", "日本語", "0x10", "\"", "[x]", ";c"};

std::string Trim(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

template <class T>
const T& Pick(std::mt19937& random, const std::vector<T>& from) {
  return from[random() % from.size()];
}

class ProfileDifferentialTest : public SettingsFileTest {
 protected:
  std::string RandomFile(std::mt19937& random) {
    std::string bytes;
    int lines = static_cast<int>(random() % 14);
    for (int i = 0; i < lines; ++i) bytes += Pick(random, kLines) + Pick(random, kLineEnds);
    return bytes;
  }
};

TEST_F(ProfileDifferentialTest, KeyOperationsAgreeWithThePlatform) {
  std::mt19937 random(4242);
  for (int round = 0; round < 200; ++round) {
    const std::string start = RandomFile(random);
    const std::string ours = PathOf("ours" + std::to_string(round) + ".ini");
    const std::string theirs = PathOf("theirs" + std::to_string(round) + ".ini");
    WriteBytes(ours, start);
    WriteBytes(theirs, start);
    for (int step = 0; step < 8; ++step) {
      const std::string& section = Pick(random, kSections);
      const std::string& key = Pick(random, kKeys);
      const std::string& value = Pick(random, kValues);
      TextProfileFile mine(ours);
      Win32ProfileFile platform(theirs);
      switch (random() % 3) {
        case 0:
          mine.WriteString(section, key, value);
          platform.WriteString(section, key, value);
          break;
        case 1:
          ASSERT_EQ(mine.ReadString(section, key, value), platform.ReadString(section, key, value))
              << testing::PrintToString(start) << " [" << section << "] " << key;
          break;
        default:
          ASSERT_EQ(mine.HasSection(section), platform.HasSection(section))
              << testing::PrintToString(start) << " [" << section << "]";
      }
    }
    ASSERT_EQ(ReadBytes(ours), ReadBytes(theirs)) << testing::PrintToString(start);
  }
}

// The platform's functions, a save's keys written one after another: what
// our batched writers must reproduce byte for byte.
class PlatformKeyByKey : public Win32ProfileFile {
 public:
  using Win32ProfileFile::Win32ProfileFile;
  void WriteKeys(const std::vector<ProfileWrite>& writes) override {
    ProfileFile::WriteKeys(writes);
  }
};

TEST_F(ProfileDifferentialTest, SectionReadsAgreeWithKeyReads) {
  std::mt19937 random(777);
  for (int round = 0; round < 200; ++round) {
    const std::string start = RandomFile(random);
    const std::string path = PathOf("sections" + std::to_string(round) + ".ini");
    WriteBytes(path, start);
    TextProfileFile mine(path);
    Win32ProfileFile platform(path);
    for (const std::string& section : kSections) {
      for (ProfileFile* file : {static_cast<ProfileFile*>(&mine), static_cast<ProfileFile*>(&platform)}) {
        const std::vector<ProfileEntry> entries = file->ReadSection(section);
        for (const std::string& key : kKeys) {
          std::string fromSection = "(missing)";
          for (const ProfileEntry& e : entries) {
            if (strcasecmp(e.key.c_str(), key.c_str()) == 0 ||
                strcasecmp(e.key.c_str(), Trim(key).c_str()) == 0) {
              fromSection = e.value;
              break;
            }
          }
          ASSERT_EQ(fromSection, platform.ReadString(section, key, "(missing)"))
              << (file == &mine ? "ours " : "platform ") << testing::PrintToString(start) << " ["
              << section << "] " << key;
        }
      }
    }
  }
}

TEST_F(ProfileDifferentialTest, BatchedWritesAgreeWithThePlatformKeyByKey) {
  std::mt19937 random(99);
  for (int round = 0; round < 200; ++round) {
    const std::string start = RandomFile(random);
    std::vector<ProfileWrite> writes;
    int count = static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
      writes.push_back({Pick(random, kSections), Pick(random, kKeys), Pick(random, kValues)});
    }
    const std::string reference = PathOf("keys" + std::to_string(round) + ".ini");
    const std::string text = PathOf("text" + std::to_string(round) + ".ini");
    const std::string platform = PathOf("batch" + std::to_string(round) + ".ini");
    for (const std::string& path : {reference, text, platform}) WriteBytes(path, start);
    PlatformKeyByKey(reference).WriteKeys(writes);
    TextProfileFile(text).WriteKeys(writes);
    Win32ProfileFile(platform).WriteKeys(writes);
    ASSERT_EQ(ReadBytes(text), ReadBytes(reference)) << testing::PrintToString(start);
    ASSERT_EQ(ReadBytes(platform), ReadBytes(reference)) << testing::PrintToString(start);
  }
}

// A file's text (in the ANSI code page, as the profile functions take it)
// in one of the encodings a byte-order mark names, with its mark.
enum class Marked { Utf8, Utf16Le, Utf16Be };
std::string WithByteOrderMark(Marked encoding, const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  wide.resize(static_cast<std::size_t>(std::max(
      0, MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                             static_cast<int>(wide.size())))));
  if (encoding == Marked::Utf8) {
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(static_cast<std::size_t>(std::max(
        0, WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                               static_cast<int>(utf8.size()), nullptr, nullptr))));
    return "\xEF\xBB\xBF" + utf8;
  }
  const bool little = encoding == Marked::Utf16Le;
  std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
  for (wchar_t c : wide) {
    const char low = static_cast<char>(c & 0xFF), high = static_cast<char>((c >> 8) & 0xFF);
    bytes += little ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST_F(ProfileDifferentialTest, BatchedWritesIntoAFileWithAByteOrderMarkAgreeWithThePlatform) {
  std::mt19937 random(2024);
  for (Marked encoding : {Marked::Utf8, Marked::Utf16Le, Marked::Utf16Be}) {
    for (int round = 0; round < 60; ++round) {
      const std::string start = WithByteOrderMark(encoding, RandomFile(random));
      std::vector<ProfileWrite> writes;
      int count = static_cast<int>(random() % 12);
      for (int i = 0; i < count; ++i) {
        writes.push_back({Pick(random, kSections), Pick(random, kKeys), Pick(random, kValues)});
      }
      const std::string reference = PathOf("marked-keys" + std::to_string(round) + ".ini");
      const std::string batch = PathOf("marked-batch" + std::to_string(round) + ".ini");
      for (const std::string& path : {reference, batch}) WriteBytes(path, start);
      PlatformKeyByKey(reference).WriteKeys(writes);
      Win32ProfileFile(batch).WriteKeys(writes);
      ASSERT_EQ(ReadBytes(batch), ReadBytes(reference)) << testing::PrintToString(start);
    }
  }
}

// Key by key, the platform's functions rewrite the whole file for every key
// of a save: time quadratic in the list's length, minutes for a list of
// this size. The save writes it once, in the file's own encoding.
TEST_F(ProfileDifferentialTest, AFileWithAByteOrderMarkIsSavedInOneWriteKeepingTheMark) {
  for (Marked encoding : {Marked::Utf8, Marked::Utf16Le, Marked::Utf16Be}) {
    const std::string path = PathOf("marked.ini");
    const std::string start = WithByteOrderMark(encoding, "[FormMain]\r\nTop=1\r\n");
    WriteBytes(path, start);
    std::vector<ProfileWrite> writes;
    for (int i = 0; i < 20000; ++i) writes.push_back({"White", "Item" + std::to_string(i), ".example" + std::to_string(i)});
    const auto began = std::chrono::steady_clock::now();
    Win32ProfileFile(path).WriteKeys(writes);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    EXPECT_LT(seconds, 10.0);
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.compare(0, 2, start, 0, 2), 0) << "the mark is kept";
    EXPECT_EQ(Win32ProfileFile(path).ReadString("White", "Item19999", ""), ".example19999");
    EXPECT_EQ(Win32ProfileFile(path).ReadString("FormMain", "Top", ""), "1");
  }
}

struct Loaded {
  std::int32_t top, left, timeOut;
  bool paralysis, dropTrash, reverseLookup, acceptReceivedHost;
  std::string folder;
  std::vector<TextLines> lists;
  bool operator==(const Loaded& o) const {
    return top == o.top && left == o.left && timeOut == o.timeOut && paralysis == o.paralysis &&
           dropTrash == o.dropTrash && reverseLookup == o.reverseLookup &&
           acceptReceivedHost == o.acceptReceivedHost && folder == o.folder && lists == o.lists;
  }
};

Loaded Snapshot(const SettingsModel& m) {
  return {m.WindowTop(), m.WindowLeft(), m.TimeOut, m.Paralysis, m.DropTrash, m.ReverseLookup,
          m.AcceptReceivedHost, m.Folder,
          {Skip.Current()->Lines(), White.Current()->Lines(), Black.Current()->Lines(),
           Rules.Current()->Lines(), RecvRegex.Current()->Lines()}};
}

// Loads, edits and saves, as the plug-in does across starts, through one
// implementation of the profile file.
template <class Profile>
std::vector<Loaded> LoadEditSave(const std::string& path, bool writeDefaultsFirst) {
  const TextLines longList(300, "a long list's line");
  std::vector<Loaded> seen;
  UseDefaultLists();
  SettingsModel model;
  if (writeDefaultsFirst) {
    Profile file(path);
    model.WriteDefaultSettings(file);
  }
  {
    Profile file(path);
    model.LoadSettings(path, file);
  }
  seen.push_back(Snapshot(model));
  model.TimeOut = 1500;
  model.Folder = "  Box\\Spam\\ ";
  Rules.Replace({"^x", ""});
  Black.Replace({" 192.0.2.0/24 ", "\"spam.example\""});
  White.Replace(longList);
  {
    Profile file(path);
    model.SaveSettings(file);
  }
  SettingsModel again;
  {
    Profile file(path);
    again.LoadSettings(path, file);
  }
  seen.push_back(Snapshot(again));
  {
    Profile file(path);
    again.SaveSettings(file);
  }
  return seen;
}

TEST_F(ProfileDifferentialTest, LoadsAndSavesAgreeWithThePlatform) {
  const std::vector<std::string> starts = {
      "",
      "[FormMain]\r\nTop = 10 \r\n  Left=\"20\"\r\n\r\n[Rules]\r\nCount=2\r\nItem0= a \r\nItem1='b'\r\n",
      "garbage\n[formmain]\nTIMEOUT=0x20\ndroptrash=0\n[Skip]\ncount=1\nitem0=10.0.0.0/8\n[Skip]\nCount=9\n",
      "[White]\r\n;Count=2\r\n[Black]\r\nCount=3\r\nItem0=x\r\n[Rules\r\n=\r\n=\r\n[RecvRegex]]\r\nCount=1\r\n",
      "\x1A[FormMain]\r\nFolder=C:\\x\\\r\nParalysis=yes\r\n[Rules]\r\nCount=8\r\nItem7=old\r\n",
      // Counts that are no list's, and items in any order and case.
      "[Rules]\r\nCount=1000000\r\nItem2=c\r\nitem0=a\r\n[RecvRegex]\r\nCount=-5\r\nItem1=(a)(b)\r\n"
      "[Black]\r\nCount=2000000000\r\nItem100000=x\r\n[White]\r\nCount=7\r\nItem6=w\r\n",
  };
  int n = 0;
  for (const std::string& start : starts) {
    for (bool defaultsFirst : {false, true}) {
      const std::string ours = PathOf("load-ours" + std::to_string(n) + ".ini");
      const std::string theirs = PathOf("load-theirs" + std::to_string(n) + ".ini");
      ++n;
      WriteBytes(ours, start);
      WriteBytes(theirs, start);
      auto mine = LoadEditSave<TextProfileFile>(ours, defaultsFirst);
      auto platform = LoadEditSave<PlatformKeyByKey>(theirs, defaultsFirst);
      EXPECT_TRUE(mine == platform) << testing::PrintToString(start);
      EXPECT_EQ(ReadBytes(ours), ReadBytes(theirs)) << testing::PrintToString(start);
    }
  }
}

}  // namespace
}  // namespace quorn
