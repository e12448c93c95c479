// Option lookup in the argument text, split at every blank with no quoting rules.
#include "startup/arguments.h"

#include "common/text.h"
#include "platform/process.h"
#include "platform/services.h"

namespace sonaru {

namespace {

// The bytes of the UTF-8 character that starts at `at`: a user may type "/S§20000" as well as "/S:20000".
std::size_t CharacterLength(std::string_view word, std::size_t at) {
  const auto lead = static_cast<unsigned char>(word[at]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  std::size_t end = at + 1;
  while (end < at + length && end < word.size() && (static_cast<unsigned char>(word[end]) & 0xC0) == 0x80) {
    ++end;
  }
  return end - at;
}

}  // namespace

std::string GetArgument(std::string_view option) {
  const std::string text = platform::process().ArgumentText();
  std::string result;
  for (std::string_view word : Split(text, ' ')) {
    if (word.substr(0, 2) == option) {
      const std::size_t separator = option.size();
      const std::size_t valueStart =
          word.size() > separator ? separator + CharacterLength(word, separator) : word.size();
      result = std::string(word.substr(valueStart));
    }
  }
  return result;
}

}  // namespace sonaru
