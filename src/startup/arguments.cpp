// Option lookup in the argument text, split at every blank with no quoting rules.
#include "startup/arguments.h"

#include "platform/process.h"
#include "platform/services.h"

namespace sonaru {

std::string GetArgument(std::string_view option) {
  const std::string text = platform::process().ArgumentText();
  std::string result;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    const std::string_view word = std::string_view(text).substr(start, end - start);
    if (word.substr(0, 2) == option) {
      const std::size_t valueStart = option.size() + 1;
      result = word.size() > valueStart ? std::string(word.substr(valueStart)) : std::string();
    }
    start = end + 1;
  }
  return result;
}

}  // namespace sonaru
