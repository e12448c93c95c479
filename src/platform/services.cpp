// The process-wide set of services, each falling back to its harmless default.
#include "platform/services.h"

#include "platform/standard/absent_services.h"
#include "platform/standard/stderr_message_box.h"

namespace sonaru::platform {

namespace {

template <typename Service, typename Absent>
Service& InstalledOr(Service* installed) {
  static Absent absent;
  return installed != nullptr ? *installed : absent;
}

}  // namespace

Services& services() {
  static Services installed;
  return installed;
}

Mixer& mixer() { return InstalledOr<Mixer, AbsentMixer>(services().mixer); }
ProfileFile& profile() { return InstalledOr<ProfileFile, AbsentProfileFile>(services().profile); }
MessageBox& messageBox() { return InstalledOr<MessageBox, StderrMessageBox>(services().messageBox); }
Process& process() { return InstalledOr<Process, AbsentProcess>(services().process); }
Scheduler& scheduler() { return InstalledOr<Scheduler, AbsentScheduler>(services().scheduler); }
Toolkit& toolkit() { return InstalledOr<Toolkit, AbsentToolkit>(services().toolkit); }
Sound& sound() { return InstalledOr<Sound, AbsentSound>(services().sound); }
HelpViewer& help() { return InstalledOr<HelpViewer, AbsentHelpViewer>(services().help); }

}  // namespace sonaru::platform
