#pragma once
// The page platform on Qt widgets: one object per calculation page, reaching that page's
// controls by id, the sheet's warning box and close, and the per-user settings store.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "pages/platform.h"
#include "shell/dialog_page.h"

namespace Vantrel {

class CListCtrlEx;

// The per-user settings store: organisation "Vantrel", application "Vantrel Kelvora".
// Absent or unreadable entries read as empty.
std::optional<int> read_user_setting(std::string_view section, std::string_view entry);
void write_user_setting(std::string_view section, std::string_view entry, int value);

// The application's title, the caption of the window and of every message box.
QString application_title();

class qt_page_platform final : public page_platform {
 public:
  // `sheet` owns the message boxes and is what Close closes.
  explicit qt_page_platform(QWidget* sheet) : sheet_(sheet) {}

  // The page window whose controls the ids name, once it exists.
  void attach(dialog_page* window) { window_ = window; }

  std::string text(int id) const override;
  void set_text(int id, std::string_view text) override;
  void enable(int id, bool enabled) override;
  void focus(int id) override;
  void set_checked(int id, bool checked) override;
  bool is_checked(int id) const override;

  void combo_clear(int id) override;
  void combo_add(int id, std::string_view text) override;
  int combo_count(int id) const override;
  int combo_selection(int id) const override;
  void combo_select(int id, int index) override;

  void warning(std::string_view text) override;
  void close_window() override;

  void list_insert_column(int list, int column, std::string_view header, column_align align,
                          int width) override;
  void list_insert_item(int list, int position, std::string_view text, int item_data) override;
  void list_set_subitem(int list, int item, int subitem, std::string_view text) override;
  int list_item_data(int list, int item) const override;
  int list_text_width(int list, std::string_view text) const override;
  void list_set_column_width(int list, int column, int width) override;
  void list_full_row_selection(int list, bool on) override;

  std::optional<int> read_setting(std::string_view section, std::string_view entry) const override;
  void write_setting(std::string_view section, std::string_view entry, int value) override;

 private:
  QWidget* control(int id) const;
  CListCtrlEx* list(int id) const;

  QPointer<QWidget> sheet_;
  QPointer<dialog_page> window_;
};

}  // namespace Vantrel
