// The file is opened before returning, so that a file that cannot be read starts nothing.
#include "platform/sndfile/sndfile_sound.h"

#include <alsa/asoundlib.h>
#include <dlfcn.h>
#include <sndfile.h>

#include <iostream>
#include <optional>
#include <vector>

namespace sonaru::platform {

namespace {

// About a twentieth of a second per write, so that a stop is heard soon.
constexpr sf_count_t ChunkFrames = 2048;

// libsndfile and its seven codec libraries are loaded with the first sound rather than with the window,
// whose start they would slow by a millisecond. They stay loaded to the end of the process.
struct Sndfile {
  decltype(&sf_open) open;
  decltype(&sf_readf_short) readfShort;
  decltype(&sf_close) close;
};

template <typename Function>
Function Symbol(void* library, const char* name) {
  return reinterpret_cast<Function>(::dlsym(library, name));
}

const Sndfile* LoadedSndfile() {
  static const std::optional<Sndfile> loaded = []() -> std::optional<Sndfile> {
    void* library = ::dlopen("libsndfile.so.1", RTLD_NOW | RTLD_LOCAL);
    const Sndfile functions = library == nullptr
                                  ? Sndfile{}
                                  : Sndfile{Symbol<decltype(&sf_open)>(library, "sf_open"),
                                            Symbol<decltype(&sf_readf_short)>(library, "sf_readf_short"),
                                            Symbol<decltype(&sf_close)>(library, "sf_close")};
    // Not loaded, or not the library it should be: either way dlerror says which.
    if (functions.open == nullptr || functions.readfShort == nullptr || functions.close == nullptr) {
      const char* why = ::dlerror();
      std::cerr << "Impossible de charger libsndfile.so.1 : " << (why != nullptr ? why : "?") << "\n";
      return std::nullopt;
    }
    return functions;
  }();
  return loaded ? &*loaded : nullptr;
}

void Play(const Sndfile& sndfile, SNDFILE* file, const SF_INFO& info, const std::string& device,
          const std::atomic<bool>& stop) {
  snd_pcm_t* pcm = nullptr;
  if (snd_pcm_open(&pcm, device.c_str(), SND_PCM_STREAM_PLAYBACK, 0) == 0) {
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                           static_cast<unsigned>(info.channels), static_cast<unsigned>(info.samplerate), 1,
                           500000) == 0) {
      std::vector<short> samples(static_cast<std::size_t>(ChunkFrames * info.channels));
      sf_count_t frames;
      while (!stop && (frames = sndfile.readfShort(file, samples.data(), ChunkFrames)) > 0) {
        for (const short* at = samples.data(); frames > 0 && !stop;) {
          snd_pcm_sframes_t written = snd_pcm_writei(pcm, at, static_cast<snd_pcm_uframes_t>(frames));
          if (written < 0) {
            written = snd_pcm_recover(pcm, static_cast<int>(written), 1);
            if (written < 0) {
              break;
            }
            continue;
          }
          at += written * info.channels;
          frames -= written;
        }
      }
      if (stop) {
        snd_pcm_drop(pcm);
      } else {
        snd_pcm_drain(pcm);
      }
    }
    snd_pcm_close(pcm);
  }
  sndfile.close(file);
}

}  // namespace

SndfileSound::SndfileSound(std::string device) : device_(std::move(device)) {}

SndfileSound::~SndfileSound() {
  stop_ = true;
  if (worker_.joinable()) {
    worker_.join();
  }
}

bool SndfileSound::sndPlaySoundA(const std::string& fileName, std::uint32_t flags) {
  if (flags != (SND_ASYNC | SND_NOSTOP) || playing_) {
    return false;
  }
  const Sndfile* sndfile = LoadedSndfile();
  if (sndfile == nullptr) {
    return false;
  }
  SF_INFO info{};
  SNDFILE* file = sndfile->open(fileName.c_str(), SFM_READ, &info);
  if (file == nullptr) {
    return false;
  }
  if (worker_.joinable()) {
    worker_.join();  // already done: only its thread is left to collect
  }
  playing_ = true;
  worker_ = std::thread([this, sndfile, file, info] {
    Play(*sndfile, file, info, device_, stop_);
    playing_ = false;
  });
  return true;
}

}  // namespace sonaru::platform
