// dlopen on first need; the module stays mapped to the end of the process, as Qt expects of its libraries.
#include "app/window_gate.h"

#include <dlfcn.h>

#include <iostream>

#include "platform/qt/qt_display.h"
#include "platform/services.h"

namespace sonaru {

WindowGate::WindowGate(std::vector<std::string> folders, std::function<void()> windowAsked)
    : folders_(std::move(folders)), windowAsked_(std::move(windowAsked)) {}

WindowBackends* WindowGate::Backends() {
  if (tried_) {
    return backends_.get();
  }
  tried_ = true;
  std::string reasons;
  for (const std::string& folder : folders_) {
    const std::string path = folder + "/" + WindowModuleFile;
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto entry = module != nullptr
                     ? reinterpret_cast<WindowModuleEntryFunction>(::dlsym(module, WindowModuleEntry))
                     : nullptr;
    if (entry != nullptr) {
      backends_.reset(entry());
      return backends_.get();
    }
    reasons += std::string(reasons.empty() ? "" : " ; ") + ::dlerror();
  }
  std::cerr << "Impossible de charger " << WindowModuleFile << " : " << reasons << "\n";
  return nullptr;
}

bool WindowGate::Open(bool window) {
  if (installed_) {
    return true;
  }
  if (!platform::DisplayAvailable()) {
    return false;
  }
  if (window && windowAsked_) {
    windowAsked_();
  }
  if (Backends() == nullptr) {
    return false;
  }
  platform::Services& services = platform::services();
  services.toolkit = &backends_->ToolkitBackend();
  services.messageBox = &backends_->MessageBoxBackend();
  services.sound = &backends_->SoundBackend();
  services.help = &backends_->HelpBackend();
  installed_ = true;
  return true;
}

// Only the window asks the toolkit whether a display answers.
bool WindowGate::GateToolkit::DisplayAvailable() { return gate_.Open(true); }

void WindowGate::GateMessageBox::MsgBox(const std::string& text) {
  if (gate_.Open(false)) {
    platform::messageBox().MsgBox(text);
  } else {
    withoutDisplay_.MsgBox(text);
  }
}

}  // namespace sonaru
