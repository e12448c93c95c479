// A sound is handed to the system only once it is known to be a readable WAV file.
#include "platform/win32/win32_sound.h"

#include <windows.h>
// After windows.h, which it needs; its flags have the values of the interface's.
#include <mmsystem.h>

#include <optional>
#include <string_view>
#include <utility>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace sonaru::platform {

namespace {

constexpr LONGLONG WaveHeaderSize = 12;
// A minute and a half of CD sound: far more than a click, far less than a memory's worth.
constexpr LONGLONG MaximumSize = LONGLONG{16} << 20;

// The bytes of the RIFF WAVE file at `path`; nothing when it cannot be read whole or is no WAV file.
std::optional<std::vector<char>> ReadWave(const std::wstring& path) {
  const UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.Valid() || ::GetFileType(file.get()) != FILE_TYPE_DISK ||
      ::GetFileSizeEx(file.get(), &size) == 0 || size.QuadPart < WaveHeaderSize ||
      size.QuadPart > MaximumSize) {
    return std::nullopt;
  }
  std::vector<char> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) == 0 ||
      read != bytes.size() || std::string_view(bytes.data(), 4) != "RIFF" ||
      std::string_view(bytes.data() + 8, 4) != "WAVE") {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

Win32Sound::~Win32Sound() {
  if (!playing_.empty()) {
    ::PlaySoundW(nullptr, nullptr, 0);  // returns once the system has let go of the sound
  }
}

bool Win32Sound::sndPlaySoundA(const std::string& fileName, std::uint32_t flags) {
  if (flags != (SND_ASYNC | SND_NOSTOP)) {
    return false;
  }
  std::optional<std::vector<char>> wave = ReadWave(ToWide(fileName));
  if (!wave || ::PlaySoundW(reinterpret_cast<LPCWSTR>(wave->data()), nullptr,
                            SND_ASYNC | SND_NOSTOP | SND_MEMORY | SND_NODEFAULT) == 0) {
    return false;
  }
  // The system took the new sound only because no other played: the previous one is free to go. A move
  // keeps the bytes where the system reads them.
  playing_ = std::move(*wave);
  return true;
}

}  // namespace sonaru::platform
