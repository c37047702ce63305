// The Chart page zoomed with the wheel on real widgets (offscreen): ten notches in a row, one
// every 30 ms as a hand turns it, then the rest until the new lines are drawn. The counter
// largest_ui_block_ms is the longest the UI thread stood still over the whole zoom; the lines
// themselves are built on a worker thread.
#ifdef KELVORA_BENCH_SHELL
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "shell/chart_page.h"
#include "shell/kelvora_app.h"
#include "shell/kelvora_sheet.h"

namespace {

constexpr int chart_tab = 4;

QApplication& application() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "kelvora_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

// Handles the window's events in small slices for `ms` milliseconds, and on until no lines are
// being built; returns the longest slice.
qint64 run_events(Vantrel::chart_window* chart, int ms) {
  QElapsedTimer clock, slice;
  clock.start();
  qint64 longest = 0;
  while (clock.elapsed() < ms || chart->drawing()) {
    slice.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    longest = std::max(longest, slice.elapsed());
    QThread::msleep(1);
  }
  return longest;
}

void chart_zoom_ui_block(benchmark::State& bs) {
  application();
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  Vantrel::CKelvoraApp kelvora;
  if (!kelvora.InitInstance()) {
    bs.SkipWithError("the window could not be made");
    return;
  }
  Vantrel::CKelvoraSheet* sheet = kelvora.sheet();
  sheet->resize(1000, 760);
  sheet->show();
  sheet->tab_control()->setCurrentIndex(chart_tab);
  auto* chart = qobject_cast<Vantrel::chart_window*>(sheet->page_window(chart_tab));
  auto* reset = qobject_cast<QPushButton*>(chart->control(Vantrel::chart_control::reset_view));
  QCustomPlot* plot = chart->plot();
  run_events(chart, 0);
  qint64 notches = 0, arrival = 0;
  for (auto _ : bs) {
    bs.PauseTiming();
    reset->click();
    run_events(chart, Vantrel::view_rest_ms + 50);
    bs.ResumeTiming();
    const QPointF centre = plot->axisRect()->rect().center();
    for (int notch = 0; notch < 10; ++notch) {
      QWheelEvent wheel(centre, plot->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QElapsedTimer slice;
      slice.start();
      QApplication::sendEvent(plot, &wheel);
      notches = std::max(notches, slice.elapsed());
      notches = std::max(notches, run_events(chart, 30));
    }
    arrival = std::max(arrival, run_events(chart, Vantrel::view_rest_ms + 50));
  }
  // Over the notches (each redraws the lines it has), and while the new lines are asked for and
  // drawn.
  bs.counters["largest_ui_block_ms"] = static_cast<double>(std::max(notches, arrival));
  bs.counters["notch_ms"] = static_cast<double>(notches);
  bs.counters["new_lines_ms"] = static_cast<double>(arrival);
  QTimer::singleShot(0, sheet, &QWidget::close);
  kelvora.Run();
}

BENCHMARK(chart_zoom_ui_block)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
#endif
