// Lines and controls on the ALSA simple mixer. Line and control ids are positions, from 1, in tables built
// when a handle is opened; values go to and from alsa-lib at every call.
#include "platform/alsa/alsa_mixer.h"

#include <alsa/asoundlib.h>
#include <poll.h>

#include <optional>
#include <utility>
#include <vector>

namespace sonaru::platform {

namespace {

// The simple-mixer calls for one direction of an element, playback or capture.
struct Direction {
  int (*hasVolume)(snd_mixer_elem_t*);
  int (*hasSwitch)(snd_mixer_elem_t*);
  int (*volumeRange)(snd_mixer_elem_t*, long*, long*);
  int (*volume)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, long*);
  int (*setVolume)(snd_mixer_elem_t*, long);
  int (*switchState)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, int*);
  int (*setSwitch)(snd_mixer_elem_t*, int);
};

constexpr Direction PlaybackCalls{
    snd_mixer_selem_has_playback_volume,       snd_mixer_selem_has_playback_switch,
    snd_mixer_selem_get_playback_volume_range, snd_mixer_selem_get_playback_volume,
    snd_mixer_selem_set_playback_volume_all,   snd_mixer_selem_get_playback_switch,
    snd_mixer_selem_set_playback_switch_all};
constexpr Direction CaptureCalls{snd_mixer_selem_has_capture_volume,       snd_mixer_selem_has_capture_switch,
                                 snd_mixer_selem_get_capture_volume_range, snd_mixer_selem_get_capture_volume,
                                 snd_mixer_selem_set_capture_volume_all,   snd_mixer_selem_get_capture_switch,
                                 snd_mixer_selem_set_capture_switch_all};

constexpr snd_mixer_selem_channel_id_t FirstChannel = SND_MIXER_SCHN_FRONT_LEFT;

// A microphone mixed into the output is controlled there; one without a playback volume at its input.
enum class Side { Playback, Capture, PlaybackWhenItHasVolume };

struct Candidate {
  const char* element;
  Side side;
};

struct LineRule {
  std::uint32_t componentType;
  std::vector<Candidate> candidates;  // the first existing one makes the line
};

const std::vector<LineRule> LineRules = {
    {MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
     {{"Master", Side::Playback}, {"Front", Side::Playback}, {"Speaker", Side::Playback}}},
    {MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE,
     {{"Mic", Side::PlaybackWhenItHasVolume}, {"Capture", Side::Capture}}},
    {MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, {{"PCM", Side::Playback}, {"Wave", Side::Playback}}},
    {MIXERLINE_COMPONENTTYPE_SRC_LINE, {{"Line", Side::Playback}}},
    {MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY, {{"Aux", Side::Playback}}},
    {MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, {{"CD", Side::Playback}}},
    {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER,
     {{"Synth", Side::Playback}, {"FM", Side::Playback}, {"MIDI", Side::Playback}}},
};

// An element lives as long as its mixer, unless the device removes it (the session is then lost).
struct Line {
  std::uint32_t componentType;
  snd_mixer_elem_t* element;
  const Direction* direction;
};

struct Control {
  std::uint32_t lineId;
  std::uint32_t controlType;
};

using MixerPtr = std::unique_ptr<snd_mixer_t, decltype(&snd_mixer_close)>;

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

MixerPtr OpenMixer(const std::string& device) {
  MixerPtr none(nullptr, snd_mixer_close);
  snd_hctl_t* hctl = nullptr;
  // Non-blocking, so that taking in the device's events never waits.
  if (snd_hctl_open(&hctl, device.c_str(), SND_CTL_NONBLOCK) < 0) {
    return none;
  }
  snd_mixer_t* raw = nullptr;
  if (snd_mixer_open(&raw, 0) < 0) {
    snd_hctl_close(hctl);
    return none;
  }
  MixerPtr mixer(raw, snd_mixer_close);
  // On failure snd_mixer_attach_hctl closes the hctl itself.
  if (snd_mixer_attach_hctl(raw, hctl) < 0 || snd_mixer_selem_register(raw, nullptr, nullptr) < 0 ||
      snd_mixer_load(raw) < 0) {
    return none;
  }
  return mixer;
}

snd_mixer_elem_t* FindElement(snd_mixer_t* mixer, const std::string& name) {
  snd_mixer_selem_id_t* id;
  snd_mixer_selem_id_alloca(&id);
  snd_mixer_selem_id_set_name(id, name.c_str());
  snd_mixer_selem_id_set_index(id, 0);
  return snd_mixer_find_selem(mixer, id);
}

std::optional<Line> FindLine(snd_mixer_t* mixer, const LineRule& rule) {
  for (const Candidate& candidate : rule.candidates) {
    snd_mixer_elem_t* element = FindElement(mixer, candidate.element);
    if (element == nullptr) {
      continue;
    }
    const bool capture =
        candidate.side == Side::Capture ||
        (candidate.side == Side::PlaybackWhenItHasVolume && !snd_mixer_selem_has_playback_volume(element));
    return Line{rule.componentType, element, capture ? &CaptureCalls : &PlaybackCalls};
  }
  return std::nullopt;
}

}  // namespace

struct AlsaMixer::Session {
  explicit Session(MixerPtr opened) : mixer(std::move(opened)) {
    for (const LineRule& rule : LineRules) {
      if (auto line = FindLine(mixer.get(), rule)) {
        const auto lineId = static_cast<std::uint32_t>(lines.size() + 1);
        snd_mixer_elem_t* element = line->element;
        snd_mixer_elem_set_callback(element, ElementEvent);
        snd_mixer_elem_set_callback_private(element, this);
        if (line->direction->hasVolume(element)) {
          controls.push_back({lineId, MIXERCONTROL_CONTROLTYPE_VOLUME});
        }
        if (line->direction->hasSwitch(element)) {
          controls.push_back({lineId, MIXERCONTROL_CONTROLTYPE_MUTE});
        }
        lines.push_back(*line);
      }
    }
  }

  const Line* LineById(std::uint32_t id) const {
    return id >= 1 && id <= lines.size() ? &lines[id - 1] : nullptr;
  }
  const Control* ControlById(std::uint32_t id) const {
    return id >= 1 && id <= controls.size() ? &controls[id - 1] : nullptr;
  }

  // alsa-lib keeps the values it last saw until it takes in the device's events, and skips writes that
  // match them: take the events first so that values read and compared are the device's own.
  snd_mixer_elem_t* CurrentElement(const Control& control) {
    if (snd_mixer_handle_events(mixer.get()) < 0 || lost) {
      lost = true;
      return nullptr;
    }
    return LineById(control.lineId)->element;
  }

  // alsa-lib calls this for each event of a line's element that it takes in, whoever takes it in.
  static int ElementEvent(snd_mixer_elem_t* element, unsigned int mask) {
    auto* session = static_cast<Session*>(snd_mixer_elem_get_callback_private(element));
    if (mask == SND_CTL_EVENT_MASK_REMOVE) {
      session->lost = true;
    } else if ((mask & SND_CTL_EVENT_MASK_VALUE) != 0) {
      session->changed = true;
    }
    return 0;
  }

  std::vector<pollfd> PollDescriptors() const {
    const int count = snd_mixer_poll_descriptors_count(mixer.get());
    std::vector<pollfd> descriptors(count > 0 ? static_cast<std::size_t>(count) : 0);
    const int filled = snd_mixer_poll_descriptors(mixer.get(), descriptors.data(), descriptors.size());
    descriptors.resize(filled > 0 ? static_cast<std::size_t>(filled) : 0);
    return descriptors;
  }

  MixerChange TakeChanges() {
    std::vector<pollfd> descriptors = PollDescriptors();
    unsigned short events = 0;
    if (::poll(descriptors.data(), descriptors.size(), 0) > 0 &&
        snd_mixer_poll_descriptors_revents(mixer.get(), descriptors.data(), descriptors.size(), &events) ==
            0 &&
        (events & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
      lost = true;
    }
    if (!lost && snd_mixer_handle_events(mixer.get()) < 0) {
      lost = true;
    }
    if (lost) {
      return MixerChange::DeviceLost;
    }
    return std::exchange(changed, false) ? MixerChange::Values : MixerChange::None;
  }

  MixerPtr mixer;
  std::vector<Line> lines;        // line id = position + 1
  std::vector<Control> controls;  // control id = position + 1
  bool changed = false;           // a value event taken in since the last TakeChanges
  bool lost = false;
};

// A control, ready to be read or written.
struct AlsaMixer::Target {
  const Control* control = nullptr;
  const Direction* direction = nullptr;
  snd_mixer_elem_t* element = nullptr;
};

AlsaMixer::AlsaMixer(std::string device) : device_(std::move(device)) {
  // Users see the program's own messages, not alsa-lib's.
  snd_lib_error_set_handler(IgnoreAlsaError);
}

AlsaMixer::~AlsaMixer() = default;

AlsaMixer::Session* AlsaMixer::SessionOf(HMIXER handle) {
  const auto it = sessions_.find(handle);
  return it == sessions_.end() ? nullptr : it->second.get();
}

MMRESULT AlsaMixer::Reach(HMIXER handle, std::uint32_t controlId, Target& target) {
  Session* s = SessionOf(handle);
  if (s == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  target.control = s->ControlById(controlId);
  if (target.control == nullptr) {
    return MIXERR_INVALCONTROL;
  }
  target.direction = s->LineById(target.control->lineId)->direction;
  target.element = s->CurrentElement(*target.control);
  return target.element == nullptr ? MMSYSERR_ERROR : MMSYSERR_NOERROR;
}

MMRESULT AlsaMixer::mixerOpen(HMIXER* handle, std::uint32_t deviceId) {
  if (handle == nullptr) {
    return MMSYSERR_ERROR;
  }
  *handle = 0;
  if (deviceId != 0) {
    return MMSYSERR_BADDEVICEID;
  }
  MixerPtr mixer = OpenMixer(device_);
  if (!mixer) {
    return MMSYSERR_ERROR;
  }
  HMIXER free = 1;
  while (sessions_.contains(free)) {
    ++free;
  }
  sessions_.emplace(free, std::make_unique<Session>(std::move(mixer)));
  *handle = free;
  return MMSYSERR_NOERROR;
}

MMRESULT AlsaMixer::mixerClose(HMIXER handle) {
  return sessions_.erase(handle) == 1 ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

MMRESULT AlsaMixer::mixerGetLineInfoA(HMIXER handle, MIXERLINE& line, std::uint32_t flags) {
  const Session* s = SessionOf(handle);
  if (s == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  std::uint32_t id = 0;
  if (flags == MIXER_GETLINEINFOF_COMPONENTTYPE) {
    for (std::uint32_t candidate = 1; const Line* found = s->LineById(candidate); ++candidate) {
      if (found->componentType == line.dwComponentType) {
        id = candidate;
        break;
      }
    }
  } else if (flags == MIXER_GETLINEINFOF_LINEID) {
    id = line.dwLineID;
  } else {
    return MMSYSERR_INVALFLAG;
  }
  const Line* found = s->LineById(id);
  if (found == nullptr) {
    return MIXERR_INVALLINE;
  }
  line.dwLineID = id;
  line.dwComponentType = found->componentType;
  return MMSYSERR_NOERROR;
}

MMRESULT AlsaMixer::mixerGetLineControlsA(HMIXER handle, std::uint32_t lineId, std::uint32_t controlType,
                                          MIXERCONTROL& control) {
  Session* s = SessionOf(handle);
  if (s == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  if (s->LineById(lineId) == nullptr) {
    return MIXERR_INVALLINE;
  }
  for (std::uint32_t id = 1; const Control* found = s->ControlById(id); ++id) {
    if (found->lineId != lineId || found->controlType != controlType) {
      continue;
    }
    long minimum = 0, maximum = 1;
    if (controlType == MIXERCONTROL_CONTROLTYPE_VOLUME) {
      snd_mixer_elem_t* element = s->CurrentElement(*found);
      if (element == nullptr ||
          s->LineById(lineId)->direction->volumeRange(element, &minimum, &maximum) < 0) {
        return MMSYSERR_ERROR;
      }
    }
    control = {id, controlType, static_cast<std::int32_t>(minimum), static_cast<std::int32_t>(maximum)};
    return MMSYSERR_NOERROR;
  }
  return MIXERR_INVALCONTROL;
}

MMRESULT AlsaMixer::mixerGetControlDetailsA(HMIXER handle, std::uint32_t controlId, std::int32_t& value) {
  Target target;
  if (const MMRESULT result = Reach(handle, controlId, target); result != MMSYSERR_NOERROR) {
    return result;
  }
  if (target.control->controlType == MIXERCONTROL_CONTROLTYPE_VOLUME) {
    long level = 0;
    if (target.direction->volume(target.element, FirstChannel, &level) < 0) {
      return MMSYSERR_ERROR;
    }
    value = static_cast<std::int32_t>(level);
  } else {
    int on = 0;
    if (target.direction->switchState(target.element, FirstChannel, &on) < 0) {
      return MMSYSERR_ERROR;
    }
    value = on ? 0 : 1;  // muted means switched off
  }
  return MMSYSERR_NOERROR;
}

std::vector<int> AlsaMixer::mixerChangeDescriptors(HMIXER handle) {
  std::vector<int> descriptors;
  if (const Session* s = SessionOf(handle)) {
    for (const pollfd& descriptor : s->PollDescriptors()) {
      descriptors.push_back(descriptor.fd);
    }
  }
  return descriptors;
}

MixerChange AlsaMixer::mixerTakeChanges(HMIXER handle) {
  Session* s = SessionOf(handle);
  return s == nullptr ? MixerChange::None : s->TakeChanges();
}

MMRESULT AlsaMixer::mixerSetControlDetails(HMIXER handle, std::uint32_t controlId, std::int32_t value) {
  Target target;
  if (const MMRESULT result = Reach(handle, controlId, target); result != MMSYSERR_NOERROR) {
    return result;
  }
  const int result = target.control->controlType == MIXERCONTROL_CONTROLTYPE_VOLUME
                         ? target.direction->setVolume(target.element, value)
                         : target.direction->setSwitch(target.element, value == 0 ? 1 : 0);
  return result < 0 ? MMSYSERR_ERROR : MMSYSERR_NOERROR;
}

}  // namespace sonaru::platform
