#include "shell/qt_platform.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>

#include "pages/catalogue.h"
#include "shell/list_ctrl_ex.h"

namespace Vantrel {

namespace {

QString from_utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString setting_key(std::string_view section, std::string_view entry) {
  return from_utf8(section) + QLatin1Char('/') + from_utf8(entry);
}

QSettings user_settings() {
  return QSettings(from_utf8(catalogue_text(text_key::maker)),
                   from_utf8(catalogue_text(text_key::application_title)));
}

}  // namespace

QString application_title() {
  return from_utf8(catalogue_text(text_key::application_title));
}

std::optional<int> read_user_setting(std::string_view section, std::string_view entry) {
  const QVariant stored = user_settings().value(setting_key(section, entry));
  if (!stored.isValid()) return std::nullopt;
  bool is_number = false;
  const int value = stored.toInt(&is_number);
  if (!is_number) return std::nullopt;
  return value;
}

void write_user_setting(std::string_view section, std::string_view entry, int value) {
  QSettings settings = user_settings();
  settings.setValue(setting_key(section, entry), value);
  settings.sync();
}

QWidget* qt_page_platform::control(int id) const {
  return window_ ? window_->control(id) : nullptr;
}

CListCtrlEx* qt_page_platform::list(int id) const {
  return qobject_cast<CListCtrlEx*>(control(id));
}

std::string qt_page_platform::text(int id) const {
  QWidget* widget = control(id);
  QString value;
  if (auto* edit = qobject_cast<QLineEdit*>(widget))
    value = edit->text();
  else if (auto* label = qobject_cast<QLabel*>(widget))
    value = label->text();
  else if (auto* button = qobject_cast<QAbstractButton*>(widget))
    value = button->text();
  return value.toStdString();
}

void qt_page_platform::set_text(int id, std::string_view text) {
  QWidget* widget = control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget))
    edit->setText(from_utf8(text));
  else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(from_utf8(text));
    label->setFont(window_->font());
    fit_to_width(label);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget))
    button->setText(from_utf8(text));
}

void qt_page_platform::enable(int id, bool enabled) {
  if (QWidget* widget = control(id)) widget->setEnabled(enabled);
}

void qt_page_platform::focus(int id) {
  if (QWidget* widget = control(id)) widget->setFocus(Qt::OtherFocusReason);
}

void qt_page_platform::set_checked(int id, bool checked) {
  auto* button = qobject_cast<QAbstractButton*>(control(id));
  if (button == nullptr) return;
  // An exclusive group keeps its checked button when asked to clear it; checking another
  // button of the group clears it, and the pages always set both.
  button->setChecked(checked);
}

bool qt_page_platform::is_checked(int id) const {
  auto* button = qobject_cast<QAbstractButton*>(control(id));
  return button != nullptr && button->isChecked();
}

void qt_page_platform::combo_clear(int id) {
  if (auto* combo = qobject_cast<QComboBox*>(control(id))) combo->clear();
}

void qt_page_platform::combo_add(int id, std::string_view text) {
  if (auto* combo = qobject_cast<QComboBox*>(control(id))) combo->addItem(from_utf8(text));
}

int qt_page_platform::combo_count(int id) const {
  auto* combo = qobject_cast<QComboBox*>(control(id));
  return combo == nullptr ? 0 : combo->count();
}

int qt_page_platform::combo_selection(int id) const {
  auto* combo = qobject_cast<QComboBox*>(control(id));
  return combo == nullptr ? -1 : combo->currentIndex();
}

void qt_page_platform::combo_select(int id, int index) {
  auto* combo = qobject_cast<QComboBox*>(control(id));
  if (combo == nullptr) return;
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void qt_page_platform::warning(std::string_view text) {
  QMessageBox box(QMessageBox::Warning, application_title(), from_utf8(text), QMessageBox::Ok,
                  sheet_);
  box.exec();
}

void qt_page_platform::close_window() {
  if (sheet_) sheet_->close();
}

void qt_page_platform::list_insert_column(int id, int column, std::string_view header,
                                          column_align align, int width) {
  if (CListCtrlEx* results = list(id)) {
    const Qt::Alignment alignment = align == column_align::right    ? Qt::AlignRight
                                    : align == column_align::centre ? Qt::AlignHCenter
                                                                    : Qt::AlignLeft;
    results->InsertColumn(column, from_utf8(header), alignment, width);
  }
}

void qt_page_platform::list_insert_item(int id, int position, std::string_view text,
                                        int item_data) {
  if (CListCtrlEx* results = list(id)) results->InsertItem(position, from_utf8(text), item_data);
}

void qt_page_platform::list_set_subitem(int id, int item, int subitem, std::string_view text) {
  if (CListCtrlEx* results = list(id)) results->SetItemText(item, subitem, from_utf8(text));
}

int qt_page_platform::list_item_data(int id, int item) const {
  const CListCtrlEx* results = list(id);
  return results == nullptr ? 0 : results->GetItemData(item);
}

int qt_page_platform::list_text_width(int id, std::string_view text) const {
  const CListCtrlEx* results = list(id);
  return results == nullptr ? 0 : results->GetStringWidth(from_utf8(text));
}

void qt_page_platform::list_set_column_width(int id, int column, int width) {
  if (CListCtrlEx* results = list(id)) results->SetColumnWidth(column, width);
}

void qt_page_platform::list_full_row_selection(int id, bool on) {
  if (CListCtrlEx* results = list(id)) results->SetFullRowSelection(on);
}

std::optional<int> qt_page_platform::read_setting(std::string_view section,
                                                  std::string_view entry) const {
  return read_user_setting(section, entry);
}

void qt_page_platform::write_setting(std::string_view section, std::string_view entry, int value) {
  write_user_setting(section, entry, value);
}

}  // namespace Vantrel
