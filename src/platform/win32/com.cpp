// CoInitializeEx and CoUninitialize in pairs; FormatMessageW for HRESULTs.
#include "platform/win32/com.h"

#include <windows.h>
// After windows.h, which it needs.
#include <objbase.h>

#include <cstdio>
#include <memory>

#include "platform/win32/wide_text.h"

namespace sonaru::platform {

namespace {

struct LocalFreeDeleter {
  void operator()(wchar_t* memory) const { ::LocalFree(memory); }
};

}  // namespace

ComApartment::ComApartment() : joined_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}

ComApartment::~ComApartment() {
  if (joined_) {
    ::CoUninitialize();
  }
}

std::string HResultText(long result) {
  wchar_t* raw = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
  const std::unique_ptr<wchar_t, LocalFreeDeleter> owned(raw);
  std::wstring_view text(raw, raw != nullptr ? length : 0);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.remove_suffix(1);
  }
  if (text.empty()) {
    char code[24];
    std::snprintf(code, sizeof code, "erreur 0x%08lX", static_cast<unsigned long>(result));
    return code;
  }
  return ToUtf8(text);
}

}  // namespace sonaru::platform
