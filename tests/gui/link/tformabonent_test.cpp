#include "gui/link/tformabonent.h"

#include <QtTest>

#include "gui/dialog_test_helpers.h"
#include "support/recording_frontend.h"

using zvc::EntryMode;
using zvc::EthernetSubscriber;
using zvc::PhoneSubscriber;
using zvc::TFormAbonent;
using zvc::test::click;
using zvc::test::setField;
using zvc::test::type;

class TFormAbonentTest : public QObject {
  Q_OBJECT

 private slots:
  void phoneEntryIsStoredWhenComplete() {
    zvc::test::RecordingFrontend frontend;
    PhoneSubscriber entry{"", 0, 1, ""};
    TFormAbonent dialog(entry, EntryMode::kNew, frontend);
    QCOMPARE(dialog.windowTitle(), QString("Параметры абонента (связь по телефону)"));
    setField(dialog, "name", "Котельная");
    type(dialog, "address", "12");

    click(dialog, "Принять");
    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].line1, std::string("Введены не все параметры"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    type(dialog, "phone", "8 (044) 123-45-67");
    click(dialog, "Принять");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(entry, (PhoneSubscriber{"Котельная", 12, 1, "8 (044) 123-45-67"}));
  }

  void addressOutOfRangeKeepsTheEntry() {
    zvc::test::RecordingFrontend frontend;
    PhoneSubscriber entry{"Старое", 5, 1, "123"};
    TFormAbonent dialog(entry, EntryMode::kChange, frontend);
    QCOMPARE(dialog.findChild<QLineEdit*>("address")->text(), QString("5"));
    type(dialog, "address", "256");

    click(dialog, "Принять");

    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 2);
    QCOMPARE(frontend.messages[0].line1, std::string("Адрес вне допустимого диапазона"));
    QCOMPARE(frontend.messages[0].line2, std::string("(1...255)"));
    QCOMPARE(entry, (PhoneSubscriber{"Старое", 5, 1, "123"}));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }

  // Fields as wide as what they take: a three-digit part is narrower than the port, the whole
  // dialog far narrower than a stretched one.
  void fieldsAreAsWideAsTheirContent() {
    zvc::test::RecordingFrontend frontend;
    EthernetSubscriber entry{"ГРС", 3, 0x0A000001, 502};
    TFormAbonent dialog(entry, EntryMode::kChange, frontend);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const auto widthOf = [&](const char* name) {
      return dialog.findChild<QLineEdit*>(name)->width();
    };
    const QFontMetrics metrics = dialog.findChild<QLineEdit*>("ip1")->fontMetrics();
    QVERIFY(widthOf("ip1") >= metrics.horizontalAdvance("255"));
    QVERIFY(widthOf("ip1") < metrics.horizontalAdvance("255") + 30);
    QCOMPARE(widthOf("address"), widthOf("ip1"));
    QVERIFY(widthOf("port") > widthOf("ip1"));
    QVERIFY(widthOf("port") < 2 * widthOf("ip1"));
    QVERIFY(widthOf("name") >= metrics.horizontalAdvance(QString(49, u'x')));
    QVERIFY(dialog.width() < widthOf("name") + 250);
  }

  void numberFieldsTakeOnlyDigits() {
    zvc::test::RecordingFrontend frontend;
    EthernetSubscriber entry;
    TFormAbonent dialog(entry, EntryMode::kNew, frontend);
    type(dialog, "address", "1a-2");
    QCOMPARE(dialog.findChild<QLineEdit*>("address")->text(), QString("12"));
    type(dialog, "ip1", "19x2.");
    QCOMPARE(dialog.findChild<QLineEdit*>("ip1")->text(), QString("192"));
    QTest::keyClick(dialog.findChild<QLineEdit*>("ip1"), Qt::Key_Backspace);
    QCOMPARE(dialog.findChild<QLineEdit*>("ip1")->text(), QString("19"));
  }

  void ipPartOutOfRange() {
    zvc::test::RecordingFrontend frontend;
    EthernetSubscriber entry{"ГРС", 3, 0x0A000001, 502};
    TFormAbonent dialog(entry, EntryMode::kChange, frontend);
    QCOMPARE(dialog.windowTitle(), QString("Параметры абонента (Ethernet-интерфейс)"));
    QCOMPARE(dialog.findChild<QLineEdit*>("ip1")->text(), QString("10"));
    QCOMPARE(dialog.findChild<QLineEdit*>("port")->text(), QString("502"));
    type(dialog, "ip3", "256");

    click(dialog, "Принять");

    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].line1, std::string("Поле IP-адреса вне допустимого диапазона"));
    QCOMPARE(frontend.messages[0].line2, std::string("(0...255)"));
    QCOMPARE(entry.ip, 0x0A000001u);

    type(dialog, "ip3", "255");
    click(dialog, "Принять");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(entry.ip, 0x0A00FF01u);
  }
};

QTEST_MAIN(TFormAbonentTest)
#include "tformabonent_test.moc"
