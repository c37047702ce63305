#include "shell/chart_page.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

#include "charts/display.h"
#include "charts/geometry.h"
#include "charts/labels.h"
#include "lookup/catalogue.h"
#include "lookup/lookup.h"
#include "lookup/units.h"
#include "pages/result_list.h"
#include "pages/value_text.h"
#include "shell/kelvora_sheet.h"

namespace Vantrel {

namespace {

using k = control_kind;

constexpr std::array chart_controls{
    control_template{no_id, k::group_box, "Diagram:", 7, 7, 155, 43},
    control_template{chart_control::diagram, k::drop_down, "", 13, 17, 142, 80},
    control_template{chart_control::connect, k::check_box, "Co&nnect", 13, 33, 44, 12},
    control_template{chart_control::clear, k::button, "C&lear", 60, 32, 46, 14},
    control_template{chart_control::reset_view, k::button, "&Reset view", 109, 32, 46, 14},
    control_template{no_id, k::group_box, "Units:", 165, 7, 53, 43},
    control_template{control::metric, k::radio, "&Metric/SI", 169, 17, 44, 12},
    control_template{control::english, k::radio, "&English", 169, 33, 44, 12},
    control_template{control::close, k::button, "Close", 263, 7, 50, 16},
    control_template{chart_control::export_chart, k::button, "E&xport...", 263, 30, 50, 16},
    control_template{no_id, k::group_box, "Formulation:", 7, 53, 211, 26},
    control_template{control::formulation, k::drop_down, "", 13, 62, 199, 60},
};

// Where the plot starts below the controls, and the page's margin, in dialog units.
constexpr int plot_top_units = 83;
constexpr int margin_units = 7;

// A named point's name keeps this far from it, in pixels.
constexpr QPoint name_offset(4, 3);

// A state under the cursor is marked within this many pixels of it.
constexpr double state_pick_radius = 7.0;

QString from_utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Colours and pens of the line kinds: the dome strongest, the iso-lines thin and distinct.
struct line_style {
  QColor colour;
  double width;
  Qt::PenStyle style;
};

line_style style_of(const charts::line& line) {
  if (line.dome) return {QColor(20, 40, 120), 2.0, Qt::SolidLine};
  const std::string& q = line.quantity;
  if (q == "x") return {QColor(120, 120, 120), 0.8, Qt::DashLine};
  if (q == "p") return {QColor(40, 100, 180), 1.0, Qt::SolidLine};
  if (q == "T") return {QColor(190, 50, 40), 1.0, Qt::SolidLine};
  if (q == "s") return {QColor(40, 130, 80), 1.0, Qt::SolidLine};
  if (q == "h") return {QColor(200, 120, 20), 1.0, Qt::SolidLine};
  if (q == "v") return {QColor(130, 60, 160), 1.0, Qt::DashDotLine};
  if (q == "sublimation") return {QColor(40, 130, 170), 2.0, Qt::SolidLine};
  return {QColor(20, 130, 120), 1.6, Qt::SolidLine};  // the melting curves of the ices
}

bool in_range(const charts::point& at, const charts::view& range) {
  return at.x >= range.x_min && at.x <= range.x_max && at.y >= range.y_min && at.y <= range.y_max;
}

QCPCurve* add_curve(QCustomPlot* plot, const std::vector<charts::point>& points, const QPen& pen) {
  QVector<double> t, x, y;
  for (const charts::point& at : points) {
    t.push_back(static_cast<double>(t.size()));
    x.push_back(at.x);
    y.push_back(at.y);
  }
  auto* curve = new QCPCurve(plot->xAxis, plot->yAxis);
  curve->setData(t, x, y, true);
  curve->setPen(pen);
  curve->setSelectable(QCP::stNone);
  return curve;
}

charts::state_values in_units(const calculated_state& state, int unit_system) {
  const display_quantities q = in_display_units(state, unit_system);
  return {q.T, q.p, q.h, q.s, q.v, state.x};
}

// "T = 200 °C   p = 1 bar   ..." with the value texts and units of the result lists; "no state"
// where none exists, and for anything that is not a finite number.
QString state_text(const std::optional<charts::state_values>& state, int unit_system) {
  if (!state) return QStringLiteral("no state");
  const charts::state_values& q = *state;
  for (const double value : {q.T, q.p, q.h, q.s, q.v})
    if (!std::isfinite(value)) return QStringLiteral("no state");
  if (q.x && !std::isfinite(*q.x)) return QStringLiteral("no state");
  struct shown {
    const char* name;
    int code;
    double value;
  };
  const std::array<shown, 5> quantities{{{"T", code_t, q.T},
                                         {"p", code_p, q.p},
                                         {"h", code_h, q.h},
                                         {"s", code_s, q.s},
                                         {"v", code_v, q.v}}};
  QStringList parts;
  for (const shown& item : quantities) {
    parts << QStringLiteral("%1 = %2 %3")
                 .arg(
                     QLatin1String(item.name), from_utf8(value_text(status_ok, item.value)),
                     from_utf8(std::string(property_with_code(item.code)->unit_text(unit_system))));
  }
  if (q.x)
    parts << QStringLiteral("x = %1 %2")
                 .arg(from_utf8(value_text(status_ok, *q.x * 100.0)),
                      from_utf8(std::string(property_with_code(code_x)->unit_text(unit_system))));
  else
    parts << QStringLiteral("single phase");
  // There the solvers give back their inputs only to about five digits.
  if (q.near_critical) parts << QStringLiteral("near-critical");
  return parts.join(QStringLiteral("   "));
}

QString state_tooltip(const state_trail::entry& entry) {
  return QStringLiteral("%1: %2, %3")
      .arg(entry.number)
      .arg(from_utf8(entry.state.page), from_utf8(entry.state.inputs));
}

// Chooses entry `index` of a drop-down as a user does, so that the page hears of it.
void choose(dialog_page* page, int id, int index) {
  auto* combo = page->control_as<QComboBox>(id);
  if (combo == nullptr || index < 0 || index >= combo->count()) return;
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

}  // namespace

chart_window::chart_window(const dialog_base_units& base, const control_events& events,
                           QWidget* parent)
    : dialog_page(chart_controls, base, events, parent),
      plot_top_(to_pixels(base, QRect(0, plot_top_units, 0, 0)).y()),
      plot_(new QCustomPlot(this)),
      readout_(new QLabel(this)) {
  setMinimumSize(page_size(base));
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  readout_->setTextFormat(Qt::PlainText);
  readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  plot_->setMouseTracking(true);
}

void chart_window::resizeEvent(QResizeEvent* event) {
  // The controls keep their places at the top; the plot and the readout below them take all
  // the room (the page's own placing would move the controls into the middle).
  QWidget::resizeEvent(event);
  const int margin = plot_top_ * margin_units / plot_top_units;
  const int line = readout_->sizeHint().height();
  const int plot_height = std::max(0, height() - plot_top_ - line - margin);
  plot_->setGeometry(margin, plot_top_, std::max(0, width() - 2 * margin), plot_height);
  readout_->setGeometry(margin, plot_top_ + plot_height + margin / 2,
                        std::max(0, width() - 2 * margin), line);
  if (resized_) resized_();
}

void chart_window::showEvent(QShowEvent* event) {
  dialog_page::showEvent(event);
  if (resized_) resized_();
}

CChartPage::CChartPage(QWidget* sheet) : platform_(sheet) {
  hover_timer_.setSingleShot(true);
  hover_timer_.setInterval(hover_rest_ms);
  QObject::connect(&hover_timer_, &QTimer::timeout, [this] { show_hover(); });
  view_timer_.setSingleShot(true);
  view_timer_.setInterval(view_rest_ms);
  QObject::connect(&view_timer_, &QTimer::timeout, [this] { rebuild(); });
  builders_.setMaxThreadCount(1);
  receiver_ = std::make_unique<QObject>();
}

// A build still running finishes first: it may not outlive the object it reports to.
CChartPage::~CChartPage() {
  builders_.clear();
  builders_.waitForDone();
  receiver_.reset();
}

QString CChartPage::title() const {
  return QStringLiteral("Chart");
}

void CChartPage::create(QWidget* container, const dialog_base_units& base) {
  control_events events;
  events.clicked = [this](int id) { Clicked(id); };
  events.selection_changed = [this](int id) {
    if (id == chart_control::diagram) choose_diagram();
    // The lines follow the formulation; the transport equations are kept for the other pages.
    if (id == control::formulation) {
      write_formulation(platform_, platform_.combo_selection(control::formulation));
      follow_method();
    }
  };
  window_ = new chart_window(base, events, container);
  platform_.attach(window_);
  // The page fills whatever holds it, and grows with it; a container without a layout of its
  // own gets one.
  if (container->layout() == nullptr) {
    auto* fill = new QVBoxLayout(container);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(window_);
  }

  for (const charts::diagram_info& d : charts::diagram_table)
    platform_.combo_add(chart_control::diagram, std::string(d.entry));
  platform_.combo_select(chart_control::diagram, 0);
  fill_formulation(platform_, control::formulation);
  method_ = stored_method(platform_);
  unit_system_ = read_unit_system(platform_) == 0 ? 0 : 1;
  platform_.set_checked(control::metric, unit_system_ == 0);
  platform_.set_checked(control::english, unit_system_ != 0);

  plot_ = window_->plot();
  // Labels are laid out for the plot's size: a new size lays them out anew once it settles.
  // Lines are computed only while the page is on view: at once when it comes into view with
  // lines of another diagram or unit system, or none; after a new size once resizing pauses.
  window_->on_resized([this] {
    const bool current =
        !chart_.lines.empty() && chart_.kind == kind_ && chart_.unit_system == unit_system_;
    if (current)
      view_timer_.start();
    else
      rebuild();
  });
  plot_->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  plot_->setNoAntialiasingOnDrag(true);
  plot_->axisRect()->setRangeZoomFactor(0.85);
  for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis}) {
    QObject::connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), window_, [this] {
      view_timer_.start();
      hover_again();
    });
  }
  QObject::connect(plot_, &QCustomPlot::mouseMove, window_,
                   [this](QMouseEvent* event) { mouse_moved(event); });
  QObject::connect(plot_, &QCustomPlot::mousePress, window_,
                   [this](QMouseEvent* event) { pressed_at_ = event->pos(); });
  QObject::connect(plot_, &QCustomPlot::mouseRelease, window_,
                   [this](QMouseEvent* event) { mouse_released(event); });
  reset_view();
}

// A formulation of other states draws the diagram afresh, from its default view; a choice of
// transport equations alone changes no line.
void CChartPage::follow_method() {
  const method chosen = stored_method(platform_);
  const bool redraw = chosen.eos != method_.eos;
  method_ = chosen;
  if (!redraw || !plot_) return;
  chart_ = charts::chart{};
  pending_.reset();
  reset_view();
}

void CChartPage::activate() {
  platform_.combo_select(control::formulation, read_formulation(platform_));
  follow_method();
  // Another page may have switched the unit system.
  const int stored = read_unit_system(platform_) == 0 ? 0 : 1;
  platform_.set_checked(control::metric, stored == 0);
  platform_.set_checked(control::english, stored != 0);
  if (stored != unit_system_) switch_units(stored);
}

void CChartPage::Clicked(int id) {
  switch (id) {
    case control::metric:
      switch_units(0);
      break;
    case control::english:
      switch_units(1);
      break;
    case control::close:
      platform_.close_window();
      break;
    case chart_control::connect:
      draw_states();
      break;
    case chart_control::clear:
      trail_.clear();
      draw_states();
      break;
    case chart_control::reset_view:
      reset_view();
      break;
    case chart_control::export_chart:
      export_chart();
      break;
    default:
      break;
  }
}

void CChartPage::choose_diagram() {
  const int index = platform_.combo_selection(chart_control::diagram);
  if (index < 0 || index >= static_cast<int>(charts::diagram_table.size())) return;
  kind_ = charts::diagram_table[static_cast<std::size_t>(index)].kind;
  reset_view();
}

// The view stays on the same part of the diagram, in the new units.
void CChartPage::switch_units(int unit_system) {
  write_unit_system(platform_, unit_system);
  const int from = unit_system_;
  unit_system_ = unit_system == 0 ? 0 : 1;
  if (!plot_ || from == unit_system_) return;
  const charts::diagram_info& axes = charts::diagram_of(kind_);
  const auto convert = [&](QCPAxis* axis, int code) {
    const QCPRange range = axis->range();
    const QSignalBlocker quiet(axis);
    const unit_dimension d = property_with_code(code)->dimension;
    axis->setRange(to_display(d, to_internal(d, range.lower, from), unit_system_),
                   to_display(d, to_internal(d, range.upper, from), unit_system_));
  };
  convert(plot_->xAxis, axes.x);
  convert(plot_->yAxis, axes.y);
  rebuild();
}

void CChartPage::reset_view() {
  const charts::view range = charts::default_view(kind_, unit_system_, method_);
  const QSignalBlocker x_quiet(plot_->xAxis);
  const QSignalBlocker y_quiet(plot_->yAxis);
  plot_->xAxis->setRange(range.x_min, range.x_max);
  plot_->yAxis->setRange(range.y_min, range.y_max);
  rebuild();
}

charts::view CChartPage::visible_view() const {
  const QCPRange x = plot_->xAxis->range();
  const QCPRange y = plot_->yAxis->range();
  return {x.lower, x.upper, y.lower, y.upper};
}

// The lines are computed only when the view, the diagram or the units differ from those drawn
// and from those being built. The worker builds them while the plot shows the lines it has (none
// for another diagram or unit system, whose lines would mislead).
void CChartPage::rebuild() {
  view_timer_.stop();
  if (!plot_ || !plot_->isVisible()) return;
  const charts::view range = visible_view();
  // The axis rectangle follows the widget's size at the next replot; lay it out now.
  plot_->plotLayout()->update(QCPLayoutElement::upLayout);
  const QSize area = plot_->axisRect()->rect().size();
  const auto same = [&](charts::diagram_kind kind, int units, const charts::view& r, QSize size) {
    return kind == kind_ && units == unit_system_ && r.x_min == range.x_min &&
           r.x_max == range.x_max && r.y_min == range.y_min && r.y_max == range.y_max &&
           size == area;
  };
  if (pending_ ? same(pending_->kind, pending_->unit_system, pending_->range, pending_->area)
               : !chart_.lines.empty() &&
                     same(chart_.kind, chart_.unit_system, chart_.range, chart_size_))
    return;
  const std::uint64_t generation = ++requested_;
  pending_ = build_request{kind_, unit_system_, range, area, method_};
  window_->set_drawing(true);
  if (chart_.kind != kind_ || chart_.unit_system != unit_system_) {
    chart_ = charts::chart{};
    chart_.kind = kind_;
    chart_.unit_system = unit_system_;
    chart_.range = range;
    chart_.log_y = charts::diagram_of(kind_).log_y;
    std::tie(chart_.x_title, chart_.y_title) = charts::axis_titles(kind_, unit_system_);
    draw_lines();
    window_->readout()->setText(QStringLiteral("drawing…"));
  }
  // A request that has not started is dropped for this one.
  builders_.clear();
  const double width = area.isEmpty() ? 800.0 : area.width();
  const double height = area.isEmpty() ? 600.0 : area.height();
  QObject* receiver = receiver_.get();
  builders_.start([this, receiver, generation, request = *pending_, width, height] {
    charts::chart built = charts::build_chart(request.kind, request.unit_system, request.range,
                                              width, height, request.m);
    built.range = request.range;
    QMetaObject::invokeMethod(
        receiver,
        [this, generation, area = request.area, built = std::move(built)]() mutable {
          take_built(generation, std::move(built), area);
        },
        Qt::QueuedConnection);
  });
}

void CChartPage::take_built(std::uint64_t generation, charts::chart built, QSize area) {
  if (generation != requested_ || !plot_) return;  // stale: a newer request is on its way
  pending_.reset();
  window_->set_drawing(false);
  chart_ = std::move(built);
  chart_size_ = area;
  draw_lines();
}

void CChartPage::draw_lines() {
  plot_->clearPlottables();
  plot_->clearItems();
  state_plottables_.clear();
  state_items_.clear();

  const charts::view range = visible_view();
  for (const charts::line& line : chart_.lines) {
    const line_style look = style_of(line);
    const QPen pen(look.colour, look.width, look.style);
    for (const auto& segment : line.segments) {
      if (!clip_to_view_) {
        add_curve(plot_, segment, pen);
        continue;
      }
      for (const auto& run : charts::clip_to_view(segment, range, chart_.log_y))
        add_curve(plot_, run, pen);
    }
  }

  QFont label_font = window_->font();
  label_font.setPointSizeF(label_font.pointSizeF() * 0.85);
  for (const charts::label& label : chart_.labels) {
    auto* text = new QCPItemText(plot_);
    text->position->setType(QCPItemPosition::ptPlotCoords);
    text->position->setCoords(label.at.x, label.at.y);
    text->setText(from_utf8(label.text));
    text->setRotation(-label.angle);  // counter-clockwise in the data, clockwise on screen
    text->setFont(label_font);
    const bool known =
        label.line_index >= 0 && label.line_index < static_cast<int>(chart_.lines.size());
    text->setColor(
        known
            ? style_of(chart_.lines[static_cast<std::size_t>(label.line_index)]).colour.darker(130)
            : Qt::black);
    text->setBrush(QColor(255, 255, 255, 210));
    text->setPadding(QMargins(1, 0, 1, 0));
    text->setSelectable(false);
  }

  if (!chart_.markers.empty()) {
    auto* points = new QCPGraph(plot_->xAxis, plot_->yAxis);
    points->setLineStyle(QCPGraph::lsNone);
    points->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::black, 1.2), QBrush(Qt::white), 6));
    points->setSelectable(QCP::stNone);
    for (const charts::marker& marker : chart_.markers)
      if (!clip_to_view_ || in_range(marker.at, range)) points->addData(marker.at.x, marker.at.y);
    // A name that would cover a line's label or another name is left to the point's tooltip.
    const QFontMetricsF metrics(label_font);
    const QSize area = plot_->axisRect()->rect().size();
    const auto names = charts::place_marker_names(
        chart_, area.width(), area.height(),
        [&metrics](const std::string& text) { return metrics.horizontalAdvance(from_utf8(text)); },
        metrics.height(), name_offset.x(), name_offset.y());
    for (const charts::marker_name& placed : names) {
      const charts::marker& marker = chart_.markers[placed.marker];
      if (clip_to_view_ && !in_range(marker.at, range)) continue;
      const charts::side_direction d = charts::direction_of(placed.side);
      auto* name = new QCPItemText(plot_);
      name->position->setType(QCPItemPosition::ptPlotCoords);
      name->position->setCoords(marker.at.x, marker.at.y);
      // The text's box is anchored at the point by its side towards the point.
      const Qt::Alignment across = d.x > 0   ? Qt::AlignLeft
                                   : d.x < 0 ? Qt::AlignRight
                                             : Qt::AlignHCenter;
      const Qt::Alignment up_down = d.y > 0   ? Qt::AlignBottom
                                    : d.y < 0 ? Qt::AlignTop
                                              : Qt::AlignVCenter;
      name->setPositionAlignment(across | up_down);
      name->setPadding(QMargins(d.x > 0 ? name_offset.x() : 0, d.y < 0 ? name_offset.y() : 0,
                                d.x < 0 ? name_offset.x() : 0, d.y > 0 ? name_offset.y() : 0));
      name->setText(from_utf8(marker.name));
      name->setFont(label_font);
      name->setSelectable(false);
    }
  }

  plot_->xAxis->setLabel(from_utf8(chart_.x_title));
  plot_->yAxis->setLabel(from_utf8(chart_.y_title));
  const bool log_y = chart_.log_y;
  if (log_y != (plot_->yAxis->scaleType() == QCPAxis::stLogarithmic)) {
    plot_->yAxis->setScaleType(log_y ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    plot_->yAxis->setTicker(log_y ? QSharedPointer<QCPAxisTicker>(new QCPAxisTickerLog)
                                  : QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    plot_->yAxis->setNumberFormat(log_y ? QStringLiteral("gb") : QStringLiteral("g"));
  }
  draw_states();
  hover_again();
}

// The point under a resting cursor is another state once the view or the units change.
void CChartPage::hover_again() {
  window_->readout()->clear();
  if (in_plot_area(hover_at_)) hover_timer_.start();
}

void CChartPage::draw_states() {
  if (!plot_) return;
  for (QCPAbstractPlottable* plottable : state_plottables_) plot_->removePlottable(plottable);
  for (QCPAbstractItem* item : state_items_) plot_->removeItem(item);
  state_plottables_.clear();
  state_items_.clear();

  const charts::view range = visible_view();
  std::vector<charts::point> places;
  for (const state_trail::entry& entry : trail_.entries())
    places.push_back(charts::place(kind_, in_units(entry.state, unit_system_)));
  const QColor mark(200, 30, 30);
  if (platform_.is_checked(chart_control::connect)) {
    const QPen pen(mark, 1.6);
    if (!clip_to_view_)
      state_plottables_.push_back(add_curve(plot_, places, pen));
    else
      for (const auto& run : charts::clip_to_view(places, range, chart_.log_y))
        state_plottables_.push_back(add_curve(plot_, run, pen));
  }
  auto* points = add_curve(plot_, {}, Qt::NoPen);
  points->setLineStyle(QCPCurve::lsNone);
  points->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, mark, 7));
  state_plottables_.push_back(points);
  QFont number_font = window_->font();
  number_font.setBold(true);
  for (std::size_t i = 0; i < places.size(); ++i) {
    const charts::point& at = places[i];
    if (clip_to_view_ && !in_range(at, range)) continue;
    points->addData(static_cast<double>(i), at.x, at.y);
    auto* number = new QCPItemText(plot_);
    number->position->setType(QCPItemPosition::ptPlotCoords);
    number->position->setCoords(at.x, at.y);
    number->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
    number->setPadding(QMargins(5, 0, 0, 4));
    number->setText(QString::number(trail_.entries()[i].number));
    number->setFont(number_font);
    number->setColor(mark.darker(125));
    number->setSelectable(false);
    state_items_.push_back(number);
  }
  plot_->replot();
}

void CChartPage::add_state(const calculated_state& state) {
  trail_.add(state);
  if (plot_) draw_states();
}

bool CChartPage::in_plot_area(const QPoint& pixel) const {
  return plot_ && plot_->axisRect()->rect().contains(pixel);
}

charts::point CChartPage::to_chart(const QPoint& pixel) const {
  return {plot_->xAxis->pixelToCoord(pixel.x()), plot_->yAxis->pixelToCoord(pixel.y())};
}

void CChartPage::mouse_moved(QMouseEvent* event) {
  hover_at_ = event->pos();
  hover_timer_.stop();
  window_->readout()->clear();
  if (!in_plot_area(hover_at_)) {
    QToolTip::hideText();
    return;
  }
  // A named point, or the newest of the user's states, under the cursor names itself.
  QString tip;
  const auto near = [this](const charts::point& at) {
    const QPointF pixel(plot_->xAxis->coordToPixel(at.x), plot_->yAxis->coordToPixel(at.y));
    return QLineF(pixel, QPointF(hover_at_)).length() <= state_pick_radius;
  };
  for (const charts::marker& marker : chart_.markers)
    if (near(marker.at)) tip = from_utf8(marker.name);
  for (const state_trail::entry& entry : trail_.entries())
    if (near(charts::place(kind_, in_units(entry.state, unit_system_)))) tip = state_tooltip(entry);
  if (tip.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(event->globalPosition().toPoint(), tip, plot_);
  hover_timer_.start();
}

void CChartPage::show_hover() {
  if (!in_plot_area(hover_at_)) return;
  const auto state = charts::state_at(kind_, unit_system_, to_chart(hover_at_), method_);
  window_->readout()->setText(state_text(state, unit_system_));
}

void CChartPage::mouse_released(QMouseEvent* event) {
  const bool click =
      event->button() == Qt::LeftButton &&
      (event->pos() - pressed_at_).manhattanLength() < QApplication::startDragDistance();
  if (!click || !in_plot_area(event->pos())) return;
  const auto inputs = charts::page_inputs_at(kind_, unit_system_, to_chart(event->pos()), method_);
  if (!inputs) {
    window_->readout()->setText(QStringLiteral("no state"));
    return;
  }
  if (compute_) compute_(*inputs);
}

void CChartPage::export_chart() {
  const QString png = QStringLiteral("PNG image (*.png)");
  const QString svg = QStringLiteral("SVG image (*.svg)");
  const QString csv = QStringLiteral("CSV data of the lines (*.csv)");
  const auto& name = charts::diagram_of(kind_);
  if (export_folder_.isEmpty()) export_folder_ = QDir::homePath();
  QString filter = png;
  QString path = QFileDialog::getSaveFileName(
      window_, QStringLiteral("Export Chart"),
      QDir(export_folder_)
          .filePath(
              QStringLiteral("chart-%1.png")
                  .arg(QLatin1String(name.name.data(), static_cast<qsizetype>(name.name.size())))),
      QStringList{png, svg, csv}.join(QStringLiteral(";;")), &filter,
      QFileDialog::DontUseNativeDialog);
  if (path.isEmpty()) return;
  // The name's own suffix decides; without one, the chosen file type does and lends its suffix.
  const QString suffix = QFileInfo(path).suffix().toLower();
  export_format format = filter == svg   ? export_format::svg
                         : filter == csv ? export_format::csv
                                         : export_format::png;
  if (suffix == QLatin1String("png"))
    format = export_format::png;
  else if (suffix == QLatin1String("svg"))
    format = export_format::svg;
  else if (suffix == QLatin1String("csv"))
    format = export_format::csv;
  else if (suffix.isEmpty())
    path += format == export_format::svg   ? QStringLiteral(".svg")
            : format == export_format::csv ? QStringLiteral(".csv")
                                           : QStringLiteral(".png");
  export_folder_ = QFileInfo(path).absolutePath();
  export_to(path, format);
}

bool CChartPage::export_to(const QString& path, export_format format) {
  if (!plot_) return false;
  // The file appears whole or not at all: it is written beside its place and renamed at the end.
  QSaveFile file(path);
  bool written = file.open(QIODevice::WriteOnly);
  const int width = plot_->width();
  const int height = plot_->height();
  if (written && format == export_format::png) {
    written = plot_->toPixmap(width, height).save(&file, "PNG");
  } else if (written && format == export_format::svg) {
    QSvgGenerator picture;
    picture.setOutputDevice(&file);
    picture.setSize(QSize(width, height));
    picture.setViewBox(QRect(0, 0, width, height));
    picture.setTitle(
        QStringLiteral("%1 chart")
            .arg(window_->control_as<QComboBox>(chart_control::diagram)->currentText()));
    // The plot is drawn with everything cut to the view first, and restored after.
    clip_to_view_ = true;
    draw_lines();
    QCPPainter painter;
    written = painter.begin(&picture);
    if (written) {
      painter.setMode(QCPPainter::pmVectorized);
      painter.setMode(QCPPainter::pmNoCaching);
      plot_->toPainter(&painter, width, height);
      written = painter.end();
    }
    clip_to_view_ = false;
    draw_lines();
  } else if (written) {
    const std::string text = charts::write_lines(chart_, charts::data_format::csv);
    written = file.write(text.data(), static_cast<qint64>(text.size())) ==
              static_cast<qint64>(text.size());
  }
  written = written && file.commit();
  if (!written) {
    file.cancelWriting();
    const QString message =
        QStringLiteral("The chart could not be written to %1.").arg(QDir::toNativeSeparators(path));
    platform_.warning(message.toStdString());
  }
  return written;
}

void calculate_on_page(CKelvoraSheet& sheet, int tab, const charts::page_inputs& inputs) {
  // Pairs 0-4 hold the temperature first, 5-8 the pressure; the page offers no other.
  constexpr int first_pressure_pair = pair_pv;
  if (inputs.pair_code < pair_tp || inputs.pair_code > pair_pu) return;
  sheet.tab_control()->setCurrentIndex(tab);
  dialog_page* page = sheet.page_window(tab);
  if (page == nullptr) return;
  const bool pressure_first = inputs.pair_code >= first_pressure_pair;
  choose(page, control::first_variable, pressure_first ? 1 : 0);
  choose(page, control::second_variable,
         pressure_first ? inputs.pair_code - first_pressure_pair : inputs.pair_code);
  for (const auto& [id, value] : {std::pair{control::first_edit, inputs.first},
                                  std::pair{control::second_edit, inputs.second}}) {
    if (auto* edit = page->control_as<QLineEdit>(id))
      edit->setText(from_utf8(value_text(status_ok, value)));
  }
  if (auto* calculate = page->control_as<QPushButton>(control::calculate)) calculate->click();
}

}  // namespace Vantrel
