// An alsa-lib control plugin that serves a virtual sound card from a text file, so that tests drive the
// real alsa-lib mixer stack without sound hardware. Configured as
//
//   ctl_type.sonaruvcard { lib "/path/to/libasound_module_ctl_sonaruvcard.so" }
//   ctl.NAME { type sonaruvcard  file "/path/to/card" }
//
// The card file's format is described in card_file.h. The card's elements, with their types, ranges and
// channel counts, are fixed when it is opened; values are read from the file on every access and written
// through UpdateCard(), so that several processes share one card. When the file is replaced, subscribers
// get a value event for each element whose values changed, through an inotify watch on its directory.
#include <alsa/asoundlib.h>
#include <alsa/control_external.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "card_file.h"

namespace {

using sonaru::vcard::Element;

struct Card {
  ~Card() {
    if (watch >= 0) {
      ::close(watch);
    }
  }
  snd_ctl_ext_t ext{};
  std::string path;
  std::string fileName;
  std::vector<Element> known;       // the elements as opened, with the values last told to subscribers
  std::deque<std::size_t> pending;  // indexes into `known` whose change is still to be told
  int watch = -1;                   // inotify descriptor, also the card's poll descriptor
};

Card& CardOf(snd_ctl_ext_t* ext) { return *static_cast<Card*>(ext->private_data); }

const Element* FindByName(const std::vector<Element>& elements, const std::string& name) {
  const auto it =
      std::find_if(elements.begin(), elements.end(), [&](const Element& e) { return e.name == name; });
  return it == elements.end() ? nullptr : &*it;
}

// Empties the inotify queue; answers whether the card file was among the files written or moved in.
bool DrainWatch(Card& card) {
  bool touched = false;
  alignas(inotify_event) char buffer[4096];
  ssize_t length;
  while ((length = ::read(card.watch, buffer, sizeof buffer)) > 0) {
    for (char* p = buffer; p < buffer + length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(p);
      touched = touched || (event->len > 0 && card.fileName == event->name);
      p += sizeof(inotify_event) + event->len;
    }
  }
  return touched;
}

void CollectChanges(Card& card) {
  const auto current = sonaru::vcard::LoadCard(card.path);
  if (!current) {
    return;
  }
  for (std::size_t i = 0; i < card.known.size(); ++i) {
    const Element* now = FindByName(*current, card.known[i].name);
    if (now == nullptr || now->values == card.known[i].values) {
      continue;
    }
    card.known[i].values = now->values;
    if (std::find(card.pending.begin(), card.pending.end(), i) == card.pending.end()) {
      card.pending.push_back(i);
    }
  }
}

void CloseCard(snd_ctl_ext_t* ext) { delete &CardOf(ext); }

int ElementCount(snd_ctl_ext_t* ext) { return static_cast<int>(CardOf(ext).known.size()); }

void SetId(snd_ctl_elem_id_t* id, const Element& element) {
  snd_ctl_elem_id_set_interface(id, SND_CTL_ELEM_IFACE_MIXER);
  snd_ctl_elem_id_set_name(id, element.name.c_str());
}

int ListElement(snd_ctl_ext_t* ext, unsigned int offset, snd_ctl_elem_id_t* id) {
  const Card& card = CardOf(ext);
  if (offset >= card.known.size()) {
    return -EINVAL;
  }
  SetId(id, card.known[offset]);
  return 0;
}

snd_ctl_ext_key_t FindElement(snd_ctl_ext_t* ext, const snd_ctl_elem_id_t* id) {
  const Card& card = CardOf(ext);
  if (snd_ctl_elem_id_get_interface(id) != SND_CTL_ELEM_IFACE_MIXER || snd_ctl_elem_id_get_index(id) != 0) {
    return SND_CTL_EXT_KEY_NOT_FOUND;
  }
  const Element* element = FindByName(card.known, snd_ctl_elem_id_get_name(id));
  return element == nullptr ? SND_CTL_EXT_KEY_NOT_FOUND
                            : static_cast<snd_ctl_ext_key_t>(element - card.known.data());
}

int GetAttribute(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, int* type, unsigned int* access,
                 unsigned int* count) {
  const Element& element = CardOf(ext).known[key];
  *type = element.isSwitch ? SND_CTL_ELEM_TYPE_BOOLEAN : SND_CTL_ELEM_TYPE_INTEGER;
  *access = SND_CTL_EXT_ACCESS_READWRITE;
  *count = static_cast<unsigned int>(element.values.size());
  return 0;
}

int GetIntegerInfo(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, long* min, long* max, long* step) {
  const Element& element = CardOf(ext).known[key];
  *min = element.min;
  *max = element.max;
  *step = 0;
  return 0;
}

int ReadInteger(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, long* value) {
  const Card& card = CardOf(ext);
  const Element& wanted = card.known[key];
  const auto current = sonaru::vcard::LoadCard(card.path);
  const Element* now = current ? FindByName(*current, wanted.name) : nullptr;
  if (now == nullptr || now->isSwitch != wanted.isSwitch || now->values.size() != wanted.values.size()) {
    return -EIO;
  }
  std::copy(now->values.begin(), now->values.end(), value);
  return 0;
}

int WriteInteger(snd_ctl_ext_t* ext, snd_ctl_ext_key_t key, long* value) {
  const Card& card = CardOf(ext);
  const Element& wanted = card.known[key];
  const std::vector<long> values(value, value + wanted.values.size());
  return sonaru::vcard::UpdateCard(card.path, [&](std::vector<Element>& elements) {
    const auto it = std::find_if(elements.begin(), elements.end(),
                                 [&](const Element& e) { return e.name == wanted.name; });
    if (it == elements.end()) {
      return -ENOENT;
    }
    if (!sonaru::vcard::Fits(*it, values)) {
      return -EINVAL;
    }
    if (it->values == values) {
      return 0;
    }
    it->values = values;
    return 1;
  });
}

// Subscribers hear only of changes made after they subscribed.
void SubscribeEvents(snd_ctl_ext_t* ext, int subscribe) {
  Card& card = CardOf(ext);
  if (subscribe && DrainWatch(card)) {
    CollectChanges(card);
  }
  card.pending.clear();
}

int ReadEvent(snd_ctl_ext_t* ext, snd_ctl_elem_id_t* id, unsigned int* eventMask) {
  Card& card = CardOf(ext);
  if (!ext->subscribed) {
    return -EAGAIN;
  }
  if (card.pending.empty() && DrainWatch(card)) {
    CollectChanges(card);
  }
  if (card.pending.empty()) {
    return -EAGAIN;
  }
  SetId(id, card.known[card.pending.front()]);
  card.pending.pop_front();
  *eventMask = SND_CTL_EVENT_MASK_VALUE;
  return 1;
}

// Polling uses the defaults for ext.poll_fd, the inotify descriptor: readable when the directory changed.
snd_ctl_ext_callback_t MakeCallbacks() {
  snd_ctl_ext_callback_t callbacks{};
  callbacks.close = CloseCard;
  callbacks.elem_count = ElementCount;
  callbacks.elem_list = ListElement;
  callbacks.find_elem = FindElement;
  callbacks.get_attribute = GetAttribute;
  callbacks.get_integer_info = GetIntegerInfo;
  callbacks.read_integer = ReadInteger;
  callbacks.write_integer = WriteInteger;
  callbacks.subscribe_events = SubscribeEvents;
  callbacks.read_event = ReadEvent;
  return callbacks;
}

const snd_ctl_ext_callback_t Callbacks = MakeCallbacks();

template <std::size_t N>
void CopyText(char (&field)[N], const char* text) {
  std::snprintf(field, N, "%s", text);
}

int OpenCard(snd_ctl_t** handle, const char* name, const std::string& path, int mode) {
  const std::filesystem::path file(path);
  const std::string directory = file.has_parent_path() ? file.parent_path().string() : ".";
  auto card = std::make_unique<Card>();
  card->path = path;
  card->fileName = file.filename();
  // Watch before loading, so that no change after the load goes unnoticed.
  card->watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (card->watch < 0 ||
      ::inotify_add_watch(card->watch, directory.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
    return -errno;
  }
  auto elements = sonaru::vcard::LoadCard(path);
  if (!elements) {
    SNDERR("sonaruvcard: missing or malformed card file %s", path.c_str());
    return -ENODEV;
  }
  card->known = std::move(*elements);

  snd_ctl_ext_t& ext = card->ext;
  ext.version = SND_CTL_EXT_VERSION;
  ext.card_idx = 0;
  CopyText(ext.id, "SonaruVCard");
  CopyText(ext.driver, "sonaruvcard");
  CopyText(ext.name, "Sonaru virtual card");
  CopyText(ext.longname, "Sonaru virtual card for tests");
  CopyText(ext.mixername, "Sonaru virtual mixer");
  ext.poll_fd = card->watch;
  ext.callback = &Callbacks;
  ext.private_data = card.get();
  const int err = snd_ctl_ext_create(&ext, name, mode);
  if (err < 0) {
    return err;
  }
  *handle = ext.handle;
  card.release();  // owned by the handle from now on, freed by CloseCard
  return 0;
}

}  // namespace

extern "C" {

SND_CTL_PLUGIN_DEFINE_FUNC(sonaruvcard) {
  (void)root;
  const char* path = nullptr;
  snd_config_iterator_t i, next;
  snd_config_for_each(i, next, conf) {
    snd_config_t* node = snd_config_iterator_entry(i);
    const char* id;
    if (snd_config_get_id(node, &id) < 0 || std::strcmp(id, "comment") == 0 || std::strcmp(id, "type") == 0) {
      continue;
    }
    if (std::strcmp(id, "file") == 0 && snd_config_get_string(node, &path) >= 0) {
      continue;
    }
    SNDERR("sonaruvcard: invalid field %s", id);
    return -EINVAL;
  }
  if (path == nullptr || *path == '\0') {
    SNDERR("sonaruvcard: no card file given");
    return -EINVAL;
  }
  return OpenCard(handlep, name, path, mode);
}

SND_CTL_PLUGIN_SYMBOL(sonaruvcard)
}
