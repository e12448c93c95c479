// Dynamic annotation: the accessibility service keeps the name for the window and drops it with it.
#include "platform/win32/win32_accessible_names.h"

#include <windows.h>
// oleacc.h after windows.h, which it needs.
#include <initguid.h>
#include <oleacc.h>

#include "platform/win32/wide_text.h"

namespace sonaru::platform {

Win32AccessibleNames::~Win32AccessibleNames() {
  if (services_ != nullptr) {
    services_->Release();
  }
  if (comStarted_) {
    ::CoUninitialize();
  }
}

void Win32AccessibleNames::Set(HWND control, const std::string& name) {
  if (!started_) {
    started_ = true;
    comStarted_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                       reinterpret_cast<void**>(&services_));
  }
  if (services_ != nullptr && control != nullptr) {
    services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                              ToWide(name).c_str());
  }
}

}  // namespace sonaru::platform
