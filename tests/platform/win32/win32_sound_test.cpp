// The sound player under Wine, whose winepulse driver plays into the null sink of a private PulseAudio
// server (with_pulseaudio.sh): the built ding.wav, from a folder that the ANSI code page cannot name.
#include "platform/win32/win32_sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <thread>

#include "test_folder.h"

namespace sonaru::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::uint32_t Flags = SND_ASYNC | SND_NOSTOP;

class Win32SoundTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return folder.Utf8() + "/" + name; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(fs::path(folder.path()) / name, std::ios::binary) << bytes;
    return PathOf(name);
  }
  std::string Ding() const {
    fs::copy_file(SONARU_DING_FILE, folder.path() / L"ding.wav", fs::copy_options::overwrite_existing);
    return PathOf("ding.wav");
  }
  // Silence at 8000 16-bit samples a second.
  std::string Silence(std::uint32_t seconds) const {
    const std::uint32_t data = seconds * 8000 * 2;
    std::string wave = "RIFF" + Le(36 + data) + "WAVEfmt " + Le(16) + Le16(1) + Le16(1) + Le(8000) +
                       Le(8000 * 2) + Le16(2) + Le16(16) + "data" + Le(data);
    return Write("silence.wav", wave + std::string(data, '\0'));
  }
  static std::string Le(std::uint32_t value) { return Le16(value & 0xffff) + Le16(value >> 16); }
  static std::string Le16(std::uint32_t value) {
    return {static_cast<char>(value & 0xff), static_cast<char>((value >> 8) & 0xff)};
  }
  // Tries until a sound starts, which it does once the one before has ended.
  static bool StartsWithin(Win32Sound& sound, const std::string& file, std::chrono::seconds limit) {
    for (auto until = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < until;) {
      if (sound.sndPlaySoundA(file, Flags)) {
        return true;
      }
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }

  test::TestFolder folder{L"mélange звук"};
};

TEST_F(Win32SoundTest, TheDingPlaysAndNothingNewStartsUntilItHasEnded) {
  const std::string ding = Ding();
  Win32Sound sound;
  ASSERT_TRUE(sound.sndPlaySoundA(ding, Flags));
  EXPECT_FALSE(sound.sndPlaySoundA(ding, Flags));
  EXPECT_TRUE(StartsWithin(sound, ding, 10s));
}

TEST_F(Win32SoundTest, AFileThatIsNoSoundOrOtherFlagsStartNothing) {
  const std::string ding = Ding();
  fs::create_directory(folder.path() / L"dossier.wav");
  const struct {
    std::string file;
    std::uint32_t flags;
  } refused[] = {
      {PathOf("absent.wav"), Flags},
      {PathOf("dossier.wav"), Flags},
      {Write("texte.wav", "not a sound, but long enough"), Flags},
      {Write("court.wav", "RIFF"), Flags},
      {ding, SND_ASYNC},
      {ding, Flags | 0x0004},
  };
  Win32Sound sound;
  for (const auto& [file, flags] : refused) {
    SCOPED_TRACE(file);
    EXPECT_FALSE(sound.sndPlaySoundA(file, flags));
  }
  // Nothing plays: a sound starts at once.
  EXPECT_TRUE(sound.sndPlaySoundA(ding, Flags));
}

TEST_F(Win32SoundTest, ALongSoundPlaysOnUntilItsPlayerIsDestroyed) {
  const std::string silence = Silence(30);
  const std::string ding = Ding();
  {
    Win32Sound sound;
    ASSERT_TRUE(sound.sndPlaySoundA(silence, Flags));
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(sound.sndPlaySoundA(ding, Flags));
  }
  Win32Sound next;
  EXPECT_TRUE(next.sndPlaySoundA(ding, Flags));
}

}  // namespace
}  // namespace sonaru::platform
