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
#include <QThread>
#include <QTimer>
#include <array>
#include <cstdio>

#include "shell/chart_page.h"
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
  if (auto* button = page->control_as<QAbstractButton>(id)) button->click();
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

// Saves a picture of the window to `file` and names it on standard output; false (with a
// message) when it cannot be written.
bool save_picture(QWidget* window, const QString& file) {
  if (!window->grab().save(file)) {
    std::fprintf(stderr, "kelvora-snapshot: cannot write %s\n", qPrintable(file));
    return false;
  }
  std::printf("%s\n", qPrintable(QDir::toNativeSeparators(file)));
  return true;
}

// A settings store of its own for each run, in `folder`, holding only the unit choice: the
// window opens at its first size and the user's stored settings are left alone.
bool use_settings_in(const QTemporaryDir& folder, int unit_system) {
  if (!folder.isValid()) return false;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
  Vantrel::write_user_setting("Settings", "Units", unit_system);
  return true;
}

bool snapshot(const QDir& folder, const sample& inputs, int unit_system) {
  QTemporaryDir settings;
  if (!use_settings_in(settings, unit_system)) return false;
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
      saved = save_picture(sheet, file) && saved;
    }
  }
  // Closed from inside the event loop, as a user closes it.
  QTimer::singleShot(0, sheet, &QWidget::close);
  app.Run();
  return saved;
}

// The corners of a simple steam cycle, in order: condensate (saturated liquid at a
// temperature), feed water after the pump, live steam, and the turbine exhaust at the condenser
// pressure with the live steam's entropy. The condensate again closes the cycle.
struct cycle_corner {
  int first_variable, second_variable;  // drop-down entries of the Superheated/Subcooled page
  const char* first;
  const char* second;
};
struct cycle {
  const char* name;
  const char* condensate;
  std::array<cycle_corner, 3> corners;
};
constexpr cycle metric_cycle{
    "si", "45.8", {{{0, 0, "46.5", "100"}, {0, 0, "500", "100"}, {1, 2, "0.1", "6.6"}}}};
constexpr cycle english_cycle{
    "english", "114.3", {{{0, 0, "115.5", "1450"}, {0, 0, "932", "1450"}, {1, 2, "1.45", "1.58"}}}};

// The window size of the chart pictures.
constexpr QSize chart_window(1000, 720);

void choose(dialog_page* page, int id, int index) {
  auto* combo = page->control_as<QComboBox>(id);
  if (combo == nullptr) return;
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

// Each diagram of the Chart page with the cycle calculated on the pages and joined.
bool snapshot_charts(const QDir& folder, const cycle& states, int unit_system) {
  QTemporaryDir settings;
  if (!use_settings_in(settings, unit_system)) return false;
  Vantrel::CKelvoraApp app;
  if (!app.InitInstance()) return false;
  Vantrel::CKelvoraSheet* sheet = app.sheet();
  QTabWidget* tabs = sheet->tab_control();
  constexpr int saturated_tab = 1, superheated_tab = 2, chart_tab = 4;
  tabs->setCurrentIndex(saturated_tab);
  dialog_page* saturated = sheet->page_window(saturated_tab);
  press(saturated, 1011);  // Liquid
  type(saturated, 1009, states.condensate);
  press(saturated, 1005);
  tabs->setCurrentIndex(superheated_tab);
  dialog_page* superheated = sheet->page_window(superheated_tab);
  for (const cycle_corner& corner : states.corners) {
    choose(superheated, 1018, corner.first_variable);
    choose(superheated, 1019, corner.second_variable);
    type(superheated, 1016, corner.first);
    type(superheated, 1017, corner.second);
    press(superheated, 1005);
  }
  tabs->setCurrentIndex(saturated_tab);
  press(saturated, 1005);

  tabs->setCurrentIndex(chart_tab);
  dialog_page* chart = sheet->page_window(chart_tab);
  press(chart, Vantrel::chart_control::connect);
  auto* window = qobject_cast<Vantrel::chart_window*>(chart);
  bool saved = true;
  // At the window's first size, then enlarged.
  for (const QString& size : {QStringLiteral("-first"), QString()}) {
    if (size.isEmpty()) sheet->resize(chart_window);
    for (const auto& diagram : Vantrel::charts::diagram_table) {
      choose(chart, Vantrel::chart_control::diagram, static_cast<int>(diagram.kind));
      QCoreApplication::processEvents();
      // The lines are built on a worker thread.
      while (window != nullptr && window->drawing()) {
        QThread::msleep(5);
        QCoreApplication::processEvents();
      }
      const QString name =
          QString::fromUtf8(diagram.name.data(), static_cast<qsizetype>(diagram.name.size()));
      const QString file = folder.filePath(
          QStringLiteral("kelvora-5-chart-%1-%2%3.png").arg(name, states.name, size));
      saved = save_picture(sheet, file) && saved;
    }
  }
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
  const bool saved = snapshot(folder, metric, 0) && snapshot(folder, english, 1) &&
                     snapshot_charts(folder, metric_cycle, 0) &&
                     snapshot_charts(folder, english_cycle, 1);
  return saved ? 0 : 1;
}
