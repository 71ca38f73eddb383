#include "gui/archives/tformshortdate.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

#include "gui/dialog_test_helpers.h"
#include "support/recording_frontend.h"

using zvc::ArchiveRange;
using zvc::DateTime6;
using zvc::TFormShortDate;
using zvc::test::click;

namespace {

// Records from 10 January 2024 08:00 to 14 March 2024 09:00; the controller's clock 14 March
// 10:25.
const ArchiveRange kRange{{24, 1, 10, 8, 0, 0}, {24, 3, 14, 9, 0, 0}, {24, 1, 10, 8, 0, 0}};
constexpr DateTime6 kClock{24, 3, 14, 10, 25, 0};

QRadioButton* item(const QWidget& dialog, int choice) {
  return dialog.findChild<QRadioButton*>(QString("RadioPeriod%1").arg(choice));
}

QDateEdit* date(const QWidget& dialog, const char* name) {
  return dialog.findChild<QDateEdit*>(name);
}

QComboBox* hour(const QWidget& dialog, const char* name) {
  return dialog.findChild<QComboBox*>(name);
}

QString label(const QWidget& dialog, const char* name) {
  return dialog.findChild<QLabel*>(name)->text();
}

}  // namespace

class TFormShortDateTest : public QObject {
  Q_OBJECT

 private slots:
  void hourlyPanelShowsTheRangeAndProposesTheLastDay() {
    zvc::test::RecordingFrontend frontend;
    int choice = 1;
    TFormShortDate dialog(false, kRange, kClock, choice, frontend);
    QCOMPARE(dialog.windowTitle(), QString("Ввод периода времени запрашиваемых данных"));
    QCOMPARE(label(dialog, "LabelOldest"),
             QString("Дата и время самой старой записи в архиве:  10.01.24 08ч"));
    QCOMPARE(label(dialog, "LabelNewest"),
             QString("Дата и время последней записи в архиве:  14.03.24 09ч"));
    QCOMPARE(item(dialog, 1)->text(), QString("Заданный период"));
    QVERIFY(item(dialog, 1)->isChecked());
    // The typed period starts as the last day of the archive.
    QCOMPARE(date(dialog, "DateStart")->date(), QDate(2024, 3, 13));
    QCOMPARE(hour(dialog, "HourStart")->currentIndex(), 9);
    QCOMPARE(date(dialog, "DateEnd")->date(), QDate(2024, 3, 14));
    QVERIFY(date(dialog, "DateEnd")->isEnabled());

    item(dialog, 0)->click();  // "За последние сутки", by the controller's clock
    QCOMPARE(item(dialog, 0)->text(), QString("За последние сутки"));
    QCOMPARE(hour(dialog, "HourEnd")->currentIndex(), 9);
    QCOMPARE(date(dialog, "DateStart")->date(), QDate(2024, 3, 13));
    QCOMPARE(hour(dialog, "HourStart")->currentIndex(), 10);
    QVERIFY(!date(dialog, "DateStart")->isEnabled());
    QVERIFY(!hour(dialog, "HourEnd")->isEnabled());
    QCOMPARE(choice, 0);

    click(dialog, "Принять");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.start(), (DateTime6{24, 3, 13, 10, 0, 0}));
    QCOMPARE(dialog.end(), (DateTime6{24, 3, 14, 9, 0, 0}));
  }

  void dailyPanelTakesDatesAndKeepsTheChoiceForTheNextDialog() {
    zvc::test::RecordingFrontend frontend;
    int choice = 0;  // chosen before in an hourly dialog
    TFormShortDate dialog(true, kRange, kClock, choice, frontend);
    QVERIFY(hour(dialog, "HourStart") == nullptr);
    QCOMPARE(label(dialog, "LabelNewest"),
             QString("Дата и время последней записи в архиве:  14.03.24"));
    QVERIFY(item(dialog, 0)->isChecked());
    QCOMPARE(item(dialog, 0)->text(), QString("За последний месяц"));
    QCOMPARE(date(dialog, "DateEnd")->date(), QDate(2024, 3, 13));
    QCOMPARE(date(dialog, "DateStart")->date(), QDate(2024, 2, 13));
    item(dialog, 1)->click();
    click(dialog, "Отменить");
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(choice, 1);
  }

  void reversedOrOutsidePeriodsAreRefusedAndOverlapsClipped() {
    zvc::test::RecordingFrontend frontend;
    int choice = 1;
    TFormShortDate dialog(true, kRange, kClock, choice, frontend);
    date(dialog, "DateStart")->setDate(QDate(2024, 3, 10));
    date(dialog, "DateEnd")->setDate(QDate(2024, 3, 9));
    click(dialog, "Принять");
    QCOMPARE(frontend.messages.size(), std::size_t{1});
    QCOMPARE(frontend.messages[0].kind, 2);
    QCOMPARE(frontend.messages[0].line1, std::string("Дата и время конца опроса должны быть"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    date(dialog, "DateStart")->setDate(QDate(2023, 12, 1));
    date(dialog, "DateEnd")->setDate(QDate(2024, 1, 5));
    click(dialog, "Принять");
    QCOMPARE(frontend.messages.back().line1,
             std::string("В архиве нет данных за указанный период"));

    date(dialog, "DateEnd")->setDate(QDate(2024, 5, 1));
    click(dialog, "Принять");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.start(), (DateTime6{24, 1, 10, 0, 0, 0}));
    QCOMPARE(dialog.end(), (DateTime6{24, 3, 14, 0, 0, 0}));
  }
};

QTEST_MAIN(TFormShortDateTest)
#include "tformshortdate_test.moc"
