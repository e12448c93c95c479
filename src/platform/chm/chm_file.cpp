// CHM files through libchm; the default topic and title come from the file's #SYSTEM object.
#include "platform/chm/chm_file.h"

#include <chm_lib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

#include "common/text.h"

namespace sonaru::platform::chm {

namespace {

// Codes of the #SYSTEM entries read here; each entry is a 16-bit code, a 16-bit length and its data.
constexpr int SystemDefaultTopic = 2;
constexpr int SystemTitle = 3;
constexpr std::size_t SystemVersionSize = 4;
constexpr std::size_t SystemEntryHeaderSize = 4;

constexpr std::array<const char*, 4> UsualTopics = {"/index.html", "/index.htm", "/default.html",
                                                    "/default.htm"};

// Objects are read in steps, so that a length from a damaged file never sizes a buffer by itself.
constexpr std::size_t ReadStep = std::size_t{64} * 1024;

unsigned Word(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

bool IsPage(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) {
    return false;
  }
  std::string extension(path.substr(dot + 1));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == "htm" || extension == "html";
}

// Topics are stored relative to the root, sometimes with Windows separators.
std::string RootedPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path.starts_with('/') ? path : "/" + path;
}

int KeepFirstPage(chmFile*, chmUnitInfo* unit, void* context) {
  if (!IsPage(unit->path)) {
    return CHM_ENUMERATOR_CONTINUE;
  }
  *static_cast<std::string*>(context) = unit->path;
  return CHM_ENUMERATOR_SUCCESS;
}

}  // namespace

void ChmFile::Closer::operator()(chmFile* file) const { chm_close(file); }

ChmFile::ChmFile(chmFile* file) : file_(file) {}

std::optional<ChmFile> ChmFile::Open(const std::string& path) {
  chmFile* file = chm_open(path.c_str());
  if (file == nullptr) {
    return std::nullopt;
  }
  return ChmFile(file);
}

std::string ChmFile::DefaultTopic() const {
  if (const std::optional<std::string> named = SystemEntry(SystemDefaultTopic)) {
    std::string topic = RootedPath(CutAtNul(*named));
    // An empty name would give "/", the root folder, which the file also holds.
    if (!topic.ends_with('/') && Holds(topic)) {
      return topic;
    }
  }
  for (const char* topic : UsualTopics) {
    if (Holds(topic)) {
      return topic;
    }
  }
  return FirstPage();
}

std::string ChmFile::Title() const { return CutAtNul(SystemEntry(SystemTitle).value_or("")); }

std::optional<std::string> ChmFile::Read(std::string_view objectPath) const {
  chmUnitInfo unit{};
  if (chm_resolve_object(file_.get(), std::string(objectPath).c_str(), &unit) != CHM_RESOLVE_SUCCESS) {
    return std::nullopt;
  }
  std::string bytes;
  while (bytes.size() < unit.length) {
    const std::size_t offset = bytes.size();
    const std::size_t step = std::min<std::size_t>(ReadStep, unit.length - offset);
    bytes.resize(offset + step);
    const LONGINT64 got =
        chm_retrieve_object(file_.get(), &unit, reinterpret_cast<unsigned char*>(&bytes[offset]), offset,
                            static_cast<LONGINT64>(step));
    if (got <= 0) {
      return std::nullopt;
    }
    bytes.resize(offset + static_cast<std::size_t>(got));
  }
  return bytes;
}

std::optional<std::string> ChmFile::SystemEntry(int code) const {
  const std::optional<std::string> system = Read("/#SYSTEM");
  if (!system) {
    return std::nullopt;
  }
  std::size_t at = SystemVersionSize;
  while (at + SystemEntryHeaderSize <= system->size()) {
    const unsigned entryCode = Word(*system, at);
    const std::size_t length = Word(*system, at + 2);
    at += SystemEntryHeaderSize;
    if (at + length > system->size()) {
      return std::nullopt;
    }
    if (entryCode == static_cast<unsigned>(code)) {
      return system->substr(at, length);
    }
    at += length;
  }
  return std::nullopt;
}

bool ChmFile::Holds(const std::string& objectPath) const {
  chmUnitInfo unit{};
  return chm_resolve_object(file_.get(), objectPath.c_str(), &unit) == CHM_RESOLVE_SUCCESS;
}

std::string ChmFile::FirstPage() const {
  std::string page;
  chm_enumerate(file_.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, KeepFirstPage, &page);
  return page;
}

}  // namespace sonaru::platform::chm
