// Writes ding.wav, the short bell played when the VOL or WAVE thumb is let go: two partials that die away,
// the higher one faster, so the attack shines and the tail is a soft pure tone.
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <numbers>
#include <vector>

namespace {

constexpr int SampleRate = 44100;
constexpr double Duration = 0.45;  // seconds
constexpr double Peak = 0.5;       // of full scale: heard clearly, never harsh

struct Partial {
  double frequency;  // Hz
  double amplitude;
  double decay;  // seconds for the partial to fall to 1/e
};

// C6 and a partial at 2.76 times it, the ratio that makes a small bell sound like one.
constexpr Partial Partials[] = {{1046.5, 1.0, 0.12}, {1046.5 * 2.76, 0.35, 0.045}};

// Raised-cosine ramps at both ends so the sound starts and stops without a click.
constexpr double FadeIn = 0.004;
constexpr double FadeOut = 0.03;

double Ramp(double t, double length) {
  return t >= length ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * t / length);
}

std::vector<double> Ding() {
  const auto frames = static_cast<std::size_t>(Duration * SampleRate);
  std::vector<double> samples(frames);
  double loudest = 0.0;
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    double value = 0.0;
    for (const Partial& partial : Partials) {
      value += partial.amplitude * std::exp(-t / partial.decay) *
               std::sin(2.0 * std::numbers::pi * partial.frequency * t);
    }
    samples[i] = value * Ramp(t, FadeIn) * Ramp(Duration - t, FadeOut);
    loudest = std::max(loudest, std::abs(samples[i]));
  }
  for (double& sample : samples) {
    sample *= Peak / loudest;
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " OUTPUT.wav\n";
    return 2;
  }
  SF_INFO format{};
  format.samplerate = SampleRate;
  format.channels = 1;
  format.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(argv[1], SFM_WRITE, &format);
  if (file == nullptr) {
    std::cerr << argv[1] << ": " << sf_strerror(nullptr) << "\n";
    return 1;
  }
  const std::vector<double> samples = Ding();
  const auto written = sf_write_double(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  const bool whole = written == static_cast<sf_count_t>(samples.size());
  if (!whole) {
    std::cerr << argv[1] << ": " << sf_strerror(file) << "\n";
  }
  return sf_close(file) == 0 && whole ? 0 : 1;
}
