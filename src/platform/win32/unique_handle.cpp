// CloseHandle in one place.
#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace sonaru::platform {

bool UniqueHandle::Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

bool UniqueHandle::Close() {
  const bool closed = !Valid() || ::CloseHandle(handle_) != 0;
  handle_ = nullptr;
  return closed;
}

}  // namespace sonaru::platform
