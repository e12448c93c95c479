// Ownership of kernel handles (files, processes, pipes), closed once by their owner.
#pragma once

#include <utility>

namespace sonaru::platform {

/// Owns one kernel handle (a HANDLE, which is a pointer), closed when the owner goes. Null and
/// INVALID_HANDLE_VALUE, the two ways the API reports a failed open, own nothing.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(void* handle) : handle_(handle) {}
  ~UniqueHandle() { Close(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  void* get() const { return handle_; }
  bool Valid() const;
  /// Closes the handle now; false when the system refused (a file's last writes then failed).
  bool Close();

 private:
  void* handle_ = nullptr;
};

}  // namespace sonaru::platform
