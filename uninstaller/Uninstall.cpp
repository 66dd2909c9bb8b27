#include "Uninstall.h"

#include "Frame.h"
#include "WizardLayout.h"

bool CUninstall::InitInstance() {
  CFrame frame;
  if (GetSystemMetrics(SM_CXSCREEN) >= wizard::kClientWidth && GetSystemMetrics(SM_CYSCREEN) >= wizard::kClientHeight) {
    frame.minTrackWidth = wizard::kClientWidth;
    frame.minTrackHeight = wizard::kClientHeight;
  }
  static_cast<void>(frame.ShowModal());
  return true;
}
