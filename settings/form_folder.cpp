#include "settings/form_folder.h"

#include <map>
#include <string_view>
#include <vector>

#include "settings/folder_text.h"
#include "settings/folder_tree.h"
#include "texts/catalog.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/handles.h"
#include "ui/tree_view.h"
#include "win32/message_box.h"
#include "win32/text_convert.h"

namespace quorn {
namespace {

struct Controls {
  ui::TreeView* tree = nullptr;
  ui::Button* buttonOk = nullptr;
};

// The tree comes first in the tab order: the modal show gives it the focus.
std::vector<ui::ControlSpec> Table(Controls& c) {
  return {
      ui::Bound(c.tree, {"TreeView1", ui::Kind::TreeView, "", 0, 0, 335, 177, 0, ui::kAlignTop}),
      // OK closes the window itself, and only with a node selected.
      ui::Bound(c.buttonOk, {"ButtonOk", ui::Kind::Button, "OK", 160, 184, 75, 25, 1, ui::kAnchorsDefault, nullptr,
                             ui::kDefaultButton}),
      {"ButtonCancel", ui::Kind::Button, "Cancel", 248, 184, 75, 25, 2, ui::kAnchorsDefault, nullptr,
       ui::kCancelButton | ui::kClosesCancel},
  };
}

ui::FormArgs Design() {
  ui::FormArgs args;
  args.designName = "FormFolder";
  args.caption = texts::kFolderCaption;
  args.clientWidth = 335;
  args.clientHeight = 214;
  args.frame = ui::Frame::ToolWindow;
  return args;  // placed by the settings window before every show
}

constexpr int kClosedFolder = 0;
constexpr int kOpenFolder = 1;
constexpr int kIndent = 19;

const COLORREF kOutline = RGB(128, 96, 0);
const COLORREF kYellow = RGB(255, 216, 72);
const COLORREF kShade = RGB(224, 176, 32);

void Shape(HDC dc, const POINT* points, int count, COLORREF fill) {
  ui::GdiObject<HBRUSH> brush(CreateSolidBrush(fill));
  ui::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, kOutline));
  ui::ScopedSelectObject selectBrush(dc, brush.get());
  ui::ScopedSelectObject selectPen(dc, pen.get());
  Polygon(dc, points, count);
}

void PaintClosedFolder(HDC dc) {
  const POINT tab[] = {{1, 3}, {6, 3}, {7, 5}, {1, 5}};
  const POINT body[] = {{1, 5}, {14, 5}, {14, 13}, {1, 13}};
  Shape(dc, tab, 4, kShade);
  Shape(dc, body, 4, kYellow);
}

void PaintOpenFolder(HDC dc) {
  const POINT back[] = {{1, 3}, {6, 3}, {7, 5}, {13, 5}, {13, 13}, {1, 13}};
  const POINT flap[] = {{4, 8}, {15, 8}, {12, 13}, {1, 13}};
  Shape(dc, back, 6, kShade);
  Shape(dc, flap, 4, kYellow);
}

bool IsHostLeadByte(unsigned char byte) { return IsHostAnsiLeadByte(byte); }

}  // namespace

struct TFormFolder::Window {
  explicit Window(TFormFolder& owner)
      : owner(owner), form(Design(), Table(controls)), tree(controls.tree) {
    images.Add(PaintClosedFolder);
    images.Add(PaintOpenFolder);
    tree->SetImages(images);
    tree->SetIndent(kIndent);
    form.onShow = [this] { FormShow(); };
    controls.buttonOk->onClick = [this] {
      if (ButtonOkClick()) form.CloseWithResult(ui::ModalResult::Ok);
    };
  }

  void FormShow() {
    BuildTree(owner.DataFolder + owner.MailBox);
    if (HTREEITEM node = FindNodeForText()) tree->Select(node);
  }

  // Reads the whole tree again: folders may have come or gone since.
  void BuildTree(const std::string& root) {
    if (root.empty()) return;
    tree->Clear();
    names.clear();
    HTREEITEM node = Add(TVI_ROOT, owner.RootCaption);
    AddSubFolders(WithFolderSeparator(root, IsHostLeadByte), node);
  }

  // Recursion ends by the path bound of ListFolderNames: every level adds
  // at least two bytes to `path`.
  void AddSubFolders(const std::string& path, HTREEITEM node) {
    for (const std::string& name : ListFolderNames(path)) AddSubFolders(path + name + "\\", Add(node, name));
  }

  // A node with its caption in the host's code page, kept as the host's
  // bytes for the comparisons and the folder ID.
  HTREEITEM Add(HTREEITEM parent, const std::string& hostName) {
    HTREEITEM node = tree->Add(parent, WideFromHostAnsi(hostName), kClosedFolder, kOpenFolder);
    if (node) names[node] = hostName;
    return node;
  }

  std::string NameOf(HTREEITEM node) const {
    auto found = names.find(node);
    return found == names.end() ? std::string() : found->second;
  }

  // The node that CurrentFolderText names: its mailbox part must be the
  // root's caption; each folder part then leads to the first child of that
  // caption, and a part no child has is passed over. None on an empty tree.
  HTREEITEM FindNodeForText() const {
    HTREEITEM current = tree->FirstChild(TVI_ROOT);
    if (!current) return nullptr;
    std::string_view text = owner.CurrentFolderText;
    std::size_t separator = FindFolderSeparator(text, IsHostLeadByte);
    std::string_view first;
    if (separator != std::string_view::npos) {
      first = text.substr(0, separator);
      text.remove_prefix(separator + 1);
    }
    if (first != NameOf(current)) return nullptr;
    while ((separator = FindFolderSeparator(text, IsHostLeadByte)) != std::string_view::npos) {
      const std::string_view part = text.substr(0, separator);
      text.remove_prefix(separator + 1);
      for (HTREEITEM child = tree->FirstChild(current); child; child = tree->NextSibling(child)) {
        if (NameOf(child) == part) {
          current = child;
          break;
        }
      }
    }
    return current;
  }

  // The folder ID of the selected node; false (and nothing changed) when
  // no node is selected.
  bool ButtonOkClick() {
    HTREEITEM node = tree->Selected();
    if (!node) return false;
    std::string path;
    for (HTREEITEM parent; (parent = tree->Parent(node)) != nullptr; node = parent) {
      path = NameOf(node) + "\\" + path;
    }
    owner.ChosenFolder = owner.MailBox + path;
    return true;
  }

  TFormFolder& owner;
  ui::ImageList images;  // outlives the tree that shows it
  Controls controls;     // before the form, which fills it
  ui::Form form;
  ui::TreeView* const tree;
  std::map<HTREEITEM, std::string> names;
};

TFormFolder::TFormFolder() : window_(std::make_unique<Window>(*this)) {}
TFormFolder::~TFormFolder() = default;

bool TFormFolder::ShowModal() {
  // Without a current mailbox there is no folder to offer: the tree would
  // be the host's whole data folder, and its root no folder ID at all.
  if (MailBox.empty()) {
    ShowMessage(texts::kFolderNoMailBox, MessageKind::Information);
    return false;
  }
  return window_->form.ShowModal() == ui::ModalResult::Ok;
}

void TFormFolder::SetPosition(int left, int top) { window_->form.SetPosition(left, top); }
void TFormFolder::CentreOver(const RECT& owner) { window_->form.CentreOver(owner); }

}  // namespace quorn
