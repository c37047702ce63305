#pragma once
// The application: names the per-user settings location, opens the sheet as the main window
// and runs until the sheet window is destroyed.

#include <QPointer>

#include "shell/kelvora_sheet.h"

namespace Vantrel {

class CKelvoraApp {
 public:
  // Sets the settings location and shows the sheet with the About page; false if the window
  // could not be made, in which case nothing is shown.
  bool InitInstance();
  // Handles events until the sheet window is gone; returns the exit code.
  int Run();

  CKelvoraSheet* sheet() const { return sheet_; }

 private:
  QPointer<CKelvoraSheet> sheet_;
};

}  // namespace Vantrel
