// The application window on real widgets, with the property library behind it: start-up, pages
// built on first selection, the About page, the page layout in dialog units, a user's path
// through the pages, the unit setting and the window's place across restarts, a window made
// larger, the keyboard, and both ways of closing.

#include <QAbstractButton>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include "page_actions.h"
#include "shell/about_page.h"
#include "shell/kelvora_app.h"
#include "shell/list_ctrl_ex.h"
#include "shell/qt_platform.h"

using namespace Vantrel;

namespace {

using test::click;
using test::open_tab;
using test::type_into;

constexpr int about_tab = 0, saturated_tab = 1, superheated_tab = 2, constants_tab = 3,
              chart_tab = 4;

// Runs the application until its window is gone; a watchdog fails a loop that does not end.
int run_until_closed(CKelvoraApp& app) {
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  watchdog.start(10000);
  return app.Run();
}

// The part of a control a user sees: a radio button's circle and text, a label's text.
QRect visible_rect(QWidget* control) {
  QRect shown = control->geometry();
  if (qobject_cast<QRadioButton*>(control) != nullptr)
    shown.setWidth(std::min(shown.width(), control->sizeHint().width()));
  if (auto* label = qobject_cast<QLabel*>(control); label != nullptr && !label->wordWrap()) {
    const int text = label->fontMetrics().horizontalAdvance(label->text());
    if (label->alignment() & Qt::AlignRight)
      shown.setLeft(shown.right() - text);
    else if (label->alignment() & Qt::AlignLeft)
      shown.setWidth(text);
  }
  return shown;
}

bool checked(dialog_page* page, int id) {
  return page->control_as<QRadioButton>(id)->isChecked();
}

// The value (column 1) or unit (column 2) cell of the result row named `name`.
QString cell(dialog_page* page, const QString& name, int column = 1) {
  auto* list = page->control_as<CListCtrlEx>(1002);
  for (int item = 0; item < list->topLevelItemCount(); ++item)
    if (list->GetItemText(item, 0) == name) return list->GetItemText(item, column);
  return QStringLiteral("<no row %1>").arg(name);
}

// Reads and dismisses the next application-modal box once it shows. It runs its own event
// loop, in which this polling timer fires.
void answer_next_message_box(QString* text, QString* caption, bool* icon_is_warning) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    *text = box->text();
    *caption = box->windowTitle();
    *icon_is_warning = box->icon() == QMessageBox::Warning;
    box->button(QMessageBox::Ok)->click();
    poll->stop();
    poll->deleteLater();
  });
  poll->start();
}

// A text of the list that is drawn shortened, or the horizontal scroll bar; empty if none.
QString cut_cell(CListCtrlEx* list) {
  QCoreApplication::processEvents();
  if (list->horizontalScrollBar()->isVisible()) return QStringLiteral("horizontal scroll bar");
  for (int item = 0; item < list->topLevelItemCount(); ++item)
    for (int column = 0; column < list->columnCount(); ++column)
      if (list->CellDrawing(item, column).text != list->GetItemText(item, column))
        return list->GetItemText(item, column);
  return {};
}

// Whether every row of the list is on view, with no vertical scroll bar.
bool all_rows_shown(CListCtrlEx* list) {
  QCoreApplication::processEvents();
  const int last = list->topLevelItemCount() - 1;
  return !list->verticalScrollBar()->isVisible() &&
         list->visualItemRect(list->topLevelItem(last)).bottom() < list->viewport()->height();
}

void press_key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

}  // namespace

class sheet_test : public QObject {
  Q_OBJECT

 public:
  // The per-user settings store lives in a temporary folder for the whole run.
  sheet_test() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_folder_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_folder_.path());
  }

 public slots:
  void open_url(const QUrl& url) { opened_.push_back(url.toString()); }

 private slots:
  void init() { QSettings("Vantrel", "Vantrel Kelvora").clear(); }
  void cleanup() { close_app(); }

  void dialog_units_scale_by_a_quarter_width_and_an_eighth_height() {
    // The classic 8-point dialog font: 6 pixels average width, 13 pixels high.
    const dialog_base_units classic{6, 13};
    QCOMPARE(page_size(classic), QSize(480, 384));
    QCOMPARE(to_pixels(classic, QRect(7, 83, 290, 115)), QRect(11, 135, 435, 187));
    // The base units follow the font: twice the size, about twice the page.
    QFont large = QApplication::font();
    large.setPointSizeF(large.pointSizeF() * 2);
    const int normal = page_size(base_units(QApplication::font())).width();
    const int doubled = page_size(base_units(large)).width();
    QVERIFY(doubled > normal * 17 / 10 && doubled < normal * 23 / 10);
  }

  void starts_on_the_about_page_and_builds_each_page_once_on_its_first_selection() {
    QVERIFY(app_.InitInstance());
    CKelvoraSheet* sheet = app_.sheet();
    QCOMPARE(sheet->windowTitle(), QString("Vantrel Kelvora"));
    QTabWidget* tabs = sheet->tab_control();
    const QStringList titles{"About", "Saturated", "Superheated/Subcooled", "Constants", "Chart"};
    QCOMPARE(tabs->count(), 5);
    for (int i = 0; i < 5; ++i) QCOMPARE(tabs->tabText(i), titles[i]);
    QCOMPARE(tabs->currentIndex(), about_tab);
    for (int i = 1; i < 5; ++i) {
      QVERIFY(sheet->page_window(i) == nullptr);
      QVERIFY(tabs->widget(i)->findChildren<QWidget*>().isEmpty());
    }
    // The icon in 16 and 32 pixels; the window centred on the screen and sized to the pages.
    const QList<QSize> sizes = sheet->windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32)));
    const QPoint centre = sheet->screen()->availableGeometry().center();
    QVERIFY((sheet->frameGeometry().center() - centre).manhattanLength() <= 2);
    const QSize laid_out = page_size(base_units(sheet->font()));
    QCOMPARE(sheet->page_window(about_tab)->minimumSize(), laid_out);
    QVERIFY((sheet->page_window(about_tab)->size() - laid_out).height() <= 2);
    // As a dialog opens: the focus on the page's first control.
    QCOMPARE(sheet->focusWidget(),
             sheet->page_window(about_tab)->control(about_control::maker_site));

    dialog_page* constants = open_tab(sheet, constants_tab);
    QVERIFY(sheet->page_window(saturated_tab) == nullptr);
    auto* list = constants->control_as<CListCtrlEx>(1002);
    QCOMPARE(list->topLevelItemCount(), 8);
    QVERIFY(list->GetFullRowSelection());
    open_tab(sheet, saturated_tab);
    QCOMPARE(open_tab(sheet, constants_tab), constants);
    QCOMPARE(list->topLevelItemCount(), 8);  // not filled twice
  }

  void the_about_page_shows_bold_titles_the_logo_and_opens_both_addresses() {
    QVERIFY(app_.InitInstance());
    dialog_page* about = app_.sheet()->page_window(about_tab);
    for (int id : {about_control::product_name, about_control::description, about_control::version,
                   about_control::summary})
      QVERIFY2(about->control(id)->font().bold(), qPrintable(QString::number(id)));
    auto* logo = about->control_as<logo_button>(about_control::logo);
    QCOMPARE(logo->size(), QSize(38, 336));

    QDesktopServices::setUrlHandler("https", this, "open_url");
    opened_.clear();
    QTest::mouseClick(logo, Qt::LeftButton);  // the logo opens nothing
    about->control_as<QPushButton>(about_control::maker_site)->click();
    about->control_as<QPushButton>(about_control::product_page)->click();
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(opened_, (QStringList{maker_site_address, product_page_address}));
  }

  void controls_sit_in_their_page_without_overlapping_or_cutting_texts() {
    QVERIFY(app_.InitInstance());
    CKelvoraSheet* sheet = app_.sheet();
    for (int tab = 0; tab < 5; ++tab) {
      dialog_page* page = open_tab(sheet, tab);
      QList<QWidget*> controls;
      for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isHidden()) controls.push_back(child);
      for (QWidget* control : controls) {
        const QString name = QStringLiteral("tab %1 %2 '%3'")
                                 .arg(tab)
                                 .arg(control->metaObject()->className())
                                 .arg(control->property("text").toString());
        QVERIFY2(page->rect().contains(control->geometry()), qPrintable(name));
        if (auto* label = qobject_cast<QLabel*>(control)) {
          const QSize needed = label->wordWrap()
                                   ? QSize(0, label->heightForWidth(label->width()))
                                   : QSize(label->sizeHint().width() - 2 * label->margin(), 0);
          QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height() + 2,
                   qPrintable(name));
        }
        if (auto* button = qobject_cast<QAbstractButton*>(control))
          QVERIFY2(
              button->fontMetrics().horizontalAdvance(button->text().remove('&')) < button->width(),
              qPrintable(name));
        if (qobject_cast<QGroupBox*>(control) != nullptr) continue;
        for (QWidget* other : controls)
          if (other != control && qobject_cast<QGroupBox*>(other) == nullptr)
            QVERIFY2(!visible_rect(control).intersects(visible_rect(other)), qPrintable(name));
      }
    }
    // Placed by dialog units: the Saturated page's default Calculate button.
    dialog_page* saturated = sheet->page_window(saturated_tab);
    const dialog_base_units base = base_units(sheet->font());
    QCOMPARE(saturated->control(1005)->geometry(), to_pixels(base, QRect(263, 30, 50, 16)));
    QVERIFY(saturated->control_as<QPushButton>(1005)->isDefault());
  }

  void saturated_steam_at_100_degrees_then_in_english() {
    QVERIFY(app_.InitInstance());
    dialog_page* page = open_tab(app_.sheet(), saturated_tab);
    QVERIFY(checked(page, 1000) && checked(page, 1006) && checked(page, 1010));
    type_into(page, 1009, "100");
    click(page, 1005);
    QCOMPARE(cell(page, "Steam quality"), QString("100"));
    QVERIFY(qAbs(cell(page, "Pressure").toDouble() - 1.01418) < 5e-5);  // psat(373.15 K)
    QCOMPARE(cell(page, "Pressure", 2), QString("bar"));

    // English: the same number read as 100 °F, recomputed.
    click(page, 1001);
    QCOMPARE(page->control_as<QLabel>(1008)->text(), QString("Value, °F"));
    QCOMPARE(cell(page, "Temperature", 2), QString("°F"));
    QCOMPARE(cell(page, "Pressure", 2), QString("psia"));
    QCOMPARE(cell(page, "Temperature"), QString("100"));
    QVERIFY2(qAbs(cell(page, "Pressure").toDouble() - 0.9503) < 0.002,
             qPrintable(cell(page, "Pressure")));

    // Liquid at the same point: each group box holds its own radio group.
    click(page, 1011);
    click(page, 1005);
    QCOMPARE(cell(page, "Steam quality"), QString("0"));
    QVERIFY(checked(page, 1001) && checked(page, 1006) && checked(page, 1011));
    QVERIFY(!checked(page, 1000) && !checked(page, 1010));
  }

  void a_bad_number_shows_the_warning_box_and_keeps_the_results() {
    QVERIFY(app_.InitInstance());
    dialog_page* page = open_tab(app_.sheet(), saturated_tab);
    type_into(page, 1009, "100");
    click(page, 1005);
    const QString pressure = cell(page, "Pressure");

    type_into(page, 1009, "abc");
    QString text, caption;
    bool warning_icon = false;
    answer_next_message_box(&text, &caption, &warning_icon);
    click(page, 1005);
    QCOMPARE(text, QString("Invalid number specified."));
    QCOMPARE(caption, QString("Vantrel Kelvora"));
    QVERIFY(warning_icon);
    QCOMPARE(cell(page, "Pressure"), pressure);
    QCOMPARE(page->window()->focusWidget(), page->control(1009));
  }

  void water_at_25_degrees_and_1_bar_is_subcooled() {
    QVERIFY(app_.InitInstance());
    dialog_page* page = open_tab(app_.sheet(), superheated_tab);
    type_into(page, 1016, "25");
    type_into(page, 1017, "1");
    click(page, 1005);
    QCOMPARE(cell(page, "Steam quality"), QString("Subcooled"));
  }

  // English chosen on the constants page and the window closed by Close: the next start is in
  // English.
  void the_unit_setting_survives_a_restart() {
    QVERIFY(app_.InitInstance());
    dialog_page* constants = open_tab(app_.sheet(), constants_tab);
    QCOMPARE(cell(constants, "Critical temperature"), QString("373.946"));
    QCOMPARE(cell(constants, "Critical temperature", 2), QString("°C"));
    click(constants, 1001);
    QTimer::singleShot(0, constants, [=] { constants->control_as<QPushButton>(1004)->click(); });
    QCOMPARE(run_until_closed(app_), 0);
    QCOMPARE(read_user_setting("Settings", "Units"), std::optional<int>(1));

    QVERIFY(app_.InitInstance());
    dialog_page* saturated = open_tab(app_.sheet(), saturated_tab);
    QVERIFY(checked(saturated, 1001) && !checked(saturated, 1000));
    QCOMPARE(saturated->control_as<QLabel>(1008)->text(), QString("Value, °F"));
  }

  void a_stored_five_reads_as_english_and_an_unreadable_value_as_metric() {
    write_user_setting("Settings", "Units", 5);
    QVERIFY(app_.InitInstance());
    dialog_page* page = open_tab(app_.sheet(), superheated_tab);
    QVERIFY(checked(page, 1001));
    QCOMPARE(page->control_as<CListCtrlEx>(1002)->GetItemText(0, 2), QString("°F"));
    QCOMPARE(read_user_setting("Settings", "Units"), std::optional<int>(1));  // rewritten
    close_app();

    QSettings("Vantrel", "Vantrel Kelvora").setValue("Settings/Units", "abc");
    QCOMPARE(read_user_setting("Settings", "Units"), std::nullopt);
    QVERIFY(app_.InitInstance());
    page = open_tab(app_.sheet(), saturated_tab);
    QVERIFY(checked(page, 1000));
    QCOMPARE(page->control_as<CListCtrlEx>(1002)->GetItemText(0, 2), QString("°C"));
  }

  // Chosen on the Chart page, the Formulation reaches the Saturated page's transport rows and
  // footer, and the next start shows it on every page.
  void the_formulation_choice_is_shared_and_survives_a_restart() {
    QVERIFY(app_.InitInstance());
    dialog_page* saturated = open_tab(app_.sheet(), saturated_tab);
    type_into(saturated, 1009, "100");
    click(saturated, 1005);
    const QString lambda_1985 = cell(saturated, "Thermal conductivity");
    const QString enthalpy = cell(saturated, "Enthalpy");

    dialog_page* chart = open_tab(app_.sheet(), chart_tab);
    auto* choice = chart->control_as<QComboBox>(1030);
    QCOMPARE(choice->count(), 2);
    QCOMPARE(choice->itemText(1), QString("IAPWS-95, 2008/2011 transport"));
    choice->setCurrentIndex(1);
    emit choice->activated(1);
    QCOMPARE(read_user_setting("Settings", "Formulation"), std::optional<int>(1));

    saturated = open_tab(app_.sheet(), saturated_tab);
    QCOMPARE(saturated->control_as<QComboBox>(1030)->currentIndex(), 1);
    QVERIFY(cell(saturated, "Thermal conductivity") != lambda_1985);
    QCOMPARE(cell(saturated, "Enthalpy"), enthalpy);
    QVERIFY(saturated->control_as<QLabel>(1031)->text().contains("2008/2011 transport"));
    close_app();

    QVERIFY(app_.InitInstance());
    dialog_page* superheated = open_tab(app_.sheet(), superheated_tab);
    QCOMPARE(superheated->control_as<QComboBox>(1030)->currentIndex(), 1);
  }

  void the_close_button_and_the_close_box_both_end_the_loop() {
    QVERIFY(app_.InitInstance());
    dialog_page* page = open_tab(app_.sheet(), superheated_tab);
    QTimer::singleShot(0, page, [=] { page->control_as<QPushButton>(1004)->click(); });
    QCOMPARE(run_until_closed(app_), 0);
    QVERIFY(app_.sheet() == nullptr);  // the sheet deleted itself

    QVERIFY(app_.InitInstance());
    QPointer<CKelvoraSheet> sheet = app_.sheet();
    // The window system's close request, as the close box sends it.
    QTimer::singleShot(0, sheet, [=] { sheet->windowHandle()->close(); });
    QCOMPARE(run_until_closed(app_), 0);
    QVERIFY(sheet.isNull());
  }

  void enter_presses_the_default_button_of_the_page_shown() {
    QVERIFY(app_.InitInstance());
    CKelvoraSheet* sheet = app_.sheet();
    dialog_page* saturated = open_tab(sheet, saturated_tab);
    dialog_page* superheated = open_tab(sheet, superheated_tab);
    open_tab(sheet, saturated_tab);
    int pressed = 0;
    connect(saturated->default_button(), &QAbstractButton::clicked, [&] { ++pressed; });
    connect(superheated->default_button(), &QAbstractButton::clicked, [&] { pressed += 100; });
    QTest::keyClicks(saturated->control(1009), "50");
    QTest::keyClick(saturated->control(1009), Qt::Key_Return);
    QCOMPARE(pressed, 1);
    // Escape leaves the window open: only Close and the close box end it.
    QTest::keyClick(saturated->control(1009), Qt::Key_Escape);
    QVERIFY(sheet->isVisible());
  }

  // Long values ("Superheated", "-4.53803E-008"), the widest names, and each system's units
  // after a switch from the other: nothing is shortened and nothing scrolls sideways.
  void every_cell_fits_its_column_on_every_page_in_both_unit_systems() {
    struct start {
      int units;
      const char *saturated, *first, *second;
    };
    for (const start& run : {start{0, "100", "25", "1"}, start{1, "212", "400", "14.7"}}) {
      write_user_setting("Settings", "Units", run.units);
      QVERIFY(app_.InitInstance());
      CKelvoraSheet* sheet = app_.sheet();
      for (int tab = saturated_tab; tab <= constants_tab; ++tab) {
        dialog_page* page = open_tab(sheet, tab);
        if (tab == saturated_tab) type_into(page, 1009, run.saturated);
        if (tab == superheated_tab) {
          type_into(page, 1016, run.first);
          type_into(page, 1017, run.second);
        }
        if (tab != constants_tab) click(page, 1005);
        auto* list = page->control_as<CListCtrlEx>(1002);
        for (const int units : {run.units, 1 - run.units}) {
          click(page, units == 0 ? 1000 : 1001);
          const QString trace = QStringLiteral("tab %1, started in %2, shown in %3")
                                    .arg(tab)
                                    .arg(run.units)
                                    .arg(units);
          QVERIFY2(cut_cell(list).isEmpty(), qPrintable(trace + ": " + cut_cell(list)));
        }
      }
      close_app();
    }
  }

  void a_larger_window_gives_the_list_all_the_room_and_keeps_the_controls_above_it() {
    QVERIFY(app_.InitInstance());
    CKelvoraSheet* sheet = app_.sheet();
    const QSize first = sheet->size();
    QCOMPARE(sheet->minimumSize(), first);  // the first size is the least
    dialog_page* page = open_tab(sheet, saturated_tab);
    type_into(page, 1009, "100");
    click(page, 1005);
    auto* list = page->control_as<CListCtrlEx>(1002);
    QVERIFY(!all_rows_shown(list));
    const QRect list_before = list->geometry();
    const int value_width = list->header()->sectionSize(1);
    QList<QWidget*> above, below;
    for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      (control->y() < list_before.y() ? above : below).push_back(control);
    QList<QRect> above_before;
    for (QWidget* control : above) above_before.push_back(control->geometry());
    const QLabel* footer = nullptr;
    for (QWidget* control : below)
      if (auto* label = qobject_cast<QLabel*>(control)) footer = label;
    QVERIFY(footer != nullptr);
    const QRect footer_before = footer->geometry();

    // 1366 by 768 less a panel and a title bar: every row on view.
    const QSize larger(first.width() + 120, 680);
    sheet->resize(larger);
    QVERIFY(all_rows_shown(list));
    const QSize gained = larger - first;
    QCOMPARE(list->geometry(), list_before.adjusted(0, 0, gained.width(), gained.height()));
    for (int i = 0; i < above.size(); ++i) QCOMPARE(above[i]->geometry(), above_before[i]);
    QCOMPARE(footer->geometry().top(), footer_before.top() + gained.height());
    QVERIFY(footer->width() > footer_before.width());  // centred across the wider page
    // The Property column takes the width gained; the Value column keeps following its texts.
    QCOMPARE(list->header()->sectionSize(1), value_width);
    QCOMPARE(list->header()->length(), list->viewport()->width());
    QVERIFY(cut_cell(list).isEmpty());

    // Every page fills its tab, the pages built later too.
    for (int tab = about_tab; tab <= constants_tab; ++tab) {
      dialog_page* shown = open_tab(sheet, tab);
      QCoreApplication::processEvents();
      QCOMPARE(shown->size(), sheet->tab_control()->widget(tab)->size());
    }
    QVERIFY(all_rows_shown(open_tab(sheet, superheated_tab)->control_as<CListCtrlEx>(1002)));
  }

  void the_window_place_survives_a_restart_unless_no_screen_shows_it() {
    QVERIFY(app_.InitInstance());
    const QSize first = app_.sheet()->size();
    const QRect screen = app_.sheet()->screen()->availableGeometry();
    const QRect placed(screen.left() + 30, screen.top() + 20, first.width() + 40,
                       first.height() + 30);
    app_.sheet()->setGeometry(placed);
    QTimer::singleShot(0, app_.sheet(), [this] { app_.sheet()->windowHandle()->close(); });
    QCOMPARE(run_until_closed(app_), 0);
    QVERIFY(app_.InitInstance());
    QCOMPARE(app_.sheet()->geometry(), placed);
    // Closed maximised: opens maximised, and keeps the place it returns to.
    app_.sheet()->showMaximized();
    QTRY_VERIFY(app_.sheet()->isMaximized());
    close_app();
    QVERIFY(app_.InitInstance());
    QVERIFY(app_.sheet()->isMaximized());
    app_.sheet()->showNormal();
    QTRY_COMPARE(app_.sheet()->geometry(), placed);
    close_app();

    // Beyond every screen, or not a place at all: the first start's size, centred.
    for (const auto& [entry, value] : {std::pair{"Left", screen.right() + 5000},
                                       std::pair{"Top", -(1 << 30)}, std::pair{"Width", 0}}) {
      QSettings("Vantrel", "Vantrel Kelvora").setValue("Window/Left", placed.left());
      QSettings("Vantrel", "Vantrel Kelvora").setValue("Window/Top", placed.top());
      QSettings("Vantrel", "Vantrel Kelvora").setValue("Window/Width", placed.width());
      QSettings("Vantrel", "Vantrel Kelvora").setValue(QStringLiteral("Window/") + entry, value);
      QVERIFY(app_.InitInstance());
      CKelvoraSheet* sheet = app_.sheet();
      QVERIFY2(sheet->size() == first, entry);
      QVERIFY2((sheet->frameGeometry().center() - screen.center()).manhattanLength() <= 2, entry);
      close_app();
    }
  }

  // A dialog's radio groups: an arrow key clicks the button it reaches.
  void arrow_keys_in_a_radio_group_click_and_leave_the_focus_where_a_click_would() {
    QVERIFY(start_active());
    CKelvoraSheet* sheet = app_.sheet();
    dialog_page* page = open_tab(sheet, saturated_tab);

    page->control(1006)->setFocus();
    press_key(Qt::Key_Down);
    QVERIFY(checked(page, 1007) && !checked(page, 1006));
    QCOMPARE(page->control_as<QLabel>(1008)->text(), QString("Value, bar"));
    QCOMPARE(QApplication::focusWidget(), page->control(1009));
    QTest::keyClicks(QApplication::focusWidget(), "1");
    QCOMPARE(page->control_as<QLineEdit>(1009)->text(), QString("1"));

    page->control(1010)->setFocus();
    press_key(Qt::Key_Right);  // Liquid: the focus stays on the button, as a click leaves it
    QVERIFY(checked(page, 1011));
    QCOMPARE(QApplication::focusWidget(), page->control(1011));
    press_key(Qt::Key_Right);
    QVERIFY(checked(page, 1012) && page->control(1013)->isEnabled());
    QCOMPARE(QApplication::focusWidget(), page->control(1013));
    page->control(1012)->setFocus();
    press_key(Qt::Key_Left);
    QVERIFY(checked(page, 1011) && !page->control(1013)->isEnabled());

    // Round from the last button of a group to the first; the unit buttons write the setting.
    dialog_page* superheated = open_tab(sheet, superheated_tab);
    superheated->control(1001)->setFocus();
    press_key(Qt::Key_Down);
    QVERIFY(checked(superheated, 1000) && !checked(superheated, 1001));
    press_key(Qt::Key_Up);
    QVERIFY(checked(superheated, 1001));
    QCOMPARE(read_user_setting("Settings", "Units"), std::optional<int>(1));
  }

  void the_focused_push_button_alone_is_drawn_as_default() {
    QVERIFY(start_active());
    CKelvoraSheet* sheet = app_.sheet();
    dialog_page* page = open_tab(sheet, saturated_tab);
    auto* close = page->control_as<QPushButton>(1004);
    auto* calculate = page->control_as<QPushButton>(1005);
    type_into(page, 1009, "100");

    close->setFocus(Qt::TabFocusReason);
    QVERIFY(close->isDefault() && !calculate->isDefault());
    page->control(1009)->setFocus(Qt::TabFocusReason);
    QVERIFY(calculate->isDefault() && !close->isDefault());
    calculate->setFocus(Qt::TabFocusReason);
    page->control(1009)->setFocus(Qt::BacktabFocusReason);
    QVERIFY(calculate->isDefault());  // losing the focus does not take it away
    press_key(Qt::Key_Return);
    QCOMPARE(cell(page, "Steam quality"), QString("100"));
  }

  void ctrl_page_down_and_page_up_move_between_tabs() {
    QVERIFY(start_active());
    CKelvoraSheet* sheet = app_.sheet();
    QTabWidget* tabs = sheet->tab_control();
    press_key(Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), saturated_tab);
    // Also from the result list, which pages with PageDown itself.
    sheet->page_window(saturated_tab)->control(1002)->setFocus();
    press_key(Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), superheated_tab);
    press_key(Qt::Key_PageUp, Qt::ControlModifier);
    press_key(Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), about_tab);
    press_key(Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), chart_tab);  // round to the last
  }

  // A page window with another growing control, as a page added later may name it: the control
  // takes the room gained, what lies below it moves down, what spans its width widens, the rest
  // keeps its place.
  void a_page_grows_the_control_it_names() {
    const dialog_base_units base = base_units(QApplication::font());
    dialog_page page(about_template(), base, {});
    auto* plot = new QWidget(&page);
    plot->setGeometry(to_pixels(base, QRect(59, 85, 254, 35)));
    page.set_growing(plot);
    QList<QWidget*> controls{plot, page.control(about_control::maker_site),
                             page.control(about_control::product_name),
                             page.control(about_control::logo)};
    QList<QRect> before;
    for (QWidget* control : controls) before.push_back(control->geometry());
    page.resize(page.minimumSize() + QSize(100, 50));
    page.show();
    QCOMPARE(controls[0]->geometry(), before[0].adjusted(0, 0, 100, 50));
    QCOMPARE(controls[1]->geometry(), before[1].translated(0, 50));
    QCOMPARE(controls[2]->geometry(), before[2].adjusted(0, 0, 100, 0));
    QCOMPARE(controls[3]->geometry(), before[3]);

    // Without a growing control the layout stays whole, in the middle of the room.
    dialog_page about(about_template(), base, {});
    QWidget* logo = about.control(about_control::logo);
    const QRect logo_before = logo->geometry();
    about.resize(about.minimumSize() + QSize(100, 50));
    about.show();
    QCOMPARE(logo->geometry(), logo_before.translated(50, 25));
  }

 private:
  // Starts the application with its window active, as keys need it.
  bool start_active() {
    if (!app_.InitInstance()) return false;
    app_.sheet()->activateWindow();
    return QTest::qWaitForWindowActive(app_.sheet());
  }

  void close_app() {
    if (app_.sheet() == nullptr) return;
    QTimer::singleShot(0, app_.sheet(), &QWidget::close);
    QCOMPARE(run_until_closed(app_), 0);
  }

  QTemporaryDir settings_folder_;
  CKelvoraApp app_;
  QStringList opened_;
};

QTEST_MAIN(sheet_test)
#include "sheet_test.moc"
