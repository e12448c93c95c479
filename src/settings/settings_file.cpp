// The settings file; nothing is cached, the path is rebuilt for every access.
#include "settings/settings_file.h"

#include "platform/process.h"
#include "platform/services.h"
#include "settings/number_text.h"

namespace sonaru {

namespace {

constexpr const char* Section = "Volume";
constexpr const char* FileName = "Sonaru.ini";
// A stored "#" reads as missing too: the marker cannot be told from a real value of that text.
constexpr const char* MissingMarker = "#";
constexpr std::size_t ValueBufferSize = 20;

std::optional<std::string> ReadSetting(const std::string& key) {
  std::string text = CutAtNul(platform::profile().GetPrivateProfileStringA(
      Section, key, MissingMarker, ValueBufferSize, SettingsFilePath()));
  if (text == MissingMarker) {
    return std::nullopt;
  }
  return text;
}

}  // namespace

std::string SettingsFilePath() {
  platform::Process& process = platform::process();
  const std::string programDirectory = process.ProgramDirectory();
  std::string besideProgram = programDirectory + "/" + FileName;
  if (process.FileExists(besideProgram) || process.DirectoryWritable(programDirectory)) {
    return besideProgram;
  }
  return process.UserConfigDirectory() + "/" + FileName;
}

bool SettingsReadable() { return platform::profile().FileReadable(SettingsFilePath()); }

std::optional<double> ReadLevel(const std::string& key) {
  std::optional<std::string> text = ReadSetting(key);
  if (!text) {
    return std::nullopt;
  }
  return LeadingNumber(*text);
}

std::optional<std::string> ReadMute(const std::string& key) { return ReadSetting(key); }

void SettingsSave::WriteSetting(const std::string& key, std::int32_t value) {
  entries_.push_back({key, ValueText(value)});
}

bool SettingsSave::Commit() const {
  return platform::profile().WritePrivateProfileStrings(Section, entries_, SettingsFilePath());
}

}  // namespace sonaru
