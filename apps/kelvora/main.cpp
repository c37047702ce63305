// Vantrel Kelvora, the desktop application.
#include <QApplication>
#include <QCommandLineParser>

#include "shell/kelvora_app.h"

int main(int argc, char** argv) {
  QCoreApplication::setApplicationName(QStringLiteral("kelvora"));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(KELVORA_VERSION " (IAPWS-95)"));
  QCommandLineParser options;
  options.setApplicationDescription(QStringLiteral(
      "Thermodynamic and transport properties of water and steam (IAPWS-95).\n"
      "Opens the Vantrel Kelvora window: saturated states, states from two inputs and the "
      "constants of water, in Metric/SI or English units."));
  const QCommandLineOption help = options.addHelpOption();
  const QCommandLineOption version = options.addVersionOption();

  // --help and --version are answered without the window platform, so that they work in a
  // terminal without a display. Anything else is checked once the platform has taken its own
  // options (-platform, -style, ...).
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  if (options.parse(args) && (options.isSet(help) || options.isSet(version))) {
    QCoreApplication text_only(argc, argv);
    options.process(text_only);  // prints the text and exits
  }

  QApplication platform(argc, argv);
  options.process(platform);
  Vantrel::CKelvoraApp app;
  if (!app.InitInstance()) return 1;
  return app.Run();
}
