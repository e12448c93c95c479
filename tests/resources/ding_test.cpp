// ding.wav as the build generates it, read back with libsndfile.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Sound {
  SF_INFO info{};
  std::vector<double> samples;
};

Sound ReadDing() {
  Sound sound;
  SNDFILE* file = sf_open(SONARU_DING_FILE, SFM_READ, &sound.info);
  if (file == nullptr) {
    ADD_FAILURE() << SONARU_DING_FILE << ": " << sf_strerror(nullptr);
    return sound;
  }
  sound.samples.resize(static_cast<std::size_t>(sound.info.frames * sound.info.channels));
  const sf_count_t read =
      sf_read_double(file, sound.samples.data(), static_cast<sf_count_t>(sound.samples.size()));
  sound.samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(read, 0)));
  sf_close(file);
  return sound;
}

double Peak(const std::vector<double>& samples, std::size_t from, std::size_t to) {
  double peak = 0.0;
  for (std::size_t i = from; i < to; ++i) {
    peak = std::max(peak, std::abs(samples[i]));
  }
  return peak;
}

TEST(Ding, IsAShortMono16BitWaveAt44100Hz) {
  const Sound sound = ReadDing();
  EXPECT_EQ(sound.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  EXPECT_EQ(sound.info.samplerate, 44100);
  EXPECT_EQ(sound.info.channels, 1);
  const double seconds = static_cast<double>(sound.info.frames) / 44100.0;
  EXPECT_GE(seconds, 0.3);
  EXPECT_LE(seconds, 0.6);
  EXPECT_EQ(sound.samples.size(), static_cast<std::size_t>(sound.info.frames));
}

// Heard clearly without clipping, starting and stopping without a click, and dying away like a bell.
TEST(Ding, IsAudibleUnclippedAndFadesOut) {
  const Sound sound = ReadDing();
  const std::vector<double>& samples = sound.samples;
  ASSERT_GT(samples.size(), 8820u);
  const std::size_t tenth = 4410;  // 100 ms

  const double peak = Peak(samples, 0, samples.size());
  EXPECT_GE(peak, 0.25);
  EXPECT_LE(peak, 0.9);
  EXPECT_LT(std::abs(samples.front()), 0.01);
  EXPECT_LT(std::abs(samples.back()), 0.01);
  EXPECT_GE(Peak(samples, 0, tenth), 0.8 * peak);
  EXPECT_LE(Peak(samples, samples.size() - tenth, samples.size()), 0.1 * peak);
}

}  // namespace
