// The sound player on ALSA's null device: it returns at once and plays one sound at a time.
#include "platform/sndfile/sndfile_sound.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

namespace sonaru::test {
namespace {

using namespace platform;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

class SndfileSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("sonaru-sound-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  /// A 16-bit WAV file of silence.
  std::string Wave(double seconds, int rate = 8000, int channels = 1) {
    const std::string path = (folder / "ding.wav").string();
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    std::vector<short> silence(static_cast<std::size_t>(seconds * rate * channels));
    sf_write_short(file, silence.data(), static_cast<sf_count_t>(silence.size()));
    sf_close(file);
    return path;
  }
  static bool WaitUntilQuiet(const SndfileSound& sound) {
    for (auto until = std::chrono::steady_clock::now() + 10s; std::chrono::steady_clock::now() < until;) {
      if (!sound.Playing()) {
        return true;
      }
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }

  fs::path folder;
};

// ALSA's file device writes into a pipe that nobody reads yet: the sound plays until the test drains it.
TEST_F(SndfileSoundTest, StartsAtOnceAndPlaysNothingNewWhileASoundPlays) {
  const std::string pipe = (folder / "pipe").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const int reader = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK);  // also a writer: the pipe never ends
  ASSERT_GE(reader, 0);
  SndfileSound sound("file:FILE=" + pipe + ",FORMAT=raw");
  const std::string file = Wave(2.0, 48000, 2);  // far more than a pipe holds
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(sound.sndPlaySoundA(file, SND_ASYNC | SND_NOSTOP));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms);
  std::this_thread::sleep_for(100ms);
  EXPECT_TRUE(sound.Playing());
  EXPECT_FALSE(sound.sndPlaySoundA(file, SND_ASYNC | SND_NOSTOP));

  const std::size_t expected = 2u * 48000 * 2 * 2;
  std::size_t received = 0;
  char buffer[65536];
  for (pollfd ready{reader, POLLIN, 0}; received<expected&& ::poll(&ready, 1, 10000)> 0;) {
    const ssize_t length = ::read(reader, buffer, sizeof buffer);
    received += length > 0 ? static_cast<std::size_t>(length) : 0;
  }
  EXPECT_EQ(received, expected);
  ASSERT_TRUE(WaitUntilQuiet(sound));
  EXPECT_TRUE(sound.sndPlaySoundA(Wave(0.1), SND_ASYNC | SND_NOSTOP));  // fits in the pipe
  EXPECT_TRUE(WaitUntilQuiet(sound));
  ::close(reader);
}

TEST_F(SndfileSoundTest, AFileThatCannotBeReadOrOtherFlagsStartNothing) {
  SndfileSound sound("null");
  EXPECT_FALSE(sound.sndPlaySoundA((folder / "missing.wav").string(), SND_ASYNC | SND_NOSTOP));
  const std::string text = (folder / "text.wav").string();
  std::FILE* file = std::fopen(text.c_str(), "w");
  std::fputs("not a sound", file);
  std::fclose(file);
  EXPECT_FALSE(sound.sndPlaySoundA(text, SND_ASYNC | SND_NOSTOP));
  EXPECT_FALSE(sound.sndPlaySoundA(Wave(0.1), SND_ASYNC));
  EXPECT_FALSE(sound.Playing());
}

TEST_F(SndfileSoundTest, ADeviceThatCannotOpenEndsThePlayQuietly) {
  SndfileSound sound("no_such_device_here");
  EXPECT_TRUE(sound.sndPlaySoundA(Wave(0.1), SND_ASYNC | SND_NOSTOP));
  EXPECT_TRUE(WaitUntilQuiet(sound));
}

TEST_F(SndfileSoundTest, DestroyingThePlayerStopsALongSound) {
  const auto start = std::chrono::steady_clock::now();
  {
    SndfileSound sound("null");
    ASSERT_TRUE(sound.sndPlaySoundA(Wave(30.0), SND_ASYNC | SND_NOSTOP));
    std::this_thread::sleep_for(50ms);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

}  // namespace
}  // namespace sonaru::test
