// Lines and controls on an ALSA ctl device, through alsa-lib's high-level control interface. Line and
// control ids are positions, from 1, in tables built when a handle is opened. Each control keeps the
// values that the device last reported for it, brought up to date by the device's events, so that reads
// cost no device operation once known, and a write is one write of the control element, every channel at
// once.
#include "platform/alsa/alsa_mixer.h"

#include <alsa/asoundlib.h>
#include <poll.h>

#include <algorithm>
#include <array>
#include <future>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace sonaru::platform {

namespace {

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

// alsa-lib's simple mixer makes an element of every mixer control named after it, alone or with one of
// these suffixes.
constexpr std::array<std::string_view, 12> ControlSuffixes = {
    " Playback Enum", " Playback Switch", " Playback Route", " Playback Volume",
    " Capture Enum",  " Capture Switch",  " Capture Route",  " Capture Volume",
    " Enum",          " Switch",          " Route",          " Volume"};

using HctlPtr = std::unique_ptr<snd_hctl_t, decltype(&snd_hctl_close)>;

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

HctlPtr OpenDevice(const std::string& device) {
  snd_hctl_t* raw = nullptr;
  // Non-blocking, so that taking in the device's events never waits.
  if (snd_hctl_open(&raw, device.c_str(), SND_CTL_NONBLOCK) < 0) {
    return {nullptr, snd_hctl_close};
  }
  HctlPtr hctl(raw, snd_hctl_close);
  // Loading also subscribes to the device's events.
  return snd_hctl_load(raw) < 0 ? HctlPtr(nullptr, snd_hctl_close) : std::move(hctl);
}

bool ElementExists(snd_hctl_t* hctl, std::string_view element) {
  for (snd_hctl_elem_t* control = snd_hctl_first_elem(hctl); control != nullptr;
       control = snd_hctl_elem_next(control)) {
    std::string_view name = snd_hctl_elem_get_name(control);
    if (snd_hctl_elem_get_interface(control) != SND_CTL_ELEM_IFACE_MIXER ||
        snd_hctl_elem_get_index(control) != 0 || !name.starts_with(element)) {
      continue;
    }
    name.remove_prefix(element.size());
    if (name.empty() ||
        std::find(ControlSuffixes.begin(), ControlSuffixes.end(), name) != ControlSuffixes.end()) {
      return true;
    }
  }
  return false;
}

// "Master Playback Volume", "Mic Capture Switch": the simple mixer's names; its element "Capture" is the
// device's own "Capture Volume" and "Capture Switch".
std::string ControlName(std::string_view element, bool capture, std::string_view kind) {
  std::string name(element);
  if (!capture || element != "Capture") {
    name += capture ? " Capture" : " Playback";
  }
  return name.append(" ").append(kind);
}

struct ControlElement {
  snd_hctl_elem_t* element;
  unsigned int channels;
  long minimum, maximum;
};

// The mixer control element `name`, when it holds values of `type`.
std::optional<ControlElement> FindControl(snd_hctl_t* hctl, const std::string& name,
                                          snd_ctl_elem_type_t type) {
  snd_ctl_elem_id_t* id;
  snd_ctl_elem_id_alloca(&id);
  snd_ctl_elem_id_set_interface(id, SND_CTL_ELEM_IFACE_MIXER);
  snd_ctl_elem_id_set_name(id, name.c_str());
  snd_hctl_elem_t* element = snd_hctl_find_elem(hctl, id);
  snd_ctl_elem_info_t* info;
  snd_ctl_elem_info_alloca(&info);
  if (element == nullptr || snd_hctl_elem_info(element, info) < 0 ||
      snd_ctl_elem_info_get_type(info) != type) {
    return std::nullopt;
  }
  if (type == SND_CTL_ELEM_TYPE_BOOLEAN) {
    return ControlElement{element, snd_ctl_elem_info_get_count(info), 0, 1};
  }
  return ControlElement{element, snd_ctl_elem_info_get_count(info), snd_ctl_elem_info_get_min(info),
                        snd_ctl_elem_info_get_max(info)};
}

struct Control {
  std::uint32_t lineId;
  std::uint32_t controlType;
  ControlElement found;      // its element is null once the device has removed it
  std::vector<long> values;  // one per channel, as the device last reported them; empty when unknown
};

}  // namespace

struct AlsaMixer::Session {
  explicit Session(HctlPtr opened) : hctl(std::move(opened)) {
    for (const LineRule& rule : LineRules) {
      const auto candidate =
          std::find_if(rule.candidates.begin(), rule.candidates.end(),
                       [&](const Candidate& c) { return ElementExists(hctl.get(), c.element); });
      if (candidate != rule.candidates.end()) {
        AddLine(rule.componentType, *candidate);
      }
    }
  }

  // Closing the device tells each element's callback of its removal: the controls it reads must still be
  // there then.
  ~Session() { hctl.reset(); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void AddLine(std::uint32_t componentType, const Candidate& candidate) {
    lines.push_back(componentType);
    const auto lineId = static_cast<std::uint32_t>(lines.size());
    std::optional<ControlElement> volume;
    if (candidate.side != Side::Capture) {
      volume =
          FindControl(hctl.get(), ControlName(candidate.element, false, "Volume"), SND_CTL_ELEM_TYPE_INTEGER);
    }
    const bool capture =
        candidate.side == Side::Capture || (candidate.side == Side::PlaybackWhenItHasVolume && !volume);
    if (capture) {
      volume =
          FindControl(hctl.get(), ControlName(candidate.element, true, "Volume"), SND_CTL_ELEM_TYPE_INTEGER);
    }
    AddControl(lineId, MIXERCONTROL_CONTROLTYPE_VOLUME, volume);
    AddControl(lineId, MIXERCONTROL_CONTROLTYPE_MUTE,
               FindControl(hctl.get(), ControlName(candidate.element, capture, "Switch"),
                           SND_CTL_ELEM_TYPE_BOOLEAN));
  }

  void AddControl(std::uint32_t lineId, std::uint32_t controlType,
                  const std::optional<ControlElement>& found) {
    if (found) {
      controls.push_back({lineId, controlType, *found, {}});
      snd_hctl_elem_set_callback(found->element, ElementEvent);
      snd_hctl_elem_set_callback_private(found->element, this);
    }
  }

  bool HasLine(std::uint32_t id) const { return id >= 1 && id <= lines.size(); }
  Control* ControlById(std::uint32_t id) {
    return id >= 1 && id <= controls.size() ? &controls[id - 1] : nullptr;
  }

  // Reads the device's values into the control; whether they differ from those it held.
  static bool Fetch(Control& control) {
    snd_ctl_elem_value_t* value;
    snd_ctl_elem_value_alloca(&value);
    std::vector<long> now;
    if (snd_hctl_elem_read(control.found.element, value) >= 0) {
      for (unsigned int channel = 0; channel < control.found.channels; ++channel) {
        now.push_back(snd_ctl_elem_value_get_integer(value, channel));
      }
    }
    const bool differ = now != control.values;
    control.values = std::move(now);
    return differ;
  }

  // alsa-lib calls this for each event of a control's element that it takes in. This handle's own writes
  // come back as events too (on some devices): they change nothing that it does not know.
  static int ElementEvent(snd_hctl_elem_t* element, unsigned int mask) {
    auto* session = static_cast<Session*>(snd_hctl_elem_get_callback_private(element));
    for (Control& control : session->controls) {
      if (control.found.element != element) {
        continue;
      }
      if (mask == SND_CTL_EVENT_MASK_REMOVE) {
        control.found.element = nullptr;
        session->lost = true;
      } else if ((mask & SND_CTL_EVENT_MASK_VALUE) != 0 && Fetch(control)) {
        session->changed = true;
      }
    }
    return 0;
  }

  // Takes in the device's events, so that every control holds the device's values; false once it is lost.
  bool TakeIn() {
    if (!lost && snd_hctl_handle_events(hctl.get()) < 0) {
      lost = true;
    }
    return !lost;
  }

  MMRESULT Read(std::uint32_t controlId, std::int32_t& value) {
    Control* control = ControlById(controlId);
    if (control == nullptr) {
      return MIXERR_INVALCONTROL;
    }
    // Values not known yet, or not read the last time, come from the device; a failed read leaves none.
    if (!TakeIn() || (control->values.empty() && !Fetch(*control))) {
      return MMSYSERR_ERROR;
    }
    const long first = control->values.front();
    value = control->controlType == MIXERCONTROL_CONTROLTYPE_VOLUME
                ? static_cast<std::int32_t>(first)
                : (first != 0 ? 0 : 1);  // muted: switched off
    return MMSYSERR_NOERROR;
  }

  // Like alsa-lib's simple mixer, writes nothing for a level out of range or for what the device holds.
  MMRESULT Write(std::uint32_t controlId, std::int32_t value) {
    Control* control = ControlById(controlId);
    if (control == nullptr) {
      return MIXERR_INVALCONTROL;
    }
    if (!TakeIn()) {
      return MMSYSERR_ERROR;
    }
    const bool level = control->controlType == MIXERCONTROL_CONTROLTYPE_VOLUME;
    if (level && (value < control->found.minimum || value > control->found.maximum)) {
      return MMSYSERR_NOERROR;
    }
    const long raw = level ? value : (value == 0 ? 1 : 0);
    std::vector<long> wanted(control->found.channels, raw);
    if (wanted == control->values) {
      return MMSYSERR_NOERROR;
    }
    snd_ctl_elem_value_t* written;
    snd_ctl_elem_value_alloca(&written);
    for (unsigned int channel = 0; channel < control->found.channels; ++channel) {
      snd_ctl_elem_value_set_integer(written, channel, raw);
    }
    if (snd_hctl_elem_write(control->found.element, written) < 0) {
      return MMSYSERR_ERROR;
    }
    control->values = std::move(wanted);
    return MMSYSERR_NOERROR;
  }

  std::vector<pollfd> PollDescriptors() const {
    const int count = snd_hctl_poll_descriptors_count(hctl.get());
    std::vector<pollfd> descriptors(count > 0 ? static_cast<std::size_t>(count) : 0);
    const int filled = snd_hctl_poll_descriptors(hctl.get(), descriptors.data(), descriptors.size());
    descriptors.resize(filled > 0 ? static_cast<std::size_t>(filled) : 0);
    return descriptors;
  }

  MixerChange TakeChanges() {
    std::vector<pollfd> descriptors = PollDescriptors();
    unsigned short events = 0;
    if (::poll(descriptors.data(), descriptors.size(), 0) > 0 &&
        snd_hctl_poll_descriptors_revents(hctl.get(), descriptors.data(), descriptors.size(), &events) == 0 &&
        (events & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
      lost = true;
    }
    if (!TakeIn()) {
      return MixerChange::DeviceLost;
    }
    return std::exchange(changed, false) ? MixerChange::Values : MixerChange::None;
  }

  HctlPtr hctl;
  std::vector<std::uint32_t> lines;  // component types; line id = position + 1
  std::vector<Control> controls;     // control id = position + 1
  bool changed = false;              // a value that this handle did not know, taken in since TakeChanges
  bool lost = false;
};

// A future of std::async waits for its thread when it goes: an opening not taken is closed once done.
struct AlsaMixer::Opening {
  std::future<std::unique_ptr<Session>> session;
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

MMRESULT AlsaMixer::mixerOpen(HMIXER* handle, std::uint32_t deviceId) {
  if (handle == nullptr) {
    return MMSYSERR_ERROR;
  }
  *handle = 0;
  if (deviceId != 0) {
    return MMSYSERR_BADDEVICEID;
  }
  std::unique_ptr<Session> session = opening_ ? std::exchange(opening_, nullptr)->session.get() : nullptr;
  if (!session) {  // none opened ahead, or the device was not there yet
    HctlPtr hctl = OpenDevice(device_);
    if (!hctl) {
      return MMSYSERR_ERROR;
    }
    session = std::make_unique<Session>(std::move(hctl));
  }
  HMIXER free = 1;
  while (sessions_.contains(free)) {
    ++free;
  }
  sessions_.emplace(free, std::move(session));
  *handle = free;
  return MMSYSERR_NOERROR;
}

void AlsaMixer::OpenAhead() {
  if (opening_) {
    return;
  }
  try {
    // The controls and their values too, and the events that the device queued meanwhile (a sound
    // server's first ones cost a trip each): its events keep them up to date from then on, as for any
    // handle.
    opening_ = std::make_unique<Opening>(
        Opening{std::async(std::launch::async, [device = device_]() -> std::unique_ptr<Session> {
          HctlPtr hctl = OpenDevice(device);
          if (!hctl) {
            return nullptr;
          }
          auto session = std::make_unique<Session>(std::move(hctl));
          for (Control& control : session->controls) {
            Session::Fetch(control);
          }
          session->TakeIn();
          return session;
        })});
  } catch (const std::system_error&) {
    // No thread to spare: mixerOpen opens the device itself.
  }
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
    const auto found = std::find(s->lines.begin(), s->lines.end(), line.dwComponentType);
    id = found == s->lines.end() ? 0 : static_cast<std::uint32_t>(found - s->lines.begin() + 1);
  } else if (flags == MIXER_GETLINEINFOF_LINEID) {
    id = line.dwLineID;
  } else {
    return MMSYSERR_INVALFLAG;
  }
  if (!s->HasLine(id)) {
    return MIXERR_INVALLINE;
  }
  line.dwLineID = id;
  line.dwComponentType = s->lines[id - 1];
  return MMSYSERR_NOERROR;
}

MMRESULT AlsaMixer::mixerGetLineControlsA(HMIXER handle, std::uint32_t lineId, std::uint32_t controlType,
                                          MIXERCONTROL& control) {
  Session* s = SessionOf(handle);
  if (s == nullptr) {
    return MMSYSERR_INVALHANDLE;
  }
  if (!s->HasLine(lineId)) {
    return MIXERR_INVALLINE;
  }
  for (std::uint32_t id = 1; const Control* found = s->ControlById(id); ++id) {
    if (found->lineId == lineId && found->controlType == controlType) {
      control = {id, controlType, static_cast<std::int32_t>(found->found.minimum),
                 static_cast<std::int32_t>(found->found.maximum)};
      return MMSYSERR_NOERROR;
    }
  }
  return MIXERR_INVALCONTROL;
}

MMRESULT AlsaMixer::mixerGetControlDetailsA(HMIXER handle, std::uint32_t controlId, std::int32_t& value) {
  Session* s = SessionOf(handle);
  return s == nullptr ? MMSYSERR_INVALHANDLE : s->Read(controlId, value);
}

MMRESULT AlsaMixer::mixerSetControlDetails(HMIXER handle, std::uint32_t controlId, std::int32_t value) {
  Session* s = SessionOf(handle);
  return s == nullptr ? MMSYSERR_INVALHANDLE : s->Write(controlId, value);
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

}  // namespace sonaru::platform
