#pragma once
#include "AppManager.h"

// The uninstaller's application: runs the wizard modally and ends.
class CUninstall : public CAppManager {
 public:
  bool InitInstance() override;
};
