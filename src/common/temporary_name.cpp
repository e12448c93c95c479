#include "common/temporary_name.h"

#include <charconv>

namespace sonaru {

namespace {

std::string Prefix(std::string_view fileName) { return std::string(fileName) + ".tmp"; }

}  // namespace

std::string TemporaryFileName(std::string_view fileName, std::uint32_t process, unsigned counter) {
  return Prefix(fileName) + std::to_string(process) + "-" + std::to_string(counter);
}

std::optional<std::uint32_t> TemporaryFileWriter(std::string_view name, std::string_view fileName) {
  const std::string prefix = Prefix(fileName);
  if (!name.starts_with(prefix)) {
    return std::nullopt;
  }
  name.remove_prefix(prefix.size());
  const std::size_t dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || name.find_first_not_of("0123456789") != dash) {
    return std::nullopt;
  }
  std::uint32_t process = 0;
  if (std::from_chars(name.data(), name.data() + dash, process).ec != std::errc{}) {
    return std::nullopt;
  }
  return process;
}

}  // namespace sonaru
