#include "shell/kelvora_app.h"

#include <QApplication>
#include <QEventLoop>

#include "pages/catalogue.h"
#include "shell/qt_platform.h"

namespace Vantrel {

bool CKelvoraApp::InitInstance() {
  const std::string_view maker = catalogue_text(text_key::maker);
  QCoreApplication::setOrganizationName(
      QString::fromUtf8(maker.data(), static_cast<qsizetype>(maker.size())));
  QCoreApplication::setApplicationName(application_title());
  QGuiApplication::setDesktopFileName(QStringLiteral("kelvora"));
  QApplication::setWindowIcon(application_icon());

  sheet_ = new CKelvoraSheet(application_title());
  if (!sheet_->Create()) {
    delete sheet_;
    return false;
  }
  return true;
}

int CKelvoraApp::Run() {
  if (!sheet_) return 0;
  QEventLoop loop;
  QObject::connect(sheet_, &QObject::destroyed, &loop, &QEventLoop::quit);
  return loop.exec();
}

}  // namespace Vantrel
