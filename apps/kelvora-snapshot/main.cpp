// Renders every page of the Vantrel Kelvora window, after a sample calculation, to PNG files:
// once in Metric/SI and once in English. Runs on the offscreen platform unless another one is
// chosen, and keeps its unit setting in a temporary place so the user's own stays untouched.
//
//   kelvora-snapshot [output folder]     (default: "snapshots" beside the program)

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "shell/kelvora_app.h"
#include "shell/list_ctrl_ex.h"
#include "shell/qt_platform.h"

namespace {

using Vantrel::dialog_page;

struct sample {
  const char* name;
  const char* value;   // Saturated: the saturation temperature
  const char* first;   // Superheated/Subcooled: temperature
  const char* second;  // and pressure
};

constexpr sample metric{"si", "100", "200", "1"};
constexpr sample english{"english", "212", "400", "14.7"};

void type(dialog_page* page, int id, const char* text) {
  if (auto* edit = page->control_as<QLineEdit>(id)) edit->setText(QString::fromLatin1(text));
}

void press(dialog_page* page, int id) {
  if (auto* button = page->control_as<QPushButton>(id)) button->click();
}

// Selects the second row and gives the list the focus, so that the picture shows the bar.
void select_row(dialog_page* page) {
  auto* list = page->control_as<Vantrel::CListCtrlEx>(1002);
  if (list == nullptr || list->topLevelItemCount() < 2) return;
  list->setCurrentItem(list->topLevelItem(1));
  list->setFocus(Qt::OtherFocusReason);
}

void calculate(dialog_page* page, int tab, const sample& inputs) {
  if (tab == 1) {
    type(page, 1009, inputs.value);
    press(page, 1005);
  } else if (tab == 2) {
    type(page, 1016, inputs.first);
    type(page, 1017, inputs.second);
    press(page, 1005);
  }
  if (tab != 0) select_row(page);
}

bool snapshot(const QDir& folder, const sample& inputs, int unit_system) {
  Vantrel::write_user_setting("Settings", "Units", unit_system);
  Vantrel::CKelvoraApp app;
  if (!app.InitInstance()) return false;
  Vantrel::CKelvoraSheet* sheet = app.sheet();
  sheet->activateWindow();
  const QStringList names{"about", "saturated", "superheated", "constants"};
  bool saved = true;
  for (int tab = 0; tab < names.size(); ++tab) {
    sheet->tab_control()->setCurrentIndex(tab);
    calculate(sheet->page_window(tab), tab, inputs);
    QCoreApplication::processEvents();
    const QString file = folder.filePath(
        QStringLiteral("kelvora-%1-%2-%3.png").arg(tab + 1).arg(names[tab]).arg(inputs.name));
    if (sheet->grab().save(file)) {
      std::printf("%s\n", qPrintable(QDir::toNativeSeparators(file)));
    } else {
      std::fprintf(stderr, "kelvora-snapshot: cannot write %s\n", qPrintable(file));
      saved = false;
    }
  }
  // Closed from inside the event loop, as a user closes it.
  QTimer::singleShot(0, sheet, &QWidget::close);
  app.Run();
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication platform(argc, argv);

  const QString target = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QCoreApplication::applicationDirPath() + "/snapshots";
  QDir folder(target);
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "kelvora-snapshot: cannot make %s\n", qPrintable(target));
    return 1;
  }
  QTemporaryDir settings;
  if (!settings.isValid()) return 1;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

  const bool saved = snapshot(folder, metric, 0) && snapshot(folder, english, 1);
  return saved ? 0 : 1;
}
