#include "ui/tree_view.h"

#include "win32/text_convert.h"

namespace quorn::ui {

constexpr int kImageSize = 16;

ImageList::ImageList() : list_(ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 2, 2)) {}

int ImageList::Add(const std::function<void(HDC)>& paint, COLORREF transparent) {
  HDC screen = GetDC(nullptr);
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, kImageSize, kImageSize));
  MemoryDc dc(CreateCompatibleDC(screen));
  ReleaseDC(nullptr, screen);
  {
    // The bitmap is painted while selected, and added once it is not.
    ScopedSelectObject select(dc.get(), bitmap.get());
    GdiObject<HBRUSH> clear(CreateSolidBrush(transparent));
    RECT all = {0, 0, kImageSize, kImageSize};
    FillRect(dc.get(), &all, clear.get());
    paint(dc.get());
  }
  return ImageList_AddMasked(list_.get(), bitmap.get(), transparent);
}

bool TreeView::Create(const ControlSpec& entry, HWND container) {
  return CreateFrom(entry, container, WC_TREEVIEWW,
                    TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE);
}

void TreeView::SetImages(const ImageList& images) {
  SendMessageW(hwnd(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.get()));
}

void TreeView::SetIndent(int pixels) { SendMessageW(hwnd(), TVM_SETINDENT, static_cast<WPARAM>(pixels), 0); }

void TreeView::Clear() { SendMessageW(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

HTREEITEM TreeView::Add(HTREEITEM parent, const std::string& caption, int image, int selectedImage) {
  return Add(parent, WideFromShiftJis(caption), image, selectedImage);
}

HTREEITEM TreeView::Add(HTREEITEM parent, const std::wstring& caption, int image, int selectedImage) {
  std::wstring text = caption;
  TVINSERTSTRUCTW insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = text.data();
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  return reinterpret_cast<HTREEITEM>(SendMessageW(hwnd(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TreeView::Select(HTREEITEM node) {
  SendMessageW(hwnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

namespace {
HTREEITEM Next(HWND tree, UINT relation, HTREEITEM node) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(node)));
}
}  // namespace

HTREEITEM TreeView::Selected() const { return Next(hwnd(), TVGN_CARET, nullptr); }
HTREEITEM TreeView::Parent(HTREEITEM node) const { return Next(hwnd(), TVGN_PARENT, node); }
HTREEITEM TreeView::FirstChild(HTREEITEM node) const {
  return node == TVI_ROOT ? Next(hwnd(), TVGN_ROOT, nullptr) : Next(hwnd(), TVGN_CHILD, node);
}
HTREEITEM TreeView::NextSibling(HTREEITEM node) const { return Next(hwnd(), TVGN_NEXT, node); }

std::string TreeView::Caption(HTREEITEM node) const {
  wchar_t text[1024] = {};
  TVITEMW item = {};
  item.mask = TVIF_TEXT;
  item.hItem = node;
  item.pszText = text;
  item.cchTextMax = 1024;
  SendMessageW(hwnd(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return ShiftJisFromWide(text);
}

LRESULT TreeView::OnNotify(NMHDR* header) {
  if (header->code == TVN_SELCHANGEDW && onSelectionChanged) onSelectionChanged();
  return 0;
}

}  // namespace quorn::ui
