#include "shell/kelvora_sheet.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "pages/pages.h"
#include "shell/about_page.h"
#include "shell/chart_page.h"
#include "shell/result_sheet_page.h"

namespace Vantrel {

namespace {
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

  const QSize page_pixels = page_size(base_);
  for (const auto& page : pages_) {
    auto* container = new QWidget;
    container->setFixedSize(page_pixels);
    containers_.push_back(container);
    tabs_->addTab(container, page->title());
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
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
  show();
  if (const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(where->availableGeometry().center());
    move(frame.topLeft());
  }
  return true;
}

dialog_page* CKelvoraSheet::page_window(int index) const {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return nullptr;
  return pages_[static_cast<std::size_t>(index)]->window();
}

void CKelvoraSheet::show_page(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  sheet_page& page = *pages_[static_cast<std::size_t>(index)];
  if (page.window() == nullptr) {
    page.create(containers_[static_cast<std::size_t>(index)], base_);
    page.window()->show();
  }
  page.activate();
}

void CKelvoraSheet::closeEvent(QCloseEvent* event) {
  // A modeless sheet answers a close request by going away; it deletes itself once closed.
  event->accept();
}

}  // namespace Vantrel
