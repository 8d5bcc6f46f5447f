#include "settings/form_main_design.h"

#include <string>

#include "settings/settings_model.h"
#include "texts/catalog.h"

namespace quorn {

using ui::Kind;

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

std::vector<ui::ControlSpec> MainFormControlTable(MainFormControls& c) {
  using ui::Bound;
  // Anchors of the buttons: bottom right. A list editor fills its page.
  constexpr unsigned kBottomRight = ui::kAnchorRight | ui::kAnchorBottom;
  std::vector<ui::ControlSpec> controls = {
      Bound(c.pages, {"PageControl1", Kind::TabControl, "", 0, 0, 466, 201, 0, ui::kAlignTop}),
      Bound(c.ok, {"ButtonOk", Kind::Button, texts::kOkCaption, 289, 212, 75, 25, 1, kBottomRight, nullptr,
                   ui::kDefaultButton | ui::kClosesOk}),
      Bound(c.cancel, {"ButtonCancel", Kind::Button, texts::kCancelCaption, 377, 212, 75, 25, 2, kBottomRight,
                       nullptr, ui::kCancelButton | ui::kClosesCancel}),
      Bound(c.paralysis, {"CheckBoxParalysis", Kind::CheckBox, texts::kParalysisCaption, 8, 212, 201, 17, 3}),

      {"TabSheetGeneral", Kind::TabPage, texts::kTabGeneral, 0, 0, 0, 0, -1, ui::kAnchorsDefault, "PageControl1"},
  };
  for (const ListBinding& binding : ListBindings()) {
    controls.push_back(
        {binding.page, Kind::TabPage, binding.pageCaption, 0, 0, 0, 0, -1, ui::kAnchorsDefault, "PageControl1"});
  }
  const std::vector<ui::ControlSpec> general = {
      {"GroupBox1", Kind::GroupBox, texts::kGroupSorting, 0, 8, 457, 65, -1, ui::kAnchorsDefault, "TabSheetGeneral"},
      {"GroupBox2", Kind::GroupBox, texts::kGroupLookup, 0, 80, 457, 89, -1, ui::kAnchorsDefault, "TabSheetGeneral"},
      Bound(c.dropTrash, {"CheckBoxFolder", Kind::CheckBox, texts::kDropTrashCaption, 8, 16, 105, 17, 0,
                          ui::kAnchorsDefault, "GroupBox1"}),
      Bound(c.folder,
            {"EditFolder", Kind::Edit, "", 88, 40, 337, 20, 1, ui::kAnchorsDefault, "GroupBox1", ui::kReadOnly}),
      Bound(c.folderButton, {"ButtonFolder", Kind::Button, texts::kFolderButtonCaption, 432, 44, 17, 17, 2,
                             ui::kAnchorsDefault, "GroupBox1"}),
      {"Label1", Kind::Label, texts::kFolderLabel, 8, 44, 0, 0, -1, ui::kAnchorsDefault, "GroupBox1"},
      Bound(c.reverseLookup, {"CheckBoxReverseLookup", Kind::CheckBox, texts::kReverseLookupCaption, 8, 16, 273, 17,
                              0, ui::kAnchorsDefault, "GroupBox2"}),
      Bound(c.timeOut, {"EditTimeOut", Kind::Edit, "", 88, 64, 89, 20, 1, ui::kAnchorsDefault, "GroupBox2"}),
      Bound(c.acceptReceivedHost, {"CheckBoxAcceptReceivedHost", Kind::CheckBox, texts::kAcceptReceivedHostCaption,
                                   8, 40, 273, 17, 2, ui::kAnchorsDefault, "GroupBox2"}),
      {"Label2", Kind::Label, texts::kTimeOutLabel, 8, 68, 0, 0, -1, ui::kAnchorsDefault, "GroupBox2"},
      {"Label3", Kind::Label, texts::kTimeOutUnit, 192, 68, 0, 0, -1, ui::kAnchorsDefault, "GroupBox2"},
  };
  controls.insert(controls.end(), general.begin(), general.end());
  for (std::size_t i = 0; i < kListCount; ++i) {
    const ListBinding& binding = ListBindings()[i];
    controls.push_back(Bound(c.editors[i], {binding.editor, Kind::Memo, "", 0, 0, 0, 0, 0, ui::kAnchorsAll,
                                            binding.page, ui::kFillContainer}));
  }
  return controls;
}

}  // namespace quorn
