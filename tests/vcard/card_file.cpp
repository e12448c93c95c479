#include "card_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>

namespace sonaru::vcard {

namespace {

constexpr std::size_t MaxNameLength = 43;  // the ctl element id holds 44 bytes with the terminator
constexpr std::size_t MaxChannels = 8;

bool InRange(const Element& element, long value) { return value >= element.min && value <= element.max; }

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1) {
    parts.push_back(text.substr(start, end - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::optional<long> Number(std::string_view text) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

std::optional<Element> ParseElement(std::string_view line) {
  const auto fields = Split(line, ';');
  if (fields.size() != 5 || fields[0].empty() || fields[0].size() > MaxNameLength) {
    return std::nullopt;
  }
  if (fields[1] != "int" && fields[1] != "bool") {
    return std::nullopt;
  }
  const auto min = Number(fields[2]);
  const auto max = Number(fields[3]);
  if (!min || !max || *min > *max) {
    return std::nullopt;
  }
  Element element{std::string(fields[0]), fields[1] == "bool", *min, *max, {}};
  if (element.isSwitch && (element.min != 0 || element.max != 1)) {
    return std::nullopt;
  }
  for (std::string_view text : Split(fields[4], ' ')) {
    const auto value = Number(text);
    if (!value) {
      return std::nullopt;
    }
    element.values.push_back(*value);
  }
  if (element.values.size() > MaxChannels || std::any_of(element.values.begin(), element.values.end(),
                                                         [&](long v) { return !InRange(element, v); })) {
    return std::nullopt;
  }
  return element;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Readers never see a half-written card: the new text goes to a temporary file renamed over the card.
int ReplaceFile(const std::string& path, const std::string& text) {
  std::string temporary = path + ".XXXXXX";
  FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (file.get() < 0) {
    return -errno;
  }
  int result = 0;
  for (std::size_t done = 0; done < text.size() && result == 0;) {
    const ssize_t written = ::write(file.get(), text.data() + done, text.size() - done);
    if (written < 0 && errno != EINTR) {
      result = -errno;
    } else if (written > 0) {
      done += static_cast<std::size_t>(written);
    }
  }
  if (::close(file.release()) < 0 && result == 0) {
    result = -errno;
  }
  if (result == 0 && std::rename(temporary.c_str(), path.c_str()) < 0) {
    result = -errno;
  }
  if (result < 0) {
    ::unlink(temporary.c_str());
  }
  return result;
}

}  // namespace

std::optional<std::vector<Element>> ParseCard(std::string_view text) {
  std::vector<Element> elements;
  for (std::string_view line : Split(text, '\n')) {
    if (line.empty()) {
      continue;
    }
    auto element = ParseElement(line);
    if (!element || std::any_of(elements.begin(), elements.end(),
                                [&](const Element& e) { return e.name == element->name; })) {
      return std::nullopt;
    }
    elements.push_back(std::move(*element));
  }
  return elements;
}

std::string FormatCard(const std::vector<Element>& elements) {
  std::ostringstream text;
  for (const Element& element : elements) {
    text << element.name << ';' << (element.isSwitch ? "bool" : "int") << ';' << element.min << ';'
         << element.max << ';';
    for (std::size_t i = 0; i < element.values.size(); ++i) {
      text << (i == 0 ? "" : " ") << element.values[i];
    }
    text << '\n';
  }
  return text.str();
}

std::optional<std::vector<Element>> LoadCard(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) {
    return std::nullopt;
  }
  return ParseCard(text.str());
}

bool Fits(const Element& element, const std::vector<long>& values) {
  return values.size() == element.values.size() &&
         std::all_of(values.begin(), values.end(), [&](long v) { return InRange(element, v); });
}

int UpdateCard(const std::string& path, const std::function<int(std::vector<Element>&)>& change) {
  const FileDescriptor lock(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (lock.get() < 0) {
    return -errno;
  }
  int locked;
  while ((locked = ::flock(lock.get(), LOCK_EX)) < 0 && errno == EINTR) {
  }
  if (locked < 0) {
    return -errno;
  }
  // Re-read under the lock so that another process's change made since our last read is kept.
  auto elements = LoadCard(path);
  if (!elements) {
    return -EIO;
  }
  const int result = change(*elements);
  if (result <= 0) {
    return result;
  }
  const int replaced = ReplaceFile(path, FormatCard(*elements));
  return replaced < 0 ? replaced : result;
}

}  // namespace sonaru::vcard
