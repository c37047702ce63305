#pragma once
// The Chart page: the T-s, h-s (Mollier), p-h and p-T diagrams of water with their iso-lines,
// the states calculated on the Saturated and Superheated/Subcooled pages as numbered points,
// the state under the cursor, a click that computes the state there on the
// Superheated/Subcooled page, zoom and pan, and export to PNG, SVG and CSV. The chart data
// computes every line and number; the page draws them and forwards the user's gestures.

#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "charts/diagram.h"
#include "pages/calculated_state.h"
#include "shell/qt_platform.h"
#include "shell/sheet_page.h"

class QCustomPlot;
class QCPAbstractItem;
class QCPAbstractPlottable;
class QLabel;
class QMouseEvent;

namespace Vantrel {

// Control ids of the Chart page beside the common Metric/SI, English and Close.
namespace chart_control {
inline constexpr int diagram = 1040;       // drop-down: T-s, h-s (Mollier), p-h, p-T
inline constexpr int connect = 1041;       // "Co&nnect" check box
inline constexpr int clear = 1042;         // "C&lear" push button
inline constexpr int reset_view = 1043;    // "&Reset view" push button
inline constexpr int export_chart = 1044;  // "E&xport..." push button
}  // namespace chart_control

// The page window: the controls of its control table above a plot that takes the rest of the
// page, and one line below the plot with the state under the cursor. Unlike the other pages it
// grows with whatever holds it.
class chart_window : public dialog_page {
  Q_OBJECT

 public:
  chart_window(const dialog_base_units& base, const control_events& events,
               QWidget* parent = nullptr);

  QCustomPlot* plot() const { return plot_; }
  QLabel* readout() const { return readout_; }
  // Whether lines are being built for what the plot shows; until they arrive it shows the
  // lines it had.
  bool drawing() const { return drawing_; }
  void set_drawing(bool drawing) { drawing_ = drawing; }
  // Called when the page is shown and after the plot changed size.
  void on_resized(std::function<void()> handler) { resized_ = std::move(handler); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  int plot_top_;
  QCustomPlot* plot_;
  QLabel* readout_;
  bool drawing_ = false;
  std::function<void()> resized_;
};

// What the cursor rests on must wait this long before its state is computed: a state near the
// dome may take a few tens of milliseconds, and moving on drops it unseen.
inline constexpr int hover_rest_ms = 60;
// The lines are computed anew once zooming or panning has paused this long.
inline constexpr int view_rest_ms = 250;

enum class export_format { png, svg, csv };

class CChartPage final : public sheet_page {
 public:
  explicit CChartPage(QWidget* sheet);
  ~CChartPage() override;

  QString title() const override;
  void create(QWidget* container, const dialog_base_units& base) override;
  void activate() override;
  dialog_page* window() const override { return window_; }

  // A state calculated on another page becomes the newest numbered point.
  void add_state(const calculated_state& state);
  // Called with the Superheated/Subcooled page's pair and inputs for the state at a clicked
  // point of the plot.
  void set_compute_handler(std::function<void(const charts::page_inputs&)> handler) {
    compute_ = std::move(handler);
  }

  // Writes the chart as a picture at the size shown, or its lines as CSV. A file that cannot be
  // written shows a warning box, leaves any earlier file of that name as it was, and gives false.
  bool export_to(const QString& path, export_format format);

  // What the plot shows.
  const charts::chart& shown_chart() const { return chart_; }
  const state_trail& states() const { return trail_; }
  chart_window* page_window() const { return window_; }

 private:
  void Clicked(int id);
  void choose_diagram();
  void switch_units(int unit_system);
  // Adopts the stored Formulation choice; another equation of state redraws the diagram.
  void follow_method();
  void reset_view();
  void rebuild();
  void take_built(std::uint64_t generation, charts::chart built, QSize area);
  void draw_lines();
  void draw_states();
  void export_chart();
  void mouse_moved(QMouseEvent* event);
  void mouse_released(QMouseEvent* event);
  void show_hover();
  void hover_again();
  bool in_plot_area(const QPoint& pixel) const;
  charts::point to_chart(const QPoint& pixel) const;
  charts::view visible_view() const;

  qt_page_platform platform_;
  chart_window* window_ = nullptr;
  QPointer<QCustomPlot> plot_;
  charts::diagram_kind kind_ = charts::diagram_kind::ts;
  int unit_system_ = 0;
  method method_{};  // the stored Formulation choice that the lines and hovers are drawn under
  charts::chart chart_;
  QSize chart_size_;  // the plot area the lines and labels were laid out for
  // The lines are built on a worker thread, one build at a time; a build that a newer request
  // made stale is dropped, whether it has started or not.
  struct build_request {
    charts::diagram_kind kind;
    int unit_system;
    charts::view range;
    QSize area;
    method m;
  };
  std::optional<build_request> pending_;
  std::uint64_t requested_ = 0;  // the generation of the newest request
  QThreadPool builders_;
  // Built lines come back to the UI thread through this object; deleted first, it takes any
  // that have not arrived with it.
  std::unique_ptr<QObject> receiver_;
  state_trail trail_;
  std::vector<QCPAbstractPlottable*> state_plottables_;
  std::vector<QCPAbstractItem*> state_items_;
  std::function<void(const charts::page_inputs&)> compute_;
  QTimer hover_timer_;
  QTimer view_timer_;
  QPoint hover_at_{-1, -1};
  bool clip_to_view_ = false;  // everything drawn lies inside the view (for SVG pictures)
  QPoint pressed_at_;
  QString export_folder_;
};

class CKelvoraSheet;

// Puts `inputs` on the Superheated/Subcooled page, tab `tab` of `sheet`, as its user would:
// opens the page, chooses the two variables, types both values and presses Calculate.
void calculate_on_page(CKelvoraSheet& sheet, int tab, const charts::page_inputs& inputs);

}  // namespace Vantrel
