// One owner per kind of GDI and common-control handle: moved, never copied,
// released once. And one scope for an object selected into a DC.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace quorn::ui {

template <class Handle, class Traits>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle())) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Handle()));
    return *this;
  }
  ~Owned() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle(); }
  void reset(Handle handle = Handle()) {
    if (handle_) Traits::Release(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Handle();
};

struct GdiTraits {
  static void Release(HGDIOBJ object) { DeleteObject(object); }
};
struct ImageListTraits {
  static void Release(HIMAGELIST list) { ImageList_Destroy(list); }
};
struct DcTraits {
  static void Release(HDC dc) { DeleteDC(dc); }
};

template <class Handle>
using GdiObject = Owned<Handle, GdiTraits>;
using ImageListHandle = Owned<HIMAGELIST, ImageListTraits>;
using MemoryDc = Owned<HDC, DcTraits>;

// Selects `object` into `dc` for its lifetime, then puts back what was
// selected before. The object must outlive the scope.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelectObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace quorn::ui
