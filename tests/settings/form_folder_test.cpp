// The folder chooser in process under code page 932 (CTest runs this
// program under ja_JP.UTF-8): real directory trees in a temporary folder,
// the real window shown modally and driven by the simulator's window
// actions (tree selection, OK, Cancel, Esc, the close box). That each show
// reads the disk again is proved end to end (settings-folder).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/folder_tree.h"
#include "settings/form_folder.h"
#include "sim/window_actions.h"
#include "texts/catalog.h"
#include "win32/text_convert.h"

namespace sim {
std::vector<std::string> Transcript;
void Say(const std::string& line) { Transcript.push_back(line); }
std::string HideDataFolder(std::string text) { return text; }
}  // namespace sim

namespace quorn {
namespace {

std::string HostAnsi(const std::wstring& wide) {
  std::string out;
  EXPECT_TRUE(HostAnsiFromWide(wide, out));
  return out;
}

class FolderChooserTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 932u) << "run under a Japanese locale (LC_ALL=ja_JP.UTF-8)";
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::wstring(temp) + L"quorn-folder-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            WideFromShiftJis(info->name()) + L"\\";
    CreateDirectoryW(root_.c_str(), nullptr);
    chooser.DataFolder = HostAnsi(root_);
    chooser.MailBox = "MailBox1\\";
    chooser.RootCaption = "MailBox1";
    Dir(L"MailBox1");
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // A directory below the data folder, with attribute bits set after.
  void Dir(const std::wstring& path, DWORD attributes = 0) {
    const std::wstring full = L"\\\\?\\" + root_ + path;
    ASSERT_TRUE(CreateDirectoryW(full.c_str(), nullptr)) << GetLastError();
    if (attributes) SetFileAttributesW(full.c_str(), attributes);
  }
  void File(const std::wstring& path) {
    HANDLE file = CreateFileW((root_ + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  // Shows the chooser with the window actions queued; the close box ends
  // any show the actions leave open. Returns the transcript.
  std::vector<std::string> Show(const std::vector<std::string>& actions, bool& ok) {
    sim::Transcript.clear();
    for (const std::string& action : actions) EXPECT_TRUE(sim::QueueWindowAction("FormFolder " + action));
    sim::QueueWindowAction("FormFolder close");
    ok = chooser.ShowModal();
    std::vector<std::string> said = sim::Transcript;
    sim::ReportPendingWindowActions();
    return said;
  }

  // The tree as "print TreeView1" lists it, and what it says is selected.
  std::vector<std::string> Nodes(bool& ok, std::string* selected = nullptr) {
    std::vector<std::string> nodes;
    for (const std::string& line : Show({"wait-idle", "print TreeView1", "key TreeView1 escape"}, ok)) {
      const std::string head = "  [FormFolder] print TreeView1:";
      if (line.compare(0, head.size(), head) != 0) continue;
      const std::string rest = line.substr(head.size());
      if (rest.compare(0, 2, "  ") == 0) {
        nodes.push_back(rest.substr(2));
      } else if (selected) {
        const std::size_t at = rest.find(", selected \"");
        *selected = at == std::string::npos ? "(none)" : rest.substr(at + 12, rest.size() - at - 13);
      }
    }
    return nodes;
  }

  std::wstring root_;
  TFormFolder chooser;
};

// Wine keeps only the hidden and system bits on a directory (it drops
// archive, read-only and the storage bits), so the rule's other bits are
// proved on the attribute values themselves.
TEST(FolderAttributes, StorageBitsDoNotHideAFolderEveryOtherBitDoes) {
  constexpr DWORD kDir = FILE_ATTRIBUTE_DIRECTORY;
  constexpr DWORD kCloudTag = 0x9000001A, kCloudSubTag = 0x9000601A, kJunction = 0xA0000003,
                  kSymbolicLink = 0xA000000C;
  struct Case {
    DWORD attributes;
    DWORD tag;
    bool shows;
  };
  const Case cases[] = {
      {kDir, 0, true}, {kDir | FILE_ATTRIBUTE_COMPRESSED, 0, true}, {kDir | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, 0, true},
      {kDir | FILE_ATTRIBUTE_ENCRYPTED, 0, true}, {kDir | FILE_ATTRIBUTE_SPARSE_FILE, 0, true},
      {kDir | FILE_ATTRIBUTE_OFFLINE, 0, true}, {kDir | 0x8000 | 0x20000, 0, true},  // ReFS integrity, no scrub
      {kDir | 0x40000, 0, true},                                                      // cloud: recall on open
      {kDir | 0x400 | 0x80000, kCloudTag, true},                                      // synced folder, pinned
      {kDir | 0x400 | 0x100000 | 0x400000, kCloudSubTag, true},  // unpinned, recalled on data access
      {kDir | FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_ARCHIVE, 0, false}, {kDir | FILE_ATTRIBUTE_ARCHIVE, 0, false},
      {kDir | FILE_ATTRIBUTE_READONLY, 0, false}, {kDir | FILE_ATTRIBUTE_HIDDEN, 0, false},
      {kDir | FILE_ATTRIBUTE_SYSTEM, 0, false}, {kDir | FILE_ATTRIBUTE_TEMPORARY, 0, false},
      {kDir | FILE_ATTRIBUTE_VIRTUAL, 0, false}, {kDir | FILE_ATTRIBUTE_REPARSE_POINT, kJunction, false},
      {kDir | FILE_ATTRIBUTE_REPARSE_POINT, kSymbolicLink, false}, {kDir | FILE_ATTRIBUTE_REPARSE_POINT, 0, false},
      {FILE_ATTRIBUTE_ARCHIVE, 0, false}, {FILE_ATTRIBUTE_NORMAL, 0, false}, {0, 0, false},  // files
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShowsAsFolder(c.attributes, c.tag), c.shows) << std::hex << c.attributes << " " << c.tag;
  }
}

TEST_F(FolderChooserTest, TheTreeShowsTheFolderDirectoriesAndOKGivesTheFolderId) {
  Dir(L"MailBox1\\!Trash");
  Dir(L"MailBox1\\#Temp");
  Dir(L"MailBox1\\Spam");
  File(L"MailBox1\\Spam.idx");
  Dir(L"MailBox1\\Hidden", FILE_ATTRIBUTE_HIDDEN);
  Dir(L"MailBox1\\System", FILE_ATTRIBUTE_SYSTEM);
  Dir(L"MailBox1\\Indexed", FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);  // kept or dropped: shows either way
  Dir(L"MailBox1\\Junk");
  Dir(L"MailBox1\\Junk\\Spam");
  Dir(L"MailBox1\\Junk\\.hidden");  // a dot name is hidden for Wine
  Dir(L"MailBox1\\\x30BD\x30D5\x30C8");          // ソフト: 83 5C 83 74 83 67
  Dir(L"MailBox1\\\x30BD\x30D5\x30C8\\\x8868");  // 表: 95 5C
  Dir(L"MailBox1\\\xD55C\xAD6D");                // Korean: no form in code page 932
  Dir(L"MailBox1\\caf\x00E9");                   // é: only a best fit ("e")
  bool ok = true;
  std::string selected;
  const std::vector<std::string> nodes = Nodes(ok, &selected);
  EXPECT_FALSE(ok) << "Esc";
  // No folder chosen so far: no pre-selection, and the tree view selects
  // its first node itself when it takes the focus.
  EXPECT_EQ(selected, "MailBox1");
  const std::vector<std::string> expected = {
      "MailBox1", "  Indexed", "  Junk", "    Spam", "  Spam", u8"  ソフト", u8"    表",
  };
  EXPECT_EQ(nodes, expected);

  struct Pick {
    std::string path;  // as the window action names the node
    std::string id;    // Shift-JIS
  };
  const Pick picks[] = {
      {"MailBox1\\\\Junk\\\\Spam", "MailBox1\\Junk\\Spam\\"},
      {"MailBox1", "MailBox1\\"},
      {u8"MailBox1\\\\ソフト\\\\表", "MailBox1\\ソフト\\表\\"},
  };
  for (const Pick& p : picks) {
    chooser.ChosenFolder = "unchanged";
    Show({"tree TreeView1 " + p.path, "click ButtonOk"}, ok);
    EXPECT_TRUE(ok) << p.path;
    EXPECT_EQ(chooser.ChosenFolder, p.id) << p.path;
  }
  // Cancel, Esc and the close box leave the folder as it was.
  for (const char* end : {"click ButtonCancel", "key TreeView1 escape", "close"}) {
    chooser.ChosenFolder = "unchanged";
    Show({"tree TreeView1 MailBox1\\\\Spam", end}, ok);
    EXPECT_FALSE(ok) << end;
    EXPECT_EQ(chooser.ChosenFolder, "unchanged") << end;
  }
}

TEST_F(FolderChooserTest, ThePreSelectionFollowsTheFolderTextACharacterAtATime) {
  Dir(L"MailBox1\\Junk");
  Dir(L"MailBox1\\Junk\\Spam");
  Dir(L"MailBox1\\Spam");
  Dir(L"MailBox1\\\x30BD\x30D5\x30C8");  // ソフト
  Dir(L"MailBox1\\\x30BD");              // ソ, the first character of ソフト alone
  struct Case {
    const char* text;  // Shift-JIS, as the settings window gives it
    std::string selected;
  };
  const Case cases[] = {
      {"MailBox1\\Junk\\Spam\\", "MailBox1\\Junk\\Spam"},
      {"MailBox1\\", "MailBox1"},
      {"MailBox1\\Junk\\Spam", "MailBox1\\Junk"},     // no "\" after the last part
      {"MailBox1\\Gone\\Spam\\", "MailBox1\\Spam"},   // a folder no longer there is passed over
      {"MailBox1\\ソフト\\", u8"MailBox1\\ソフト"},
      {"MailBox1\\ソ\\", u8"MailBox1\\ソ"},
      // No pre-selection: the tree view selects its first node itself when
      // it takes the focus.
      {"Other\\Spam\\", "MailBox1"},                  // another mailbox
      {"MailBox1", "MailBox1"},                       // no "\": the mailbox part is empty
      {"", "MailBox1"},
  };
  for (const Case& c : cases) {
    chooser.CurrentFolderText = c.text;
    bool ok = true;
    std::string selected;
    Nodes(ok, &selected);
    EXPECT_EQ(selected, c.selected) << c.text;
  }
}

TEST_F(FolderChooserTest, AMailboxWhoseNameEndsIn5C) {
  Dir(L"\x80FD");           // 能: 94 5C
  Dir(L"\x80FD\\\x8868");   // 表: 95 5C
  Dir(L"\x80FD\\Spam");
  chooser.MailBox = "能\\";
  chooser.RootCaption = "能";
  chooser.CurrentFolderText = "能\\表\\";
  bool ok = true;
  std::string selected;
  EXPECT_EQ(Nodes(ok, &selected), (std::vector<std::string>{u8"能", "  Spam", u8"  表"}));
  EXPECT_EQ(selected, u8"能\\表");
  Show({"click ButtonOk"}, ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(chooser.ChosenFolder, "能\\表\\");
}

// The text of the message box shown on this thread, read and closed with
// OK once the box's own loop runs.
std::wstring BoxText;
HHOOK BoxHook = nullptr;
HWND Box = nullptr;
void CALLBACK ReadAndCloseBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  wchar_t text[512] = {};
  GetDlgItemTextW(Box, 0xFFFF, text, 512);
  BoxText = text;
  PostMessageW(Box, WM_COMMAND, IDOK, 0);
}
LRESULT CALLBACK CloseBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && !Box) {
    Box = reinterpret_cast<HWND>(wParam);
    SetTimer(nullptr, 0, 10, ReadAndCloseBox);
  }
  return CallNextHookEx(BoxHook, code, wParam, lParam);
}

// Without a current mailbox (the host answered an empty ID) there is no
// folder to offer: the tree would be the whole data folder, and its root
// no folder ID at all. A box says so, the chooser never opens, and OK and
// the destination chosen so far stay untouched.
TEST_F(FolderChooserTest, WithoutAMailBoxABoxSaysSoAndNoTreeOpens) {
  TFormFolder empty;
  empty.DataFolder = chooser.DataFolder;
  empty.CurrentFolderText = "MailBox1\\Spam\\";
  empty.ChosenFolder = "unchanged";
  sim::Transcript.clear();
  sim::QueueWindowAction("FormFolder click ButtonCancel");  // would close a chooser shown
  BoxHook = SetWindowsHookExW(WH_CBT, CloseBox, nullptr, GetCurrentThreadId());
  EXPECT_FALSE(empty.ShowModal());
  UnhookWindowsHookEx(BoxHook);
  EXPECT_EQ(empty.ChosenFolder, "unchanged");
  EXPECT_EQ(BoxText, WideFromShiftJis(texts::kFolderNoMailBox)) << Utf8FromWide(BoxText);
  EXPECT_TRUE(sim::Transcript.empty()) << "the chooser was shown";
}

// Each level adds two bytes ("d\"); the folders whose path with "*" fits
// in MAX_PATH show, the rest of the chain (and any loop a link could make)
// does not, and the recursion ends there.
TEST_F(FolderChooserTest, ADeepChainEndsAtThePathLimit) {
  const std::size_t rootBytes = chooser.DataFolder.size() + chooser.MailBox.size();
  const std::size_t shown = (kMaxFolderPath - rootBytes) / 2;
  std::wstring chain = L"MailBox1";
  for (std::size_t level = 0; level < shown + 20; ++level) Dir(chain += L"\\d");
  bool ok = true;
  const std::vector<std::string> nodes = Nodes(ok);
  ASSERT_EQ(nodes.size(), shown + 1);
  EXPECT_EQ(nodes.back(), std::string(2 * shown, ' ') + "d");
  chooser.CurrentFolderText = "MailBox1\\";
  for (std::size_t level = 0; level < shown; ++level) chooser.CurrentFolderText += "d\\";
  std::string selected;
  Nodes(ok, &selected);
  EXPECT_EQ(selected.size(), 8 + 2 * shown);
  // Too long a path for the removal in TearDown.
  for (; chain.size() > 8; chain.resize(chain.size() - 2)) RemoveDirectoryW((L"\\\\?\\" + root_ + chain).c_str());
}

}  // namespace
}  // namespace quorn
