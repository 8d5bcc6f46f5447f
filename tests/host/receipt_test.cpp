// The receipt hook and the move of one message, in process under Wine, with
// the host's functions answered by this test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/lists.h"
#include "host/plugin_api.h"
#include "host/receipt.h"
#include "hostapi/plugin_state.h"
#include "hostapi/spam_move.h"
#include "hostapi/velmo_api.h"
#include "settings/default_lines.h"

namespace quorn {
namespace {

std::vector<std::string> Calls;

const char* WINAPI CurrentMailBox() { return "MailBox1\\"; }
int WINAPI SetSel(const char* id, BOOL select) {
  Calls.push_back(std::string("SetSel ") + (id ? id : "null") + " " + std::to_string(select));
  return 1;
}
BOOL WINAPI MoveSelected(const char* folder, BOOL copy) {
  Calls.push_back(std::string("Move ") + folder + " " + std::to_string(copy));
  return TRUE;
}

const char kSpam[] =
    "Received: from x (abc1-2.example.com [198.51.100.1])\r\nSubject: s\r\n\r\nbody\r\n";

class ReceiptTest : public testing::Test {
 protected:
  void SetUp() override {
    UseDefaultLists();
    HostAPI.VMA_GetCurrentMailBox = CurrentMailBox;
    HostAPI.VMA_SetSel = SetSel;
    HostAPI.VMA_MoveSelectedMessages = MoveSelected;
    FormMain = std::make_unique<TFormMain>(GetModuleHandleW(nullptr));
    FormMain->Folder = "MailBox1\\Spam\\";
    MovePending = false;
    Calls.clear();
  }
  void TearDown() override { FormMain.reset(); }
};

TEST_F(ReceiptTest, MoveToSpamFolderUsesTheTrashOnlyWithDropTrash) {
  FormMain->DropTrash = true;
  EXPECT_TRUE(MoveToSpamFolder("MailBox1\\#7", SpamDestination()));
  FormMain->DropTrash = false;
  EXPECT_TRUE(MoveToSpamFolder("MailBox1\\#8", SpamDestination()));
  const std::vector<std::string> expected = {
      "SetSel null 0", "SetSel MailBox1\\#7 1", "Move MailBox1\\!Trash\\ 0",
      "SetSel null 0", "SetSel MailBox1\\#8 1", "Move MailBox1\\Spam\\ 0"};
  EXPECT_EQ(Calls, expected);
}

TEST_F(ReceiptTest, APendingMoveIsAnsweredEvenWithParalysisOn) {
  int action = -1;
  char* text = nullptr;
  ASSERT_EQ(VMC_OnBeforeFilter(kSpam, &action, &text), 3);
  EXPECT_STREQ(text, "X-Quorn: type=rule1");
  FormMain->Paralysis = true;
  EXPECT_EQ(VMC_OnBeforeFilter(kSpam, &action, &text), 2);
  EXPECT_EQ(action, 0);
  EXPECT_STREQ(text, "MailBox1\\Spam\\");
  EXPECT_EQ(VMC_OnBeforeFilter(kSpam, &action, &text), 0);  // and then nothing more
}

TEST_F(ReceiptTest, TheDropTrashSettingDoesNotChangeTheMoveOnReceipt) {
  FormMain->DropTrash = true;
  int action = -1;
  char* text = nullptr;
  ASSERT_EQ(VMC_OnBeforeFilter(kSpam, &action, &text), 3);
  ASSERT_EQ(VMC_OnBeforeFilter(kSpam, &action, &text), 2);
  EXPECT_STREQ(text, "MailBox1\\Spam\\");
  EXPECT_TRUE(Calls.empty());
}

TEST_F(ReceiptTest, TheStampNamesRulesFarDownALongList) {
  TextLines rules(500, "^never$");
  rules.push_back("^abc");
  Rules.Replace(rules);
  int action = -1;
  char* text = nullptr;
  ASSERT_EQ(VMC_OnBeforeFilter(kSpam, &action, &text), 3);
  EXPECT_STREQ(text, "X-Quorn: type=rule501");
  EXPECT_EQ(text, StampBuffer);
}

TEST_F(ReceiptTest, BadArgumentsFromTheHostAreNoCrash) {
  int action = -1;
  char* text = nullptr;
  EXPECT_EQ(VMC_OnBeforeFilter(nullptr, &action, &text), 0);
  EXPECT_EQ(VMC_OnBeforeFilter(kSpam, nullptr, &text), 0);
  EXPECT_EQ(VMC_OnBeforeFilter(kSpam, &action, nullptr), 0);
  EXPECT_EQ(VMC_OnPlugInInfo(nullptr), 0);
  FormMain.reset();
  EXPECT_EQ(VMC_OnBeforeFilter(kSpam, &action, &text), 0);  // before start
}

}  // namespace
}  // namespace quorn
