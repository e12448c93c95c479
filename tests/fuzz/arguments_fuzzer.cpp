// The option reader on any command line: the input's first two bytes are the option, the rest the argument
// text; a value found is the end of one blank-free word that starts with the option and a separator.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "fakes/simple_fakes.h"
#include "platform/services.h"
#include "require.h"
#include "startup/arguments.h"

using sonaru::fuzz::Require;

namespace {

sonaru::test::FakeProcess process;

// The separator after the option is one UTF-8 character: one to four bytes.
bool EndsAnOptionWord(std::string_view text, std::string_view option, std::string_view value) {
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const std::string_view word = text.substr(start, end - start);
    const std::size_t around = option.size() + value.size();
    if (word.size() > around && word.size() <= around + 4 && word.starts_with(option) &&
        word.ends_with(value)) {
      return true;
    }
    start = end + 1;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  sonaru::platform::services().process = &process;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view option = input.substr(0, 2);
  process.argumentText = std::string(input.substr(option.size()));
  const std::string value = sonaru::GetArgument(option);
  Require(value.empty() || EndsAnOptionWord(process.argumentText, option, value));
  return 0;
}
