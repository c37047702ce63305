#pragma once
// The application window: a property sheet captioned with the application title, with the
// pages About, Saturated, Superheated/Subcooled, Constants and Chart. A page's window is built the
// first time its tab is selected; closing the sheet destroys it, and the sheet deletes itself.
//
// The window opens at the pages' laid-out size and can be made larger: every page window fills
// its tab and grows with it. Its place and size are kept in the settings store (section
// "Window") when it closes and taken up again at the next start, unless no screen shows them.

#include <QIcon>
#include <QWidget>
#include <memory>
#include <vector>

#include "shell/dialog_units.h"
#include "shell/sheet_page.h"

class QTabWidget;

namespace Vantrel {

// The application icon, 16, 32 and 64 pixels.
QIcon application_icon();

class CKelvoraSheet : public QWidget {
  Q_OBJECT

 public:
  explicit CKelvoraSheet(const QString& caption, QWidget* parent = nullptr, int initial_page = 0);
  ~CKelvoraSheet() override;

  // Shows the window with the initial page and the focus on that page's first control, where
  // it was last closed or else at the pages' size, centred on the screen.
  bool Create();

  QTabWidget* tab_control() const { return tabs_; }
  // The page window behind tab `index`, or nullptr while that tab was never selected.
  dialog_page* page_window(int index) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void show_page(int index);
  void step_page(int step);
  void save_geometry() const;
  void restore_geometry();

  QIcon icon_;
  dialog_base_units base_;
  int initial_page_;
  QTabWidget* tabs_;
  std::vector<QWidget*> containers_;
  std::vector<std::unique_ptr<sheet_page>> pages_;
};

}  // namespace Vantrel
