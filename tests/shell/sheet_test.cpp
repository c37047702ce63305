// The application window: start-up, pages built on first selection, the About page, the page
// layout in dialog units, the unit setting across restarts, and both ways of closing.

#include <QAbstractButton>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QWindow>
#include <QtTest>

#include "shell/about_page.h"
#include "shell/kelvora_app.h"
#include "shell/list_ctrl_ex.h"
#include "shell/qt_platform.h"
#include "shell_test_support.h"

using namespace Vantrel;

namespace {

constexpr int about_tab = 0, saturated_tab = 1, superheated_tab = 2, constants_tab = 3;

dialog_page* open_tab(CKelvoraSheet* sheet, int tab) {
  sheet->tab_control()->setCurrentIndex(tab);
  return sheet->page_window(tab);
}

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

}  // namespace

class sheet_test : public QObject {
  Q_OBJECT

 public slots:
  void open_url(const QUrl& url) { opened_.push_back(url.toString()); }

 private slots:
  void init() { settings_.clear(); }

  void dialog_units_scale_by_a_quarter_width_and_an_eighth_height() {
    // The classic 8-point dialog font: 6 pixels average width, 13 pixels high.
    const dialog_base_units classic{6, 13};
    QCOMPARE(page_size(classic), QSize(456, 384));
    QCOMPARE(to_pixels(classic, QRect(7, 83, 290, 115)), QRect(11, 135, 435, 187));
    QCOMPARE(to_pixels(classic, QRect(247, 30, 50, 16)), QRect(371, 49, 75, 26));
    // The base units follow the font: twice the size, about twice the page.
    QFont large = QApplication::font();
    large.setPointSizeF(large.pointSizeF() * 2);
    const QSize normal = page_size(base_units(QApplication::font()));
    const QSize doubled = page_size(base_units(large));
    QVERIFY(doubled.width() > normal.width() * 17 / 10 &&
            doubled.width() < normal.width() * 23 / 10);
    QVERIFY(doubled.height() > normal.height() * 17 / 10);
  }

  void starts_on_the_about_page_with_nothing_behind_the_other_tabs() {
    CKelvoraApp app;
    QVERIFY(app.InitInstance());
    CKelvoraSheet* sheet = app.sheet();
    QCOMPARE(sheet->windowTitle(), QString("Vantrel Kelvora"));
    QTabWidget* tabs = sheet->tab_control();
    QCOMPARE(tabs->count(), 4);
    const QStringList titles{"About", "Saturated", "Superheated/Subcooled", "Constants"};
    for (int i = 0; i < 4; ++i) QCOMPARE(tabs->tabText(i), titles[i]);
    QCOMPARE(tabs->currentIndex(), about_tab);
    QVERIFY(sheet->page_window(about_tab) != nullptr);
    for (int i = 1; i < 4; ++i) {
      QVERIFY(sheet->page_window(i) == nullptr);
      QVERIFY(tabs->widget(i)->findChildren<QWidget*>().isEmpty());
    }

    // The icon in 16 and 32 pixels; the window centred on the screen and sized to the pages.
    const QList<QSize> sizes = sheet->windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32)));
    const QPoint centre = sheet->screen()->availableGeometry().center();
    QVERIFY2((sheet->frameGeometry().center() - centre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(sheet->frameGeometry().x())
                            .arg(sheet->frameGeometry().y())
                            .arg(sheet->frameGeometry().width())
                            .arg(sheet->frameGeometry().height())));
    const QSize page = page_size(base_units(sheet->font()));
    QCOMPARE(sheet->page_window(about_tab)->size(), page);
    QVERIFY(tabs->widget(about_tab)->size() == page);

    QTimer::singleShot(0, sheet, &QWidget::close);
    QCOMPARE(run_until_closed(app), 0);
  }

  void a_page_is_built_once_on_its_first_selection() {
    CKelvoraApp app;
    QVERIFY(app.InitInstance());
    CKelvoraSheet* sheet = app.sheet();
    dialog_page* constants = open_tab(sheet, constants_tab);
    QVERIFY(constants != nullptr);
    QVERIFY(sheet->page_window(saturated_tab) == nullptr);
    auto* list = constants->control_as<CListCtrlEx>(1002);
    QCOMPARE(list->topLevelItemCount(), 8);
    QVERIFY(list->GetFullRowSelection());
    QCOMPARE(list->GetItemText(0, 0), QString("Molecular weight"));

    open_tab(sheet, saturated_tab);
    QCOMPARE(open_tab(sheet, constants_tab), constants);
    QCOMPARE(list->topLevelItemCount(), 8);  // not filled twice
    QTimer::singleShot(0, sheet, &QWidget::close);
    QCOMPARE(run_until_closed(app), 0);
  }

  void the_about_page_shows_bold_titles_the_logo_and_opens_both_addresses() {
    CKelvoraApp app;
    QVERIFY(app.InitInstance());
    dialog_page* about = app.sheet()->page_window(about_tab);
    for (int id : {1018, 1019, 1020, 1026})
      QVERIFY2(about->control(id)->font().bold(), qPrintable(QString::number(id)));
    int plain = 0;
    for (QLabel* label : about->findChildren<QLabel*>())
      if (label->text().contains("vantrel.example")) {
        QVERIFY(!label->font().bold());
        ++plain;
      }
    QCOMPARE(plain, 2);  // web address and e-mail

    auto* logo = about->control_as<logo_button>(about_control::logo);
    QCOMPARE(logo->size(), QSize(38, 336));
    QVERIFY(!logo->isEnabled());

    QDesktopServices::setUrlHandler("https", this, "open_url");
    opened_.clear();
    QTest::mouseClick(logo, Qt::LeftButton);
    about->control_as<QPushButton>(about_control::maker_site)->click();
    about->control_as<QPushButton>(about_control::product_page)->click();
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(opened_, (QStringList{maker_site_address, product_page_address}));
    QVERIFY(QString(product_page_address).startsWith(maker_site_address));
    QTimer::singleShot(0, app.sheet(), &QWidget::close);
    QCOMPARE(run_until_closed(app), 0);
  }

  void controls_sit_in_their_page_without_overlapping_or_cutting_texts() {
    CKelvoraApp app;
    QVERIFY(app.InitInstance());
    CKelvoraSheet* sheet = app.sheet();
    const dialog_base_units base = base_units(sheet->font());
    for (int tab = 0; tab < 4; ++tab) {
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
    // Placed by dialog units: the Saturated page's Calculate button and result list.
    dialog_page* saturated = sheet->page_window(saturated_tab);
    QCOMPARE(saturated->control(1005)->geometry(), to_pixels(base, QRect(247, 30, 50, 16)));
    QCOMPARE(saturated->control(1002)->geometry(), to_pixels(base, QRect(7, 83, 290, 115)));
    QVERIFY(saturated->control_as<QPushButton>(1005)->isDefault());
    QTimer::singleShot(0, sheet, &QWidget::close);
    QCOMPARE(run_until_closed(app), 0);
  }

  void radio_buttons_are_grouped_by_their_group_box() {
    CKelvoraApp app;
    QVERIFY(app.InitInstance());
    dialog_page* page = open_tab(app.sheet(), saturated_tab);
    QVERIFY(checked(page, 1000) && checked(page, 1006) && checked(page, 1010));
    QTest::mouseClick(page->control(1001), Qt::LeftButton);
    QTest::mouseClick(page->control(1007), Qt::LeftButton);
    QTest::mouseClick(page->control(1012), Qt::LeftButton);
    QVERIFY(checked(page, 1001) && !checked(page, 1000));
    QVERIFY(checked(page, 1007) && !checked(page, 1006));
    QVERIFY(checked(page, 1012) && !checked(page, 1010) && !checked(page, 1011));
    QTimer::singleShot(0, app.sheet(), &QWidget::close);
    QCOMPARE(run_until_closed(app), 0);
  }

  void the_unit_setting_survives_a_restart() {
    {
      CKelvoraApp app;
      QVERIFY(app.InitInstance());
      dialog_page* saturated = open_tab(app.sheet(), saturated_tab);
      QCOMPARE(saturated->control_as<QLabel>(1008)->text(), QString("Value, °C"));
      dialog_page* constants = open_tab(app.sheet(), constants_tab);
      QTest::mouseClick(constants->control(1001), Qt::LeftButton);
      QTimer::singleShot(0, constants->control(1004),
                         [=] { qobject_cast<QPushButton*>(constants->control(1004))->click(); });
      QCOMPARE(run_until_closed(app), 0);
      QVERIFY(app.sheet() == nullptr);
    }
    QCOMPARE(read_user_setting("Settings", "Units"), std::optional<int>(1));
    CKelvoraApp again;
    QVERIFY(again.InitInstance());
    dialog_page* saturated = open_tab(again.sheet(), saturated_tab);
    QVERIFY(checked(saturated, 1001) && !checked(saturated, 1000));
    QCOMPARE(saturated->control_as<QLabel>(1008)->text(), QString("Value, °F"));
    QTimer::singleShot(0, again.sheet(), &QWidget::close);
    QCOMPARE(run_until_closed(again), 0);
  }

  void a_stored_five_reads_as_english_and_an_unreadable_value_as_metric() {
    write_user_setting("Settings", "Units", 5);
    {
      CKelvoraApp app;
      QVERIFY(app.InitInstance());
      dialog_page* page = open_tab(app.sheet(), superheated_tab);
      QVERIFY(checked(page, 1001));
      QCOMPARE(page->control_as<CListCtrlEx>(1002)->GetItemText(0, 2), QString("°F"));
      QCOMPARE(read_user_setting("Settings", "Units"), std::optional<int>(1));  // rewritten
      QTimer::singleShot(0, app.sheet(), &QWidget::close);
      QCOMPARE(run_until_closed(app), 0);
    }
    QSettings("Vantrel", "Vantrel Kelvora").setValue("Settings/Units", "abc");
    QCOMPARE(read_user_setting("Settings", "Units"), std::nullopt);
    CKelvoraApp app;
    QVERIFY(app.InitInstance());
    dialog_page* page = open_tab(app.sheet(), saturated_tab);
    QVERIFY(checked(page, 1000));
    QCOMPARE(page->control_as<CListCtrlEx>(1002)->GetItemText(0, 2), QString("°C"));
    QTimer::singleShot(0, app.sheet(), &QWidget::close);
    QCOMPARE(run_until_closed(app), 0);
  }

  void the_close_button_and_the_close_box_both_end_the_loop() {
    {
      CKelvoraApp app;
      QVERIFY(app.InitInstance());
      dialog_page* page = open_tab(app.sheet(), superheated_tab);
      QTimer::singleShot(0, page, [=] { page->control_as<QPushButton>(1004)->click(); });
      QCOMPARE(run_until_closed(app), 0);
      QVERIFY(app.sheet() == nullptr);  // the sheet deleted itself
    }
    CKelvoraApp app;
    QVERIFY(app.InitInstance());
    QPointer<CKelvoraSheet> sheet = app.sheet();
    // The window system's close request, as the close box sends it.
    QTimer::singleShot(0, sheet, [=] { sheet->windowHandle()->close(); });
    QCOMPARE(run_until_closed(app), 0);
    QVERIFY(sheet.isNull());
  }

  void enter_presses_the_default_button_of_the_page_shown() {
    CKelvoraApp app;
    QVERIFY(app.InitInstance());
    CKelvoraSheet* sheet = app.sheet();
    dialog_page* saturated = open_tab(sheet, saturated_tab);
    dialog_page* superheated = open_tab(sheet, superheated_tab);
    open_tab(sheet, saturated_tab);
    int pressed = 0;
    connect(saturated->default_button(), &QAbstractButton::clicked, [&] { ++pressed; });
    connect(superheated->default_button(), &QAbstractButton::clicked, [&] { pressed += 100; });
    QTest::keyClick(saturated->control(1009), Qt::Key_Return);
    QCOMPARE(pressed, 0);  // disabled while the edit is empty
    QTest::keyClicks(saturated->control(1009), "50");
    QTest::keyClick(saturated->control(1009), Qt::Key_Return);
    QCOMPARE(pressed, 1);
    // Escape leaves the window open: only Close and the close box end it.
    QTest::keyClick(saturated->control(1009), Qt::Key_Escape);
    QVERIFY(sheet->isVisible());
    QTimer::singleShot(0, sheet, &QWidget::close);
    QCOMPARE(run_until_closed(app), 0);
  }

 private:
  testing::private_settings settings_;
  QStringList opened_;
};

QTEST_MAIN(sheet_test)
#include "sheet_test.moc"
