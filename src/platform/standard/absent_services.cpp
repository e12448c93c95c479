// The services' harmless defaults.
#include "platform/standard/absent_services.h"

#include "common/profile_text.h"

namespace sonaru::platform {

MMRESULT AbsentMixer::mixerOpen(HMIXER* handle, std::uint32_t) {
  *handle = 0;
  return MMSYSERR_BADDEVICEID;
}
MMRESULT AbsentMixer::mixerClose(HMIXER) { return MMSYSERR_INVALHANDLE; }
MMRESULT AbsentMixer::mixerGetLineInfoA(HMIXER, MIXERLINE&, std::uint32_t) { return MMSYSERR_INVALHANDLE; }
MMRESULT AbsentMixer::mixerGetLineControlsA(HMIXER, std::uint32_t, std::uint32_t, MIXERCONTROL&) {
  return MMSYSERR_INVALHANDLE;
}
MMRESULT AbsentMixer::mixerGetControlDetailsA(HMIXER, std::uint32_t, std::int32_t&) {
  return MMSYSERR_INVALHANDLE;
}
MMRESULT AbsentMixer::mixerSetControlDetails(HMIXER, std::uint32_t, std::int32_t) {
  return MMSYSERR_INVALHANDLE;
}

std::vector<int> AbsentMixer::mixerChangeDescriptors(HMIXER) { return {}; }
MixerChange AbsentMixer::mixerTakeChanges(HMIXER) { return MixerChange::None; }

std::string AbsentProfileFile::GetPrivateProfileStringA(const std::string&, const std::string&,
                                                        const std::string& defaultValue, std::size_t size,
                                                        const std::string&) {
  return ProfileValueOr(std::nullopt, "", "", defaultValue, size);
}
bool AbsentProfileFile::FileReadable(const std::string&) { return false; }
bool AbsentProfileFile::WritePrivateProfileStrings(const std::string&, const std::vector<ProfileEntry>&,
                                                   const std::string&) {
  return false;
}

std::string AbsentProcess::ArgumentText() { return {}; }
std::size_t AbsentProcess::ArgumentCount() { return 0; }
std::string AbsentProcess::ProgramDirectory() { return "."; }
std::string AbsentProcess::ResourceDirectory() { return "."; }
std::string AbsentProcess::ExecutableName() { return "sonaru"; }
std::string AbsentProcess::UserName() { return {}; }
LocalDateTime AbsentProcess::Now() { return {}; }
std::string AbsentProcess::UserConfigDirectory() { return "."; }
bool AbsentProcess::FileExists(const std::string&) { return false; }
bool AbsentProcess::DirectoryWritable(const std::string&) { return false; }

namespace {

SchedulerResult Unavailable() { return SchedulerResult::Failure("aucun planificateur de tâches disponible"); }

}  // namespace

SchedulerResult AbsentScheduler::Connect() { return Unavailable(); }
SchedulerResult AbsentScheduler::NewTask(const std::string&) { return Unavailable(); }
SchedulerResult AbsentScheduler::SetApplicationName(const std::string&) { return Unavailable(); }
SchedulerResult AbsentScheduler::SetParameters(const std::string&) { return Unavailable(); }
SchedulerResult AbsentScheduler::SetComment(const std::string&) { return Unavailable(); }
SchedulerResult AbsentScheduler::SetFlags(std::uint32_t) { return Unavailable(); }
SchedulerResult AbsentScheduler::NewTrigger() { return Unavailable(); }
SchedulerResult AbsentScheduler::SetStartDate(DATE) { return Unavailable(); }
SchedulerResult AbsentScheduler::SetStartTime(DATE) { return Unavailable(); }
SchedulerResult AbsentScheduler::SetTriggerType(std::int32_t) { return Unavailable(); }
SchedulerResult AbsentScheduler::SetAccountInformation(const std::string&,
                                                       const std::optional<std::string>&) {
  return Unavailable();
}
SchedulerResult AbsentScheduler::Register() { return Unavailable(); }

bool AbsentToolkit::DisplayAvailable() { return false; }
void AbsentToolkit::CreateForm(const FormDesign&, FormEvents&) {}
void AbsentToolkit::ReleaseForm(FormEvents&) {}
Control AbsentToolkit::AddControl(const ControlDesign&) { return 1; }
Control AbsentToolkit::LoadCopy(Control) { return 1; }
TwipsRect AbsentToolkit::Place(Control) { return {}; }
void AbsentToolkit::SetTop(Control, double) {}
void AbsentToolkit::SetCaption(Control, const std::string&) {}
void AbsentToolkit::SetVisible(Control, bool) {}
void AbsentToolkit::SetEnabled(Control, bool) {}
void AbsentToolkit::SetAccessibleName(Control, const std::string&) {}
int AbsentToolkit::Value(Control) { return 0; }
void AbsentToolkit::SetValue(Control, int) {}
double AbsentToolkit::TwipsPerPixelX() { return 15; }
double AbsentToolkit::TwipsPerPixelY() { return 15; }
void AbsentToolkit::DrawEdge(Control, const PixelRect&) {}
void AbsentToolkit::Show() {}
void AbsentToolkit::Unload() {}
void AbsentToolkit::Run() {}
void AbsentToolkit::WatchDescriptors(const std::vector<int>&, std::function<void()>) {}
void AbsentToolkit::After(int, std::function<void()>) {}

bool AbsentSound::sndPlaySoundA(const std::string&, std::uint32_t) { return false; }

void AbsentHelpViewer::HtmlHelpA(const std::string&, std::uint32_t) {}

}  // namespace sonaru::platform
