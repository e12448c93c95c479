// hhctrl.ocx is found by GetProcAddress rather than linked, and only ever from the system folder.
#include "platform/win32/win32_help_viewer.h"

#include <windows.h>
// After windows.h, which it needs; its commands have the values of the interface's.
#include <htmlhelp.h>

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace sonaru::platform {

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

HtmlHelpFunction HtmlHelpIn(void* library) {
  // Through void(*)(), the one function type that stands for any other.
  return reinterpret_cast<HtmlHelpFunction>(
      reinterpret_cast<void (*)()>(::GetProcAddress(static_cast<HMODULE>(library), "HtmlHelpW")));
}

}  // namespace

Win32HelpViewer::~Win32HelpViewer() {
  if (library_ == nullptr) {
    return;
  }
  // Its windows go first: their code leaves with the library.
  if (const HtmlHelpFunction htmlHelp = HtmlHelpIn(library_)) {
    htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
  }
  ::FreeLibrary(static_cast<HMODULE>(library_));
}

void Win32HelpViewer::HtmlHelpA(const std::string& file, std::uint32_t command) {
  if (command != HH_DISPLAY_TOPIC) {
    return;
  }
  if (library_ == nullptr) {
    library_ = ::LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  const HtmlHelpFunction htmlHelp = library_ != nullptr ? HtmlHelpIn(library_) : nullptr;
  if (htmlHelp == nullptr) {
    return;
  }
  // Windows' own separators throughout: the program joins its paths with "/".
  std::wstring path = ToWide(file);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  const HWND active = ::GetActiveWindow();
  htmlHelp(active != nullptr ? active : ::GetDesktopWindow(), path.c_str(), HH_DISPLAY_TOPIC, 0);
}

}  // namespace sonaru::platform
