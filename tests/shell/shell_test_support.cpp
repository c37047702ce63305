#include "shell_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

namespace Vantrel::testing {

private_settings::private_settings() {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path());
}

void private_settings::clear() {
  QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Kelvora")).clear();
}

void answer_next_message_box(QString* text, QString* caption, bool* icon_is_warning) {
  // Polls until the box is up: it runs its own event loop, in which this timer fires.
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    *text = box->text();
    if (caption != nullptr) *caption = box->windowTitle();
    if (icon_is_warning != nullptr) *icon_is_warning = box->icon() == QMessageBox::Warning;
    box->button(QMessageBox::Ok)->click();
    poll->stop();
    poll->deleteLater();
  });
  poll->start();
}

}  // namespace Vantrel::testing
