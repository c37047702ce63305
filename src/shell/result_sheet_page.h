#pragma once
// A calculation page hosted in the sheet: the page logic on its own Qt platform object, its
// window built from its control table, and every control notification routed to the page.

#include <span>

#include "pages/result_page.h"
#include "shell/qt_platform.h"
#include "shell/sheet_page.h"

namespace Vantrel {

template <class Page>
class result_sheet_page final : public sheet_page {
 public:
  result_sheet_page(QWidget* sheet, QString title, std::span<const control_template> controls)
      : platform_(sheet), page_(platform_), title_(std::move(title)), controls_(controls) {}

  QString title() const override { return title_; }

  void create(QWidget* container, const dialog_base_units& base) override {
    control_events events;
    events.clicked = [this](int id) { page_.Clicked(id); };
    events.text_changed = [this](int id) { page_.TextChanged(id); };
    events.selection_changed = [this](int id) { page_.SelectionChanged(id); };
    window_ = new dialog_page(controls_, base, events, container);
    platform_.attach(window_);
    page_.Initialise();
  }

  void activate() override { page_.Activate(); }
  dialog_page* window() const override { return window_; }
  Page& page() { return page_; }

 private:
  qt_page_platform platform_;
  Page page_;
  QString title_;
  std::span<const control_template> controls_;
  dialog_page* window_ = nullptr;
};

}  // namespace Vantrel
