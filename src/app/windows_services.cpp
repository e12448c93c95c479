// Which backend serves which service on Windows.
#include "app/windows_services.h"

namespace sonaru {

WindowsServices::WindowsServices()
    : scope_({.mixer = &mixer_,
              .profile = &profile_,
              .messageBox = &messageBox_,
              .process = &process_,
              .scheduler = &scheduler_,
              .toolkit = &toolkit_,
              .sound = &sound_,
              .help = &help_}) {}

}  // namespace sonaru
