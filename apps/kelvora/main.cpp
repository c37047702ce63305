// Vantrel Kelvora, the desktop application.
#include <QApplication>

#include "shell/kelvora_app.h"

int main(int argc, char** argv) {
  QApplication platform(argc, argv);
  Vantrel::CKelvoraApp app;
  if (!app.InitInstance()) return 1;
  return app.Run();
}
