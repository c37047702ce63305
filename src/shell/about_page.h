#pragma once
// The About page: the product's name and basis in bold, the logo, the maker's contact and
// legal lines, and two buttons that open the maker's site and the product's page in the user's
// browser. It takes no input and has no Close button.

#include <QFont>

#include "shell/sheet_page.h"

namespace Vantrel {

// The maker's site and the product's page below it.
inline constexpr const char* maker_site_address = "https://www.vantrel.example/";
inline constexpr const char* product_page_address = "https://www.vantrel.example/kelvora/";

// Resource path of the logo, a 38 by 336 pixel picture.
inline constexpr const char* logo_resource = ":/kelvora/logo.png";

class CAboutPage final : public sheet_page {
 public:
  QString title() const override;
  void create(QWidget* container, const dialog_base_units& base) override;
  dialog_page* window() const override { return window_; }

 private:
  void Initialise();
  void Clicked(int id);

  QFont bold_font_;
  dialog_page* window_ = nullptr;
};

}  // namespace Vantrel
