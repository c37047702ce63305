// The result list: text shortening, the alignment rule, the column that takes the width left,
// and the full-row selection bar drawn only while the list has the focus.

#include "shell/list_ctrl_ex.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

using Vantrel::CListCtrlEx;
using Vantrel::shorten_text;

namespace {

// The result list as a page fills it: Property left, Value right, Unit left.
void fill(CListCtrlEx& list) {
  list.InsertColumn(0, "Property", Qt::AlignLeft, 120);
  list.InsertColumn(1, "Value", Qt::AlignRight, 80);
  list.InsertColumn(2, "Unit", Qt::AlignLeft, 60);
  const char* rows[][3] = {{"Temperature", "100", "°C"},
                           {"Pressure", "1.01418", "bar"},
                           {"Thermal conductivity", "", "Btu/(hr.ft.°F)"}};
  int data = 0;
  for (const auto& row : rows) {
    list.InsertItem(data, row[0], data);
    list.SetItemText(data, 1, row[1]);
    list.SetItemText(data, 2, QString::fromUtf8(row[2]));
    ++data;
  }
  list.SetFullRowSelection(true);
}

bool is_highlight(QRgb pixel, const QColor& highlight) {
  return qAbs(qRed(pixel) - highlight.red()) < 8 && qAbs(qGreen(pixel) - highlight.green()) < 8 &&
         qAbs(qBlue(pixel) - highlight.blue()) < 8;
}

}  // namespace

class list_ctrl_ex_test : public QObject {
  Q_OBJECT

 private slots:
  void shortening_keeps_the_longest_prefix_that_fits() {
    const QFontMetrics metrics(QApplication::font());
    const QString text = QStringLiteral("Btu/(hr.ft.°F)");
    const int full = metrics.horizontalAdvance(text);
    // Fits with its reserve: unchanged; one pixel less: shortened.
    QCOMPARE(shorten_text(metrics, text, full + 12, 12), text);
    const QString shortened = shorten_text(metrics, text, full + 11, 12);
    QVERIFY(shortened.endsWith("..."));
    const QString kept = shortened.chopped(3);
    QVERIFY(text.startsWith(kept));
    const int dots = metrics.horizontalAdvance("...");
    QVERIFY(metrics.horizontalAdvance(kept) + 12 + dots <= full + 11);
    // One more character would not have fitted.
    QVERIFY(metrics.horizontalAdvance(text.left(kept.size() + 1)) + 12 + dots > full + 11);
  }

  void shortening_never_goes_below_one_character() {
    const QFontMetrics metrics(QApplication::font());
    QCOMPARE(shorten_text(metrics, "kJ/(kg.°C)", 3, 12), QString("k..."));
    QCOMPARE(shorten_text(metrics, "W", 0, 4), QString("W..."));
    QCOMPARE(shorten_text(metrics, QString(), 0, 12), QString());
  }

  void a_text_keeps_its_column_alignment_only_when_it_fits() {
    CListCtrlEx list;
    fill(list);
    list.resize(400, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    // A value that fits is right-aligned, inside the 6-pixel margins.
    const auto value = list.CellDrawing(1, 1);
    QCOMPARE(value.text, QString("1.01418"));
    QCOMPARE(value.alignment, Qt::AlignRight);
    QCOMPARE(value.rect.width(), 80 - 12);

    // A unit wider than its column ends in "..." and is left-aligned.
    const auto unit = list.CellDrawing(2, 2);
    QVERIFY2(unit.text.endsWith("...") && unit.text != "Btu/(hr.ft.°F)", qPrintable(unit.text));
    QCOMPARE(unit.alignment, Qt::AlignLeft);

    // Widened to the pages' rule (text width + 16) the unit fits again, whole.
    list.SetColumnWidth(2, list.GetStringWidth("Btu/(hr.ft.°F)") + 16);
    QCOMPARE(list.CellDrawing(2, 2).text, QString("Btu/(hr.ft.°F)"));

    // An empty cell draws nothing and leaves the next column where it was.
    QVERIFY(list.CellDrawing(2, 1).text.isEmpty());
    QCOMPARE(list.CellDrawing(2, 2).rect.left(), list.CellDrawing(1, 2).rect.left());
  }

  void the_fill_column_takes_the_width_the_others_leave_and_never_less_than_its_own() {
    CListCtrlEx list;
    fill(list);
    list.SetFillColumn(0);
    list.resize(400, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QHeaderView* head = list.header();
    QCOMPARE(head->length(), list.viewport()->width());
    QCOMPARE(head->sectionSize(1), 80);
    // A wider Value column takes its room from the Property column.
    list.SetColumnWidth(1, 100);
    QCOMPARE(head->sectionSize(1), 100);
    QCOMPARE(head->length(), list.viewport()->width());
    // Narrower than its columns, the list scrolls rather than cut the Property column.
    list.resize(200, 200);
    QTRY_COMPARE(head->sectionSize(0), 120);
    QTRY_VERIFY(list.horizontalScrollBar()->isVisible());
  }

  void the_selection_bar_spans_the_row_only_while_the_list_has_the_focus() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* list = new CListCtrlEx;
    auto* other = new QLineEdit;
    layout->addWidget(list);
    layout->addWidget(other);
    fill(*list);
    window.resize(500, 240);  // wider than the three columns
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    list->setCurrentItem(list->topLevelItem(1));
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    const QColor highlight = list->palette().color(QPalette::Highlight);
    const QRect bar = list->RowRect(1);
    QCOMPARE(bar.right(), list->viewport()->width() - 1);  // beyond the last column

    QImage shown = list->viewport()->grab().toImage();
    const int y = bar.center().y();
    QVERIFY(is_highlight(shown.pixel(bar.right() - 2, y), highlight));  // past the Unit column
    QVERIFY(is_highlight(shown.pixel(bar.left() + 1, y), highlight));
    QVERIFY(!is_highlight(shown.pixel(bar.right() - 2, list->RowRect(0).center().y()), highlight));

    other->setFocus();
    QTRY_VERIFY(!list->hasFocus());
    shown = list->viewport()->grab().toImage();
    QVERIFY(!is_highlight(shown.pixel(bar.right() - 2, y), highlight));
    QVERIFY(list->topLevelItem(1)->isSelected());  // still selected, only drawn plain
  }
};

QTEST_MAIN(list_ctrl_ex_test)
#include "list_ctrl_ex_test.moc"
