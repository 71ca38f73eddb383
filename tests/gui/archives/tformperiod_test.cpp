#include "gui/archives/tformperiod.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "core/app/archive_dialog_settings.h"
#include "core/common/format.h"
#include "gui/dialog_test_helpers.h"
#include "support/recording_frontend.h"

using zvc::ArchiveDialogSettings;
using zvc::DateTime6;
using zvc::TFormPeriod;
using zvc::test::click;
using zvc::test::type;

namespace {

// 1 March 2024 (a leap year) 00:20:05.
constexpr DateTime6 kShortlyAfterMidnight{24, 3, 1, 0, 20, 5};
constexpr DateTime6 kAfternoon{24, 3, 1, 15, 40, 30};

QString text(const DateTime6& moment) {
  return QString::fromStdString(zvc::format("%02d.%02d.%04d %02d:%02d:%02d", moment.day,
                                            moment.month, moment.fullYear(), moment.hour,
                                            moment.minute, moment.second));
}

ArchiveDialogSettings settingsWithPeriod(std::uint32_t choice, const DateTime6& begin,
                                         const DateTime6& end) {
  ArchiveDialogSettings settings = ArchiveDialogSettings::defaults(45000.0);
  settings.setPeriodChoice(choice);
  settings.setPeriodBegin(zvc::dayCountFromDateTime(begin));
  settings.setPeriodEnd(zvc::dayCountFromDateTime(end));
  return settings;
}

QRadioButton* item(const QWidget& dialog, int choice) {
  return dialog.findChild<QRadioButton*>(QString("RadioPeriod%1").arg(choice));
}

QComboBox* box(const QWidget& dialog, const QString& name) {
  return dialog.findChild<QComboBox*>(name);
}

// What one group of the dialog shows, in the form text() gives.
QString shown(const QWidget& dialog, const QString& group) {
  const QDate date = dialog.findChild<QDateEdit*>("Date" + group)->date();
  return QString("%1 %2:%3:%4")
      .arg(date.toString("dd.MM.yyyy"))
      .arg(box(dialog, "Hour" + group)->currentText().toInt(), 2, 10, QChar('0'))
      .arg(box(dialog, "Minute" + group)->currentText().toInt(), 2, 10, QChar('0'))
      .arg(box(dialog, "Second" + group)->currentText().toInt(), 2, 10, QChar('0'));
}

void typeTime(const QWidget& dialog, const QString& field, const QString& value) {
  type(box(dialog, field)->lineEdit(), value);
}

void setMoment(const QWidget& dialog, const QString& group, const DateTime6& moment) {
  dialog.findChild<QDateEdit*>("Date" + group)
      ->setDate(QDate(moment.fullYear(), moment.month, moment.day));
  typeTime(dialog, "Hour" + group, QString::number(moment.hour));
  typeTime(dialog, "Minute" + group, QString::number(moment.minute));
  typeTime(dialog, "Second" + group, QString::number(moment.second));
}

bool inputsEnabled(const QWidget& dialog) {
  bool all = true;
  bool any = false;
  for (const char* group : {"Begin", "End"}) {
    for (const char* field : {"Date", "Hour", "Minute", "Second"}) {
      const bool enabled = dialog.findChild<QWidget*>(QString(field) + group)->isEnabled();
      all = all && enabled;
      any = any || enabled;
    }
  }
  if (all != any) qWarning("some inputs are enabled, others not");
  return all;
}

}  // namespace

class TFormPeriodTest : public QObject {
  Q_OBJECT

 private slots:
  void withoutSettingsFileTheLastHourAtMidnightReachesIntoYesterday() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = ArchiveDialogSettings::defaults(45000.0);
    TFormPeriod dialog(settings, frontend, nullptr, kShortlyAfterMidnight);

    QCOMPARE(dialog.windowTitle(), QString("Ввод периода времени запрашиваемых данных"));
    QVERIFY(item(dialog, 0)->isChecked());
    QCOMPARE(item(dialog, 0)->text(), QString("За последний час"));
    QCOMPARE(shown(dialog, "Begin"), QString("29.02.2024 23:20:05"));
    QCOMPARE(shown(dialog, "End"), QString("01.03.2024 00:20:05"));
    QVERIFY(!inputsEnabled(dialog));

    click(dialog, "Принять");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(text(dialog.begin()), QString("29.02.2024 23:20:05"));
    QCOMPARE(text(dialog.end()), QString("01.03.2024 00:20:05"));
    QVERIFY(frontend.messages.empty());
  }

  void everyChangeOfChoiceIsRememberedAndOnlyTheCustomOneIsEditable() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings =
        settingsWithPeriod(1, DateTime6{23, 12, 31, 8, 0, 0}, DateTime6{24, 1, 2, 9, 30, 15});
    TFormPeriod dialog(settings, frontend, nullptr, kAfternoon);
    QVERIFY(item(dialog, 1)->isChecked());
    QCOMPARE(shown(dialog, "Begin"), QString("29.02.2024 15:40:30"));
    QCOMPARE(shown(dialog, "End"), QString("01.03.2024 15:40:30"));
    QVERIFY(!inputsEnabled(dialog));

    item(dialog, 2)->click();
    QCOMPARE(settings.periodChoice(), 2u);
    QCOMPARE(shown(dialog, "Begin"), QString("31.12.2023 08:00:00"));
    QCOMPARE(shown(dialog, "End"), QString("02.01.2024 09:30:15"));
    QVERIFY(inputsEnabled(dialog));

    item(dialog, 0)->click();
    QCOMPARE(settings.periodChoice(), 0u);
    QVERIFY(!inputsEnabled(dialog));

    click(dialog, "Выход");
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }

  void anAcceptedCustomPeriodIsStoredBack() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings =
        settingsWithPeriod(2, DateTime6{23, 12, 31, 8, 0, 0}, DateTime6{24, 1, 2, 9, 30, 15});
    TFormPeriod dialog(settings, frontend, nullptr, kAfternoon);
    const DateTime6 begin{24, 2, 10, 7, 5, 9};
    const DateTime6 end{24, 2, 11, 23, 59, 59};
    setMoment(dialog, "Begin", begin);
    setMoment(dialog, "End", end);

    click(dialog, "Принять");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(text(dialog.begin()), text(begin));
    QCOMPARE(text(dialog.end()), text(end));
    QCOMPARE(text(zvc::dateTimeFromDayCount(settings.periodBegin())), text(begin));
    QCOMPARE(text(zvc::dateTimeFromDayCount(settings.periodEnd())), text(end));
  }

  void aPeriodOfTheLastDayIsNotStoredBack() {
    zvc::test::RecordingFrontend frontend;
    const DateTime6 remembered{23, 12, 31, 8, 0, 0};
    ArchiveDialogSettings settings = settingsWithPeriod(1, remembered, remembered);
    TFormPeriod dialog(settings, frontend, nullptr, kAfternoon);

    click(dialog, "Принять");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(text(zvc::dateTimeFromDayCount(settings.periodBegin())), text(remembered));
    QCOMPARE(text(zvc::dateTimeFromDayCount(settings.periodEnd())), text(remembered));
  }

  void refusedInputIsReportedAndTheDialogStays_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    const QString outOfRange = "вне допустимого диапазона";
    QTest::newRow("begin hour 24") << "HourBegin"
                                   << "24"
                                   << "Значение часа начала диапазона" << outOfRange;
    QTest::newRow("begin minute empty") << "MinuteBegin"
                                        << ""
                                        << "Значение минут начала диапазона" << outOfRange;
    QTest::newRow("begin second 60") << "SecondBegin"
                                     << "60"
                                     << "Значение секунд начала диапазона" << outOfRange;
    QTest::newRow("end hour 99") << "HourEnd"
                                 << "99"
                                 << "Значение часа конца диапазона" << outOfRange;
    QTest::newRow("end minute 60") << "MinuteEnd"
                                   << "60"
                                   << "Значение минут конца диапазона" << outOfRange;
    QTest::newRow("end second empty") << "SecondEnd"
                                      << ""
                                      << "Значение секунд конца диапазона" << outOfRange;
    QTest::newRow("end one second before begin") << "SecondEnd"
                                                 << "4"
                                                 << "Дата и время конца опроса должны быть"
                                                 << "больше даты и времени начала опроса";
  }
  void refusedInputIsReportedAndTheDialogStays() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    zvc::test::RecordingFrontend frontend;
    const DateTime6 moment{24, 2, 10, 7, 5, 5};
    ArchiveDialogSettings settings = settingsWithPeriod(2, moment, moment);
    TFormPeriod dialog(settings, frontend, nullptr, kAfternoon);
    dialog.show();
    typeTime(dialog, field, value);

    click(dialog, "Принять");

    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 2);
    QCOMPARE(QString::fromStdString(frontend.messages[0].line1), line1);
    QCOMPARE(QString::fromStdString(frontend.messages[0].line2), line2);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(text(zvc::dateTimeFromDayCount(settings.periodBegin())), text(moment));
  }

  void anEndEqualToTheBeginIsAccepted() {
    zvc::test::RecordingFrontend frontend;
    const DateTime6 moment{24, 2, 10, 7, 5, 5};
    ArchiveDialogSettings settings = settingsWithPeriod(2, moment, moment);
    TFormPeriod dialog(settings, frontend, nullptr, kAfternoon);

    click(dialog, "Принять");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(text(dialog.begin()), text(moment));
    QCOMPARE(text(dialog.end()), text(moment));
  }

  void timeFieldsTakeDigitsOnlyAndDatesStartIn2000() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = ArchiveDialogSettings::defaults(45000.0);
    settings.setPeriodChoice(2);
    TFormPeriod dialog(settings, frontend, nullptr, kAfternoon);
    QLineEdit* hour = box(dialog, "HourBegin")->lineEdit();
    type(hour, "a1-b");
    QCOMPARE(hour->text(), QString("1"));
    QTest::keyClick(hour, Qt::Key_Backspace);
    QCOMPARE(hour->text(), QString());
    QCOMPARE(box(dialog, "HourBegin")->count(), 24);
    QCOMPARE(box(dialog, "MinuteEnd")->count(), 60);
    QCOMPARE(box(dialog, "SecondEnd")->count(), 60);

    auto* date = dialog.findChild<QDateEdit*>("DateBegin");
    date->setDate(QDate(1999, 12, 31));
    QCOMPARE(date->date(), QDate(2000, 1, 1));
  }

  // A whole date typed over the selected one, with or without its points; the arrow keys still
  // step the section under the cursor.
  void aWholeDateCanBeTypedOverTheSelectedOne_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("with points") << "01.12.2026" << QDate(2026, 12, 1);
    QTest::newRow("digits only") << "15072025" << QDate(2025, 7, 15);
    QTest::newRow("one-digit day and month") << "1.2.2026" << QDate(2026, 2, 1);
  }
  void aWholeDateCanBeTypedOverTheSelectedOne() {
    QFETCH(QString, typed);
    QFETCH(QDate, expected);
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = ArchiveDialogSettings::defaults(45000.0);
    settings.setPeriodChoice(2);
    TFormPeriod dialog(settings, frontend, nullptr, kAfternoon);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* date = dialog.findChild<QDateEdit*>("DateBegin");
    date->setFocus();
    QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(date, typed);
    QCOMPARE(date->date(), expected);

    QTest::keyClick(date, Qt::Key_Up);
    QCOMPARE(date->date(), expected.addYears(1));
    QTest::keyClick(date, Qt::Key_Home);
    QTest::keyClick(date, Qt::Key_Up);
    QCOMPARE(date->date(), expected.addYears(1).addDays(1));
  }
};

QTEST_MAIN(TFormPeriodTest)
#include "tformperiod_test.moc"
