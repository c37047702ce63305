#include "shell/about_page.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPixmap>
#include <QUrl>

namespace Vantrel {

QString CAboutPage::title() const {
  return QStringLiteral("About");
}

void CAboutPage::create(QWidget* container, const dialog_base_units& base) {
  control_events events;
  events.clicked = [this](int id) { Clicked(id); };
  window_ = new dialog_page(about_template(), base, events, container);
  Initialise();
}

void CAboutPage::Initialise() {
  bold_font_ = window_->font();
  bold_font_.setWeight(QFont::Bold);
  for (const int id : {about_control::product_name, about_control::description,
                       about_control::version, about_control::summary}) {
    if (auto* text = window_->control_as<QLabel>(id)) {
      text->setFont(bold_font_);
      fit_to_width(text);
    }
  }
  // A missing picture leaves the logo empty; nothing is reported.
  if (auto* logo = window_->control_as<logo_button>(about_control::logo))
    logo->set_picture(QPixmap(QString::fromLatin1(logo_resource)));
}

void CAboutPage::Clicked(int id) {
  // Whether a browser opens is not examined: the page has nothing to report.
  if (id == about_control::maker_site)
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(maker_site_address)));
  else if (id == about_control::product_page)
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(product_page_address)));
}

}  // namespace Vantrel
