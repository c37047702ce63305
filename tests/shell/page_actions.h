#pragma once
// What a user does on a page of the sheet, for the Qt tests: open a tab, type into an edit,
// click a control.
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

#include "shell/dialog_page.h"
#include "shell/kelvora_sheet.h"

namespace Vantrel::test {

inline dialog_page* open_tab(CKelvoraSheet* sheet, int tab) {
  sheet->tab_control()->setCurrentIndex(tab);
  return sheet->page_window(tab);
}

inline void type_into(dialog_page* page, int id, const QString& text) {
  auto* edit = page->control_as<QLineEdit>(id);
  edit->clear();
  QTest::keyClicks(edit, text);
}

inline void click(dialog_page* page, int id) {
  QTest::mouseClick(page->control(id), Qt::LeftButton);
}

}  // namespace Vantrel::test
