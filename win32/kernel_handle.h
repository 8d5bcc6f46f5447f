// KernelHandle: the owner of one kernel object's HANDLE (an open file):
// moved, never copied, closed once, also on an early return. A failed
// CreateFile's INVALID_HANDLE_VALUE holds nothing, like null.
#pragma once

#include <windows.h>

#include <utility>

namespace quorn {

class KernelHandle {
 public:
  KernelHandle() = default;
  explicit KernelHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ~KernelHandle() { Close(); }

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Closes the handle now: false when the system reports an error (a
  // write that did not reach the disk can show only here), or none was held.
  bool Close() { return handle_ && CloseHandle(std::exchange(handle_, nullptr)) != FALSE; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace quorn
