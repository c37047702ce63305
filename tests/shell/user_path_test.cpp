// A user's path through the window on real widgets, with the property library behind it:
// saturated steam at 100 °C, the switch to English, a bad number, a subcooled state and the
// critical temperature.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "shell/kelvora_app.h"
#include "shell/list_ctrl_ex.h"
#include "shell_test_support.h"

using namespace Vantrel;

namespace {

// The value cell of the row named `name`.
QString value_of(dialog_page* page, const QString& name) {
  auto* list = page->control_as<CListCtrlEx>(1002);
  for (int item = 0; item < list->topLevelItemCount(); ++item)
    if (list->GetItemText(item, 0) == name) return list->GetItemText(item, 1);
  return QStringLiteral("<no row %1>").arg(name);
}

QString unit_of(dialog_page* page, const QString& name) {
  auto* list = page->control_as<CListCtrlEx>(1002);
  for (int item = 0; item < list->topLevelItemCount(); ++item)
    if (list->GetItemText(item, 0) == name) return list->GetItemText(item, 2);
  return {};
}

double number_of(dialog_page* page, const QString& name) {
  bool ok = false;
  const double value = value_of(page, name).toDouble(&ok);
  return ok ? value : std::nan("");
}

void type_into(dialog_page* page, int id, const QString& text) {
  auto* edit = page->control_as<QLineEdit>(id);
  edit->clear();
  QTest::keyClicks(edit, text);
}

void click(dialog_page* page, int id) {
  QTest::mouseClick(page->control(id), Qt::LeftButton);
}

}  // namespace

class user_path_test : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    settings_.clear();
    QVERIFY(app_.InitInstance());
  }

  void cleanup() {
    if (app_.sheet() != nullptr) {
      QTimer::singleShot(0, app_.sheet(), &QWidget::close);
      app_.Run();
    }
  }

  void saturated_steam_at_100_degrees_then_in_english() {
    CKelvoraSheet* sheet = app_.sheet();
    sheet->tab_control()->setCurrentIndex(1);
    dialog_page* page = sheet->page_window(1);
    type_into(page, 1009, "100");
    click(page, 1005);
    QCOMPARE(value_of(page, "Temperature"), QString("100"));
    QCOMPARE(value_of(page, "Steam quality"), QString("100"));
    QVERIFY(qAbs(number_of(page, "Pressure") - 1.01418) < 5e-5);  // IAPWS-95 psat(373.15 K)
    QCOMPARE(unit_of(page, "Pressure"), QString("bar"));

    // English: the same number read as 100 °F, recomputed.
    click(page, 1001);
    QCOMPARE(page->control_as<QLabel>(1008)->text(), QString("Value, °F"));
    QCOMPARE(unit_of(page, "Temperature"), QString("°F"));
    QCOMPARE(unit_of(page, "Pressure"), QString("psia"));
    QCOMPARE(value_of(page, "Temperature"), QString("100"));
    const double psia = number_of(page, "Pressure");
    QVERIFY2(qAbs(psia - 0.9503) < 0.002, qPrintable(value_of(page, "Pressure")));

    // The Unit column keeps its Metric/SI width: a wider English unit is drawn shortened.
    auto* list = page->control_as<CListCtrlEx>(1002);
    const int conductivity = 21;
    const QString unit = list->GetItemText(conductivity, 2);
    QCOMPARE(unit, QString("Btu/(hr.ft.°F)"));
    if (list->GetStringWidth(unit) + 12 > list->columnWidth(2)) {
      QVERIFY(list->CellDrawing(conductivity, 2).text.endsWith("..."));
      QCOMPARE(list->CellDrawing(conductivity, 2).alignment, Qt::AlignLeft);
    }

    // Liquid at the same point: quality 0.
    click(page, 1011);
    click(page, 1005);
    QCOMPARE(value_of(page, "Steam quality"), QString("0"));
  }

  void a_bad_number_shows_the_warning_box_and_keeps_the_results() {
    CKelvoraSheet* sheet = app_.sheet();
    sheet->tab_control()->setCurrentIndex(1);
    dialog_page* page = sheet->page_window(1);
    type_into(page, 1009, "100");
    click(page, 1005);
    const QString pressure = value_of(page, "Pressure");

    type_into(page, 1009, "abc");
    QString text, caption;
    bool warning_icon = false;
    testing::answer_next_message_box(&text, &caption, &warning_icon);
    click(page, 1005);
    QCOMPARE(text, QString("Invalid number specified."));
    QCOMPARE(caption, QString("Vantrel Kelvora"));
    QVERIFY(warning_icon);
    QCOMPARE(value_of(page, "Pressure"), pressure);
    QCOMPARE(page->window()->focusWidget(), page->control(1009));
  }

  void water_at_25_degrees_and_1_bar_is_subcooled() {
    CKelvoraSheet* sheet = app_.sheet();
    sheet->tab_control()->setCurrentIndex(2);
    dialog_page* page = sheet->page_window(2);
    type_into(page, 1016, "25");
    type_into(page, 1017, "1");
    click(page, 1005);
    QCOMPARE(value_of(page, "Steam quality"), QString("Subcooled"));
    QVERIFY(qAbs(number_of(page, "Density") - 997.05) < 0.01);
    type_into(page, 1016, "200");
    click(page, 1005);
    QCOMPARE(value_of(page, "Steam quality"), QString("Superheated"));
  }

  void the_constants_page_shows_the_critical_point_in_both_unit_systems() {
    CKelvoraSheet* sheet = app_.sheet();
    sheet->tab_control()->setCurrentIndex(3);
    dialog_page* page = sheet->page_window(3);
    QCOMPARE(value_of(page, "Critical temperature"), QString("373.946"));
    QCOMPARE(unit_of(page, "Critical temperature"), QString("°C"));
    QCOMPARE(value_of(page, "Critical pressure"), QString("220.64"));
    click(page, 1001);
    QCOMPARE(value_of(page, "Critical temperature"), QString("705.103"));
    QCOMPARE(unit_of(page, "Critical temperature"), QString("°F"));
    QCOMPARE(value_of(page, "Molecular weight"), QString("18.0153"));
  }

 private:
  testing::private_settings settings_;
  CKelvoraApp app_;
};

QTEST_MAIN(user_path_test)
#include "user_path_test.moc"
