// The tree view with its image list of 16x16 images. Node captions are
// Shift-JIS.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "ui/control.h"
#include "ui/handles.h"

namespace quorn::ui {

// An image list of 16x16 images drawn in code.
class ImageList {
 public:
  ImageList();
  // Appends an image painted by `paint` on a 16x16 surface; what it leaves
  // in the colour `transparent` is see-through. Returns its index.
  int Add(const std::function<void(HDC)>& paint, COLORREF transparent = RGB(255, 0, 255));
  HIMAGELIST get() const { return list_.get(); }

 private:
  ImageListHandle list_;
};

class TreeView : public Control {
 public:
  bool Create(const ControlSpec& entry, HWND container);
  void SetImages(const ImageList& images);  // the list must outlive the tree's use of it
  void SetIndent(int pixels);
  void Clear();
  // Appends a node below `parent` (TVI_ROOT for a top node) with the image
  // and the image shown while selected.
  HTREEITEM Add(HTREEITEM parent, const std::string& caption, int image = 0, int selectedImage = 0);
  // The same with a caption already converted (texts of the host's code page).
  HTREEITEM Add(HTREEITEM parent, const std::wstring& caption, int image = 0, int selectedImage = 0);
  void Select(HTREEITEM node);
  HTREEITEM Selected() const;
  HTREEITEM Parent(HTREEITEM node) const;
  HTREEITEM FirstChild(HTREEITEM node) const;  // TVI_ROOT gives the first top node
  HTREEITEM NextSibling(HTREEITEM node) const;
  std::string Caption(HTREEITEM node) const;
  LRESULT OnNotify(NMHDR* header) override;

  std::function<void()> onSelectionChanged;
};

}  // namespace quorn::ui
