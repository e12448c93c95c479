// A virtual sound card for tests: a card file in a fresh temporary directory, served by the sonaruvcard
// alsa-lib plugin through the test ALSA configuration, never the machine's own configuration or devices.
#pragma once

#include <string>
#include <vector>

#include "card_file.h"

namespace sonaru::test {

using CardElement = vcard::Element;

/// While it lives, ALSA in this process (and in children given environment()) sees this card as the
/// "vcard" and "default" ctl devices.
class VirtualCard {
 public:
  /// Writes a fresh card file and points ALSA_CONFIG_PATH and SONARU_VCARD_FILE at it in this process.
  explicit VirtualCard(std::vector<CardElement> elements);
  /// Removes the card's directory and gives both variables back their former values.
  ~VirtualCard();
  VirtualCard(const VirtualCard&) = delete;
  VirtualCard& operator=(const VirtualCard&) = delete;

  /// The ALSA ctl device name that opens this card.
  std::string device() const;
  const std::string& file() const;
  /// An element's values as the card file holds them now; empty when the card has no such element.
  std::vector<long> values(const std::string& name) const;
  /// Changes an element's values as another process would; throws when the card refuses them.
  void set(const std::string& name, std::vector<long> values);
  /// The "NAME=value" entries a child process needs to see this card.
  std::vector<std::string> environment() const;

 private:
  struct SavedVariable {
    std::string name;
    bool wasSet;
    std::string value;
  };

  std::string directory_;
  std::string file_;
  std::vector<SavedVariable> saved_;
};

}  // namespace sonaru::test
