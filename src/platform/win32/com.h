// COM at the backend boundary: the thread's apartment, interface pointers with an owner, an HRESULT's text.
#pragma once

#include <string>
#include <utility>

namespace sonaru::platform {

/// Joins the calling thread to the multithreaded apartment while it lives: no window, no message loop, so
/// none of the desktop that a single-threaded one needs. A thread already in a single-threaded apartment
/// stays there: COM objects serve it as well, and it is not this owner's to leave.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool joined_ = false;
};

/// Owns one reference to a COM interface, released when the owner goes.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  /// Where a call that hands out a reference puts it; the reference held before is released first.
  Interface** Put() {
    Reset();
    return &pointer_;
  }
  /// The same, for calls that hand out their reference as an untyped pointer.
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  void Reset() {
    if (pointer_ != nullptr) {
      std::exchange(pointer_, nullptr)->Release();
    }
  }

 private:
  Interface* pointer_ = nullptr;
};

/// The system's text for an HRESULT in the user's language, without its line end; "erreur 0x…" when the
/// system has none.
std::string HResultText(long result);

}  // namespace sonaru::platform
