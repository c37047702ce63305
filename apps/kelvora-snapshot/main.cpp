// Renders every page of the Vantrel Kelvora window, after a sample calculation, to PNG files:
// once in Metric/SI and once in English, each at the window's first size and again enlarged.
// Runs on the offscreen platform unless another one is chosen, and keeps its settings in a
// temporary place so the user's own stay untouched.
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

// The enlarged window: room for every result row, and still on a 1366 by 768 screen.
constexpr QSize large_window(860, 680);

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
  // A settings store of its own for each run: the window opens at its first size.
  QTemporaryDir settings;
  if (!settings.isValid()) return false;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  Vantrel::write_user_setting("Settings", "Units", unit_system);
  Vantrel::CKelvoraApp app;
  if (!app.InitInstance()) return false;
  Vantrel::CKelvoraSheet* sheet = app.sheet();
  sheet->activateWindow();
  const QStringList names{"about", "saturated", "superheated", "constants"};
  bool saved = true;
  for (const QString& size : {QString(), QStringLiteral("-large")}) {
    if (!size.isEmpty()) sheet->resize(large_window);
    for (int tab = 0; tab < names.size(); ++tab) {
      sheet->tab_control()->setCurrentIndex(tab);
      if (size.isEmpty()) calculate(sheet->page_window(tab), tab, inputs);
      QCoreApplication::processEvents();
      const QString file = folder.filePath(
          QStringLiteral("kelvora-%1-%2-%3%4.png").arg(tab + 1).arg(names[tab], inputs.name, size));
      if (sheet->grab().save(file)) {
        std::printf("%s\n", qPrintable(QDir::toNativeSeparators(file)));
      } else {
        std::fprintf(stderr, "kelvora-snapshot: cannot write %s\n", qPrintable(file));
        saved = false;
      }
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
  const bool saved = snapshot(folder, metric, 0) && snapshot(folder, english, 1);
  return saved ? 0 : 1;
}
