// The application object: runs the main dialog and ends the program after it.
#pragma once

#include "framework/app.h"

class CFinderApp : public CWinApp {
 public:
  BOOL InitInstance() override;
};
