#include "virtual_card.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace sonaru::test {

namespace {

std::string MakeTemporaryDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sonaru-vcard-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "cannot create the virtual card's directory");
  }
  return pattern;
}

}  // namespace

VirtualCard::VirtualCard(std::vector<CardElement> elements)
    : directory_(MakeTemporaryDirectory()), file_(directory_ + "/card") {
  if (!(std::ofstream(file_) << vcard::FormatCard(elements))) {
    throw std::runtime_error("cannot write the virtual card's file " + file_);
  }
  for (const std::string& entry : environment()) {
    const std::size_t equals = entry.find('=');
    const std::string name = entry.substr(0, equals);
    const char* old = std::getenv(name.c_str());
    saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
    ::setenv(name.c_str(), entry.c_str() + equals + 1, 1);
  }
}

VirtualCard::~VirtualCard() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    if (it->wasSet) {
      ::setenv(it->name.c_str(), it->value.c_str(), 1);
    } else {
      ::unsetenv(it->name.c_str());
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

std::string VirtualCard::device() const { return "vcard"; }

const std::string& VirtualCard::file() const { return file_; }

std::vector<long> VirtualCard::values(const std::string& name) const {
  for (const CardElement& element : vcard::LoadCard(file_).value_or(std::vector<CardElement>{})) {
    if (element.name == name) {
      return element.values;
    }
  }
  return {};
}

void VirtualCard::set(const std::string& name, std::vector<long> values) {
  const int result = vcard::UpdateCard(file_, [&](std::vector<CardElement>& elements) {
    for (CardElement& element : elements) {
      if (element.name == name) {
        if (!vcard::Fits(element, values)) {
          return -EINVAL;
        }
        element.values = values;
        return 1;
      }
    }
    return -ENOENT;
  });
  if (result < 0) {
    throw std::system_error(-result, std::generic_category(), "cannot set " + name + " on the virtual card");
  }
}

std::vector<std::string> VirtualCard::environment() const {
  return {std::string("ALSA_CONFIG_PATH=") + SONARU_VCARD_CONF, "SONARU_VCARD_FILE=" + file_};
}

}  // namespace sonaru::test
