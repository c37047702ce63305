#pragma once
// The common surface of the three calculation pages, as the shell hosts them.
// The shell makes a page on the page's own platform object, calls Initialise when the page's
// window first comes into being, Activate every time the page becomes the active tab (the first
// time included, after Initialise), and routes each control notification by control id.

#include "pages/page_lookups.h"
#include "pages/platform.h"

namespace Vantrel {

class CResultPage {
 public:
  virtual ~CResultPage() = default;
  CResultPage(const CResultPage&) = delete;
  CResultPage& operator=(const CResultPage&) = delete;

  // The page's window was created: set up controls and fill the result list.
  virtual void Initialise() = 0;
  // The page became the active page.
  virtual void Activate() {}
  // A button or radio button was clicked.
  virtual void Clicked(int id);
  // The text of an edit changed (by the user or by the page itself).
  virtual void TextChanged(int /*id*/) {}
  // The selection of a drop-down list changed by the user.
  virtual void SelectionChanged(int /*id*/) {}

 protected:
  CResultPage(page_platform& platform, const page_lookups& lookups)
      : platform_(platform), lookups_(lookups) {}

  page_platform& platform_;
  const page_lookups& lookups_;
};

}  // namespace Vantrel
