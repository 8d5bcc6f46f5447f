#include "settings/form_main_design.h"

#include <string>

#include "settings/settings_model.h"
#include "texts/catalog.h"

namespace quorn {

using ui::Kind;

const char* const kMainFormMemos[5] = {"MemoSkip", "MemoWhite", "MemoBlack", "MemoRules", "MemoRecvRegex"};

ui::FormArgs MainFormDesign() {
  ui::FormArgs args;
  args.designName = "FormMain";
  args.caption = std::string(texts::kPlugInShortName) + " v." + texts::kPlugInVersion + texts::kSettingsCaptionTail;
  args.left = SettingsModel::kDesignLeft;
  args.top = SettingsModel::kDesignTop;
  args.clientWidth = 466;
  args.clientHeight = 243;
  args.frame = ui::Frame::ToolWindow;
  return args;
}

const std::vector<ui::ControlSpec>& MainFormControls() {
  // Anchors of the buttons: bottom right. A list editor fills its page.
  constexpr unsigned kBottomRight = ui::kAnchorRight | ui::kAnchorBottom;
  static const std::vector<ui::ControlSpec> controls = {
      {"PageControl1", Kind::TabControl, "", 0, 0, 466, 201, 0, ui::kAlignTop},
      {"ButtonOk", Kind::Button, texts::kOkCaption, 289, 212, 75, 25, 1, kBottomRight, nullptr,
       ui::kDefaultButton | ui::kClosesOk},
      {"ButtonCancel", Kind::Button, texts::kCancelCaption, 377, 212, 75, 25, 2, kBottomRight, nullptr,
       ui::kCancelButton | ui::kClosesCancel},
      {"CheckBoxParalysis", Kind::CheckBox, texts::kParalysisCaption, 8, 212, 201, 17, 3},

      {"TabSheetGeneral", Kind::TabPage, texts::kTabGeneral, 0, 0, 0, 0, -1, ui::kAnchorsDefault, "PageControl1"},
      {"TabSheetSkip", Kind::TabPage, texts::kTabSkip, 0, 0, 0, 0, -1, ui::kAnchorsDefault, "PageControl1"},
      {"TabSheetWhite", Kind::TabPage, texts::kTabWhite, 0, 0, 0, 0, -1, ui::kAnchorsDefault, "PageControl1"},
      {"TabSheetBlack", Kind::TabPage, texts::kTabBlack, 0, 0, 0, 0, -1, ui::kAnchorsDefault, "PageControl1"},
      {"TabSheetS25R", Kind::TabPage, texts::kTabRules, 0, 0, 0, 0, -1, ui::kAnchorsDefault, "PageControl1"},
      {"TabSheetRecvRegex", Kind::TabPage, texts::kTabRecvRegex, 0, 0, 0, 0, -1, ui::kAnchorsDefault,
       "PageControl1"},

      {"GroupBox1", Kind::GroupBox, texts::kGroupSorting, 0, 8, 457, 65, -1, ui::kAnchorsDefault, "TabSheetGeneral"},
      {"GroupBox2", Kind::GroupBox, texts::kGroupLookup, 0, 80, 457, 89, -1, ui::kAnchorsDefault, "TabSheetGeneral"},
      {"CheckBoxFolder", Kind::CheckBox, texts::kDropTrashCaption, 8, 16, 105, 17, 0, ui::kAnchorsDefault,
       "GroupBox1"},
      {"EditFolder", Kind::Edit, "", 88, 40, 337, 20, 1, ui::kAnchorsDefault, "GroupBox1", ui::kReadOnly},
      {"ButtonFolder", Kind::Button, texts::kFolderButtonCaption, 432, 44, 17, 17, 2, ui::kAnchorsDefault,
       "GroupBox1"},
      {"Label1", Kind::Label, texts::kFolderLabel, 8, 44, 0, 0, -1, ui::kAnchorsDefault, "GroupBox1"},
      {"CheckBoxReverseLookup", Kind::CheckBox, texts::kReverseLookupCaption, 8, 16, 273, 17, 0,
       ui::kAnchorsDefault, "GroupBox2"},
      {"EditTimeOut", Kind::Edit, "", 88, 64, 89, 20, 1, ui::kAnchorsDefault, "GroupBox2"},
      {"CheckBoxAcceptReceivedHost", Kind::CheckBox, texts::kAcceptReceivedHostCaption, 8, 40, 273, 17, 2,
       ui::kAnchorsDefault, "GroupBox2"},
      {"Label2", Kind::Label, texts::kTimeOutLabel, 8, 68, 0, 0, -1, ui::kAnchorsDefault, "GroupBox2"},
      {"Label3", Kind::Label, texts::kTimeOutUnit, 192, 68, 0, 0, -1, ui::kAnchorsDefault, "GroupBox2"},

      {"MemoSkip", Kind::Memo, "", 0, 0, 0, 0, 0, ui::kAnchorsAll, "TabSheetSkip", ui::kFillContainer},
      {"MemoWhite", Kind::Memo, "", 0, 0, 0, 0, 0, ui::kAnchorsAll, "TabSheetWhite", ui::kFillContainer},
      {"MemoBlack", Kind::Memo, "", 0, 0, 0, 0, 0, ui::kAnchorsAll, "TabSheetBlack", ui::kFillContainer},
      {"MemoRules", Kind::Memo, "", 0, 0, 0, 0, 0, ui::kAnchorsAll, "TabSheetS25R", ui::kFillContainer},
      {"MemoRecvRegex", Kind::Memo, "", 0, 0, 0, 0, 0, ui::kAnchorsAll, "TabSheetRecvRegex", ui::kFillContainer},
  };
  return controls;
}

}  // namespace quorn
