#include "gui/archives/tformindex.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "core/app/archive_dialog_settings.h"
#include "gui/dialog_test_helpers.h"
#include "support/recording_frontend.h"

using zvc::ArchiveBounds;
using zvc::ArchiveDialogSettings;
using zvc::TFormIndex;
using zvc::test::click;
using zvc::test::type;

namespace {

ArchiveDialogSettings settingsWithIndexChoice(std::uint32_t choice) {
  ArchiveDialogSettings settings = ArchiveDialogSettings::defaults(45000.0);
  settings.setIndexChoice(choice);
  return settings;
}

QRadioButton* item(const QWidget& dialog, int choice) {
  return dialog.findChild<QRadioButton*>(QString("RadioIndex%1").arg(choice));
}

QLineEdit* field(const QWidget& dialog, const char* name) {
  return dialog.findChild<QLineEdit*>(name);
}

}  // namespace

class TFormIndexTest : public QObject {
  Q_OBJECT

 private slots:
  void showsBoundsAndStartsAtTheRememberedChoice() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = settingsWithIndexChoice(3);
    TFormIndex dialog(1, ArchiveBounds{1000, 1200}, settings, frontend);

    QCOMPARE(dialog.windowTitle(), QString("Индексы архивных записей о вмешательствах"));
    QCOMPARE(dialog.findChild<QLabel*>("LabelOldest")->text(), QString("1000"));
    QCOMPARE(dialog.findChild<QLabel*>("LabelNewest")->text(), QString("1200"));
    QVERIFY(item(dialog, 3)->isChecked());
    QCOMPARE(item(dialog, 3)->text(), QString("Последние 10 записей"));
    QCOMPARE(field(dialog, "EditFirst")->text(), QString("1191"));
    QCOMPARE(field(dialog, "EditCount")->text(), QString("10"));
    QVERIFY(!field(dialog, "EditFirst")->isEnabled());
    QVERIFY(!field(dialog, "EditCount")->isEnabled());
  }

  void everyChangeOfChoiceIsRememberedAndFillsTheFields() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = settingsWithIndexChoice(3);
    TFormIndex dialog(0, ArchiveBounds{1000, 1200}, settings, frontend);

    item(dialog, 4)->click();
    QCOMPARE(settings.indexChoice(), 4u);
    QCOMPARE(field(dialog, "EditFirst")->text(), QString());
    QCOMPARE(field(dialog, "EditCount")->text(), QString());
    QVERIFY(field(dialog, "EditFirst")->isEnabled());
    QVERIFY(field(dialog, "EditCount")->isEnabled());

    item(dialog, 0)->click();
    QCOMPARE(settings.indexChoice(), 0u);
    QCOMPARE(field(dialog, "EditFirst")->text(), QString("1000"));
    QCOMPARE(field(dialog, "EditCount")->text(), QString("201"));
    QVERIFY(!field(dialog, "EditFirst")->isEnabled());

    click(dialog, "Выход");
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(settings.indexChoice(), 0u);
  }

  void withoutSettingsFileTheLast100AreProposed() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = ArchiveDialogSettings::defaults(45000.0);
    // 37 records in the archive.
    TFormIndex dialog(0, ArchiveBounds{5, 41}, settings, frontend);
    QCOMPARE(dialog.windowTitle(), QString("Индексы архивных записей диагностики"));
    QVERIFY(item(dialog, 1)->isChecked());

    click(dialog, "Принять");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.firstIndex(), 5u);
    QCOMPARE(dialog.count(), 37u);
    QVERIFY(frontend.messages.empty());
  }

  void aRememberedChoiceOutOfRangeFallsBackToTheDefault() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = settingsWithIndexChoice(0xFFFFFFFF);
    TFormIndex dialog(0, ArchiveBounds{0, 0}, settings, frontend);
    QVERIFY(item(dialog, 1)->isChecked());
    QCOMPARE(field(dialog, "EditFirst")->text(), QString("0"));
    QCOMPARE(field(dialog, "EditCount")->text(), QString("1"));
  }

  void refusedInputIsReportedAndTheDialogStays_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    QTest::newRow("no first index") << ""
                                    << "5"
                                    << "Не введен индекс записи начала чтения"
                                    << "";
    QTest::newRow("first below oldest") << "99"
                                        << "5"
                                        << "Нелогичное значение индекса записи начала чтения"
                                        << "(см. значения индексов начала и конца архива).";
    QTest::newRow("first above newest") << "201"
                                        << "5"
                                        << "Нелогичное значение индекса записи начала чтения"
                                        << "(см. значения индексов начала и конца архива).";
    QTest::newRow("no count") << "150"
                              << ""
                              << "Не введено количество записей для чтения"
                              << "";
    QTest::newRow("count 0") << "150"
                             << "0"
                             << "Нелогичное значение количества записей для чтения"
                             << "";
  }
  void refusedInputIsReportedAndTheDialogStays() {
    QFETCH(QString, first);
    QFETCH(QString, count);
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = settingsWithIndexChoice(4);
    TFormIndex dialog(0, ArchiveBounds{100, 200}, settings, frontend);
    dialog.show();
    type(dialog, "EditFirst", first);
    type(dialog, "EditCount", count);

    click(dialog, "Принять");

    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 2);
    QCOMPARE(QString::fromStdString(frontend.messages[0].line1), line1);
    QCOMPARE(QString::fromStdString(frontend.messages[0].line2), line2);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }

  void aTypedCountIsCutToTheNewestRecord() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = settingsWithIndexChoice(4);
    TFormIndex dialog(0, ArchiveBounds{100, 200}, settings, frontend);
    type(dialog, "EditFirst", "200");
    type(dialog, "EditCount", "5");

    click(dialog, "Принять");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.firstIndex(), 200u);
    QCOMPARE(dialog.count(), 1u);
  }

  void fieldsTakeDigitsAndBackspaceOnly() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = settingsWithIndexChoice(4);
    TFormIndex dialog(0, ArchiveBounds{100, 200}, settings, frontend);
    QLineEdit* first = field(dialog, "EditFirst");
    type(first, "1a2-3 .e4");
    QCOMPARE(first->text(), QString("1234"));
    QTest::keyClick(first, Qt::Key_Backspace);
    QCOMPARE(first->text(), QString("123"));
  }

  void enterMovesFromFieldToFieldToAccept() {
    zvc::test::RecordingFrontend frontend;
    ArchiveDialogSettings settings = settingsWithIndexChoice(4);
    TFormIndex dialog(0, ArchiveBounds{100, 200}, settings, frontend);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), field(dialog, "EditFirst"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), field(dialog, "EditCount"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), zvc::test::buttonOf(dialog, "Принять"));
    QVERIFY(dialog.isVisible());
    QVERIFY(frontend.messages.empty());

    item(dialog, 0)->click();
    QCOMPARE(QApplication::focusWidget(), zvc::test::buttonOf(dialog, "Принять"));
    item(dialog, 4)->click();
    QCOMPARE(QApplication::focusWidget(), field(dialog, "EditFirst"));
  }
};

QTEST_MAIN(TFormIndexTest)
#include "tformindex_test.moc"
