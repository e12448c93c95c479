// The help viewer under Wine, on an X server of the test's own (with_xvfb.sh): HTML Help's window on the
// built help file. Wine draws no page without its Gecko engine, so the window and its contents are checked.
#include "platform/win32/win32_help_viewer.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/wide_text.h"

namespace sonaru::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Every window of this process whose class is `className`.
std::vector<HWND> WindowsOfClass(const wchar_t* className) {
  struct Search {
    const wchar_t* className;
    std::vector<HWND> found;
  } search{className, {}};
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(context);
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        if (process == ::GetCurrentProcessId() && std::wstring(name) == search.className) {
          search.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The titles of the contents, as the help window's tree shows them.
std::vector<std::wstring> Contents(HWND help) {
  const HWND tree = ::FindWindowExW(::FindWindowExW(help, nullptr, L"HH Child", nullptr), nullptr,
                                    L"SysTreeView32", nullptr);
  std::vector<std::wstring> titles;
  for (HTREEITEM item = tree != nullptr ? TreeView_GetRoot(tree) : nullptr; item != nullptr;
       item = TreeView_GetNextSibling(tree, item)) {
    wchar_t text[128] = {};
    TVITEMW entry{};
    entry.mask = TVIF_TEXT;
    entry.hItem = item;
    entry.pszText = text;
    entry.cchTextMax = 128;
    ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
    titles.emplace_back(text);
  }
  return titles;
}

void PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

class Win32HelpViewerTest : public ::testing::Test {
 protected:
  // The prefix's desktop was started by the test run without a display, where no window can open; one
  // of this process opens on the test's X server.
  static void SetUpTestSuite() {
    const std::wstring name = L"sonaru-help-" + std::to_wstring(::GetCurrentProcessId());
    HDESK desktop = ::CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(desktop, nullptr);
    ASSERT_NE(::SetThreadDesktop(desktop), 0);
  }

  void SetUp() override {
    if (!SONARU_HELP_BUILT) {
      GTEST_SKIP() << "built without chmcmd: there is no help file";
    }
    // HTML Help keeps the file open until the process ends: its copy stays beside the test, in a folder of
    // a name that the ANSI code page cannot spell.
    wchar_t self[MAX_PATH];
    ASSERT_NE(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    const fs::path folder = fs::path(self).parent_path() / L"aide mélange звук";
    fs::create_directories(folder);
    ASSERT_NE(::CopyFileW(fs::path(SONARU_HELP_FILE).c_str(), (folder / L"Sonaru.CHM").c_str(), FALSE), 0);
    file = ToUtf8(folder.wstring()) + "/Sonaru.CHM";
    // The main window, active when F1 is pressed in it.
    main = ::CreateWindowExW(0, L"STATIC", L"Sonaru", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                             nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(main, nullptr);
    ::SetActiveWindow(main);
  }

  void TearDown() override {
    if (main != nullptr) {
      ::DestroyWindow(main);
    }
  }

  // The help window, once it shows; none after 10 seconds.
  static HWND AwaitHelpWindow() {
    for (auto until = std::chrono::steady_clock::now() + 10s; std::chrono::steady_clock::now() < until;) {
      PumpMessages();
      for (HWND window : WindowsOfClass(L"HH Parent")) {
        if (::IsWindowVisible(window) && !Contents(window).empty()) {
          return window;
        }
      }
      std::this_thread::sleep_for(50ms);
    }
    return nullptr;
  }

  std::string file;
  HWND main = nullptr;
};

TEST_F(Win32HelpViewerTest, TheHelpOpensInOneWindowOfTheMainWindowWithItsFrenchContents) {
  std::optional<Win32HelpViewer> viewer(std::in_place);
  viewer->HtmlHelpA(file, HH_DISPLAY_TOPIC + 1);
  PumpMessages();
  EXPECT_TRUE(WindowsOfClass(L"HH Parent").empty());

  viewer->HtmlHelpA(file, HH_DISPLAY_TOPIC);
  const HWND help = AwaitHelpWindow();
  ASSERT_NE(help, nullptr);
  wchar_t title[64] = {};
  ::GetWindowTextW(help, title, 64);
  EXPECT_EQ(std::wstring(title), L"Aide de Sonaru");
  EXPECT_EQ(::GetWindow(help, GW_OWNER), main);
  const std::vector<std::wstring> contents = Contents(help);
  ASSERT_EQ(contents.size(), 8u);
  EXPECT_EQ(contents[1], L"La fenêtre et ses colonnes");
  EXPECT_EQ(contents[6], L"La restauration différée");

  viewer->HtmlHelpA(file, HH_DISPLAY_TOPIC);
  PumpMessages();
  EXPECT_EQ(WindowsOfClass(L"HH Parent"), std::vector<HWND>{help});

  viewer.reset();
  PumpMessages();
  EXPECT_FALSE(::IsWindow(help));
}

}  // namespace
}  // namespace sonaru::platform
