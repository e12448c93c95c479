// What a service does when no backend is installed for it: nothing harmful, and it says so where it can.
#pragma once

#include "platform/help_viewer.h"
#include "platform/mixer.h"
#include "platform/process.h"
#include "platform/profile_file.h"
#include "platform/scheduler.h"
#include "platform/sound.h"
#include "platform/toolkit.h"

namespace sonaru::platform {

/// No mixer device: every open fails, so the logic sees "no mixer".
class AbsentMixer final : public Mixer {
 public:
  MMRESULT mixerOpen(HMIXER* handle, std::uint32_t deviceId) override;
  MMRESULT mixerClose(HMIXER handle) override;
  MMRESULT mixerGetLineInfoA(HMIXER handle, MIXERLINE& line, std::uint32_t flags) override;
  MMRESULT mixerGetLineControlsA(HMIXER handle, std::uint32_t lineId, std::uint32_t controlType,
                                 MIXERCONTROL& control) override;
  MMRESULT mixerGetControlDetailsA(HMIXER handle, std::uint32_t controlId, std::int32_t& value) override;
  MMRESULT mixerSetControlDetails(HMIXER handle, std::uint32_t controlId, std::int32_t value) override;
  std::vector<int> mixerChangeDescriptors(HMIXER handle) override;
  MixerChange mixerTakeChanges(HMIXER handle) override;
};

/// No files: every file reads as unreadable and no write succeeds.
class AbsentProfileFile final : public ProfileFile {
 public:
  std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, std::size_t size,
                                       const std::string& path) override;
  bool FileReadable(const std::string& path) override;
  bool WritePrivateProfileStrings(const std::string& section, const std::vector<ProfileEntry>& entries,
                                  const std::string& path) override;
};

/// A process that knows nothing of itself: no arguments, no writable folder.
class AbsentProcess final : public Process {
 public:
  std::string ArgumentText() override;
  std::size_t ArgumentCount() override;
  std::string ProgramDirectory() override;
  std::string ResourceDirectory() override;
  std::string ExecutableName() override;
  std::string UserName() override;
  LocalDateTime Now() override;
  std::string UserConfigDirectory() override;
  bool FileExists(const std::string& path) override;
  bool DirectoryWritable(const std::string& path) override;
};

/// No scheduler: connecting fails with a reason the user can read.
class AbsentScheduler final : public Scheduler {
 public:
  SchedulerResult Connect() override;
  SchedulerResult NewTask(const std::string& name) override;
  SchedulerResult SetApplicationName(const std::string& program) override;
  SchedulerResult SetParameters(const std::string& arguments) override;
  SchedulerResult SetComment(const std::string& text) override;
  SchedulerResult SetFlags(std::uint32_t flags) override;
  SchedulerResult NewTrigger() override;
  SchedulerResult SetStartDate(DATE date) override;
  SchedulerResult SetStartTime(DATE time) override;
  SchedulerResult SetTriggerType(std::int32_t type) override;
  SchedulerResult SetAccountInformation(const std::string& account,
                                        const std::optional<std::string>& password) override;
  SchedulerResult Register() override;
};

/// No display: no form is ever made, and every other call does nothing.
class AbsentToolkit : public Toolkit {
 public:
  bool DisplayAvailable() override;
  void CreateForm(const FormDesign& design, FormEvents& events) override;
  void ReleaseForm(FormEvents& events) override;
  Control AddControl(const ControlDesign& design) override;
  Control LoadCopy(Control element0) override;
  TwipsRect Place(Control control) override;
  void SetTop(Control control, double top) override;
  void SetCaption(Control control, const std::string& caption) override;
  void SetVisible(Control control, bool visible) override;
  void SetEnabled(Control control, bool enabled) override;
  void SetAccessibleName(Control control, const std::string& name) override;
  int Value(Control control) override;
  void SetValue(Control control, int state) override;
  double TwipsPerPixelX() override;
  double TwipsPerPixelY() override;
  void DrawEdge(Control pictureBox, const PixelRect& rect) override;
  void Show() override;
  void Unload() override;
  void Run() override;
  void WatchDescriptors(const std::vector<int>& descriptors, std::function<void()> ready) override;
  void After(int milliseconds, std::function<void()> run) override;
};

/// Silence.
class AbsentSound final : public Sound {
 public:
  bool sndPlaySoundA(const std::string& fileName, std::uint32_t flags) override;
};

/// No help window.
class AbsentHelpViewer final : public HelpViewer {
 public:
  void HtmlHelpA(const std::string& file, std::uint32_t command) override;
};

}  // namespace sonaru::platform
