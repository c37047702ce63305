#pragma once
// One page of the property sheet as the sheet sees it: a tab title, a window that comes into
// being (and the page's Initialise with it) the first time its tab is selected, and an
// Activate on every selection.

#include <QString>

#include "shell/dialog_page.h"
#include "shell/dialog_units.h"

class QWidget;

namespace Vantrel {

class sheet_page {
 public:
  virtual ~sheet_page() = default;

  virtual QString title() const = 0;
  // Builds the page window inside `container` and runs the page's Initialise.
  virtual void create(QWidget* container, const dialog_base_units& base) = 0;
  // The page became the active page.
  virtual void activate() {}
  // The page window, or nullptr before the page was first shown.
  virtual dialog_page* window() const = 0;
};

}  // namespace Vantrel
