#include "shell/kelvora_sheet.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "pages/pages.h"
#include "shell/about_page.h"
#include "shell/qt_platform.h"
#include "shell/chart_page.h"
#include "shell/result_sheet_page.h"

namespace Vantrel {

namespace {

// The window's place and size in the settings store, beside the unit setting: the client area
// of its normal (not maximised) state, and whether it was maximised.
constexpr std::string_view window_section = "Window";
constexpr std::string_view left_entry = "Left";
constexpr std::string_view top_entry = "Top";
constexpr std::string_view width_entry = "Width";
constexpr std::string_view height_entry = "Height";
constexpr std::string_view maximised_entry = "Maximized";

// A stored window is put back only where a screen shows enough of it to take hold of it.
constexpr int least_shown_width = 100;
constexpr int least_shown_height = 40;
// No screen lies this far out; larger stored numbers are not a place.
constexpr int farthest_pixel = 1 << 20;

// The stored client area, if it is whole, sane and shown by a screen; its size at most that of
// the screen's working area.
std::optional<QRect> stored_window() {
  int value[4];
  const std::string_view entries[4] = {left_entry, top_entry, width_entry, height_entry};
  for (int i = 0; i < 4; ++i) {
    const std::optional<int> stored = read_user_setting(window_section, entries[i]);
    if (!stored || *stored <= -farthest_pixel || *stored >= farthest_pixel) return std::nullopt;
    value[i] = *stored;
  }
  if (value[2] <= 0 || value[3] <= 0) return std::nullopt;
  const QRect window(value[0], value[1], value[2], value[3]);
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    const QRect shown = area.intersected(window);
    if (shown.width() >= std::min(least_shown_width, window.width()) &&
        shown.height() >= std::min(least_shown_height, window.height()))
      return QRect(window.topLeft(), window.size().boundedTo(area.size()));
  }
  return std::nullopt;
}

// Gives the focus to the first control of `page` that the Tab key would reach.
void focus_first_control(QWidget* page) {
  for (QWidget* control = page->nextInFocusChain(); control != page;
       control = control->nextInFocusChain()) {
    if (page->isAncestorOf(control) && control->isEnabled() && control->isVisibleTo(page) &&
        (control->focusPolicy() & Qt::TabFocus) != 0) {
      control->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

// The tab of the Superheated/Subcooled page, where a click on the chart calculates.
constexpr int superheated_tab = 2;
}  // namespace

QIcon application_icon() {
  QIcon icon;
  for (const char* size : {"16", "32", "64"})
    icon.addFile(QStringLiteral(":/kelvora/kelvora-%1.png").arg(QLatin1String(size)));
  return icon;
}

CKelvoraSheet::CKelvoraSheet(const QString& caption, QWidget* parent, int initial_page)
    : QWidget(parent),
      icon_(application_icon()),
      base_(base_units(font())),
      initial_page_(initial_page),
      tabs_(new QTabWidget(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(caption);
  setWindowIcon(icon_);

  auto saturated = std::make_unique<result_sheet_page<CSaturatedPage>>(
      this, QStringLiteral("Saturated"), saturated_template());
  auto superheated = std::make_unique<result_sheet_page<CSuperheatedPage>>(
      this, QStringLiteral("Superheated/Subcooled"), superheated_template());
  auto chart = std::make_unique<CChartPage>(this);
  // Every state calculated on these two pages becomes a point on the chart, and a click on the
  // chart calculates on the second.
  for (CResultPage* page : {static_cast<CResultPage*>(&saturated->page()),
                            static_cast<CResultPage*>(&superheated->page())})
    page->SetStateListener([on = chart.get()](const calculated_state& s) { on->add_state(s); });
  chart->set_compute_handler([this](const charts::page_inputs& inputs) {
    calculate_on_page(*this, superheated_tab, inputs);
  });

  pages_.push_back(std::make_unique<CAboutPage>());
  pages_.push_back(std::move(saturated));
  pages_.push_back(std::move(superheated));
  pages_.push_back(std::make_unique<result_sheet_page<CConstantPage>>(
      this, QStringLiteral("Constants"), constants_template()));
  pages_.push_back(std::move(chart));

  for (const auto& page : pages_) {
    // The page window fills its tab; the largest laid-out page sets the window's least size.
    auto* container = new QWidget;
    auto* fill = new QVBoxLayout(container);
    fill->setContentsMargins(0, 0, 0, 0);
    containers_.push_back(container);
    tabs_->addTab(container, page->title());
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);

  // Next and previous tab, beside the tab widget's own Ctrl+Tab and Ctrl+Shift+Tab.
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this), &QShortcut::activated,
          this, [this] { step_page(1); });
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this), &QShortcut::activated, this,
          [this] { step_page(-1); });
}

CKelvoraSheet::~CKelvoraSheet() {
  // The page windows go before the page objects that answer their notifications.
  delete tabs_;
  tabs_ = nullptr;
  pages_.clear();
}

bool CKelvoraSheet::Create() {
  const int initial = initial_page_ >= 0 && initial_page_ < tabs_->count() ? initial_page_ : 0;
  tabs_->setCurrentIndex(initial);
  show_page(initial);
  connect(tabs_, &QTabWidget::currentChanged, this, &CKelvoraSheet::show_page);

  layout()->activate();
  resize(minimumSize());
  restore_geometry();

  // As a dialog opens: the focus on the page's first control, unless the page placed it.
  dialog_page* page = page_window(initial);
  if (!page->isAncestorOf(focusWidget())) focus_first_control(page);
  return true;
}

void CKelvoraSheet::restore_geometry() {
  const std::optional<QRect> stored = stored_window();
  if (stored) setGeometry(*stored);
  if (stored && read_user_setting(window_section, maximised_entry).value_or(0) != 0) {
    showMaximized();
    return;
  }
  show();
  if (stored) return;
  if (const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(where->availableGeometry().center());
    move(frame.topLeft());
  }
}

void CKelvoraSheet::save_geometry() const {
  const QRect normal = isMaximized() ? normalGeometry() : geometry();
  write_user_setting(window_section, left_entry, normal.x());
  write_user_setting(window_section, top_entry, normal.y());
  write_user_setting(window_section, width_entry, normal.width());
  write_user_setting(window_section, height_entry, normal.height());
  write_user_setting(window_section, maximised_entry, isMaximized() ? 1 : 0);
}

dialog_page* CKelvoraSheet::page_window(int index) const {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return nullptr;
  return pages_[static_cast<std::size_t>(index)]->window();
}

void CKelvoraSheet::show_page(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  sheet_page& page = *pages_[static_cast<std::size_t>(index)];
  if (page.window() == nullptr) {
    QWidget* container = containers_[static_cast<std::size_t>(index)];
    page.create(container, base_);
    container->layout()->addWidget(page.window());
    page.window()->show();
  }
  page.activate();
}

void CKelvoraSheet::step_page(int step) {
  const int count = tabs_->count();
  tabs_->setCurrentIndex(((tabs_->currentIndex() + step) % count + count) % count);
}

void CKelvoraSheet::closeEvent(QCloseEvent* event) {
  // A modeless sheet answers a close request by going away; it deletes itself once closed.
  save_geometry();
  event->accept();
}

}  // namespace Vantrel
