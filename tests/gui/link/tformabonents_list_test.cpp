#include "gui/link/tformabonents_list.h"

#include <QTableWidget>
#include <QtTest>

#include "core/common/format.h"
#include "gui/dialog_test_helpers.h"
#include "gui/link/tformabonent.h"
#include "support/recording_frontend.h"

using zvc::EthernetSubscriber;
using zvc::EthernetSubscriberList;
using zvc::PhoneSubscriber;
using zvc::PhoneSubscriberList;
using zvc::TFormAbonent;
using zvc::TFormAbonents_List;
using zvc::test::buttonOf;
using zvc::test::click;
using zvc::test::setField;
using zvc::test::type;

namespace {

PhoneSubscriberList phoneList(int count) {
  PhoneSubscriberList list;
  list.count = static_cast<std::uint8_t>(count);
  for (int i = 0; i < count; ++i) {
    list.entries[i] = {zvc::format("Абонент %03d", i), 1, 1, zvc::format("%d", 1000 + i)};
  }
  return list;
}

QString cellText(const QWidget& dialog, int row, int column) {
  const QTableWidgetItem* item = dialog.findChild<QTableWidget*>("grid")->item(row, column);
  return item ? item->text() : QString();
}

int rowCount(const QWidget& dialog) {
  return dialog.findChild<QTableWidget*>("grid")->rowCount();
}

}  // namespace

class TFormAbonentsListTest : public QObject {
  Q_OBJECT

 private slots:
  void the200thSubscriberDisablesAdd() {
    zvc::test::RecordingFrontend frontend;
    PhoneSubscriberList list = phoneList(199);
    TFormAbonents_List dialog(list, frontend);
    QCOMPARE(dialog.windowTitle(), QString("Список абонентов (связь по телефону)"));

    zvc::test::whenModalOpens<TFormAbonent>([](TFormAbonent& entry) {
      setField(entry, "name", "Абонент 000а");
      type(entry, "address", "7");
      setField(entry, "phone", "555");
      click(entry, "Принять");
    });
    click(dialog, "Добавить");

    QCOMPARE(rowCount(dialog), 200);
    QVERIFY(!buttonOf(dialog, "Добавить")->isEnabled());
    QCOMPARE(list.count, 199);  // the list itself only on "Принять"
    // Sorted by name, the new entry is the second row and the selected one.
    QCOMPARE(cellText(dialog, 1, 1), QString("Абонент 000а"));
    QCOMPARE(dialog.findChild<QTableWidget*>("grid")->currentRow(), 1);

    click(dialog, "Принять");
    QCOMPARE(list.count, 200);
    QCOMPARE(list.selected, 1);
    QCOMPARE(list.entries[1].address, 7);
  }

  void deleteAnsweredNoKeepsTheEntry() {
    zvc::test::RecordingFrontend frontend;
    PhoneSubscriberList list = phoneList(3);
    TFormAbonents_List dialog(list, frontend);

    click(dialog, "Удалить");
    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 3);
    QCOMPARE(frontend.messages[0].line1, std::string("Вы действительно хотите"));
    QCOMPARE(frontend.messages[0].line2, std::string("удалить этот абонент?"));
    QCOMPARE(rowCount(dialog), 3);

    frontend.answers.push_back(true);
    click(dialog, "Удалить");
    QCOMPARE(rowCount(dialog), 2);
    QCOMPARE(cellText(dialog, 0, 1), QString("Абонент 001"));
    QCOMPARE(cellText(dialog, 0, 0), QString("  1"));
  }

  void emptyListOffersOnlyAdd() {
    zvc::test::RecordingFrontend frontend;
    PhoneSubscriberList list;
    TFormAbonents_List dialog(list, frontend);
    QCOMPARE(rowCount(dialog), 0);
    QVERIFY(buttonOf(dialog, "Добавить")->isEnabled());
    QVERIFY(!buttonOf(dialog, "Изменить")->isEnabled());
    QVERIFY(!buttonOf(dialog, "Удалить")->isEnabled());
  }

  void sortsEthernetByAddressAndCancelDiscards() {
    zvc::test::RecordingFrontend frontend;
    EthernetSubscriberList list;
    list.count = 2;
    list.entries[0] = {"А", 1, 0xC0A80001, 502};
    list.entries[1] = {"Б", 2, 0x0A000002, 4001};
    const EthernetSubscriberList before = list;
    TFormAbonents_List dialog(list, frontend);
    QCOMPARE(dialog.windowTitle(), QString("Список абонентов (Ethernet-интерфейс)"));
    auto* byName = dialog.findChild<QPushButton*>("sortByName");
    auto* byNumber = dialog.findChild<QPushButton*>("sortByNumber");
    QVERIFY(!byName->isEnabled());
    QCOMPARE(cellText(dialog, 0, 3), QString("192.168.0.1:502"));
    // Icons only: the tooltips and the names a screen reader reads tell them apart.
    QCOMPARE(byName->toolTip(), QString("Сортировать по наименованию"));
    QCOMPARE(byName->accessibleName(), byName->toolTip());
    QCOMPARE(byNumber->toolTip(), QString("Сортировать по IP-адресу"));
    QCOMPARE(byNumber->accessibleName(), byNumber->toolTip());

    byNumber->click();

    QVERIFY(byName->isEnabled());
    QVERIFY(!byNumber->isEnabled());
    QCOMPARE(cellText(dialog, 0, 3), QString("10.0.0.2:4001"));
    click(dialog, "Отменить");
    QCOMPARE(list, before);
  }

  void changeOpensTheSelectedEntry() {
    zvc::test::RecordingFrontend frontend;
    PhoneSubscriberList list = phoneList(3);
    TFormAbonents_List dialog(list, frontend);
    auto* grid = dialog.findChild<QTableWidget*>("grid");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(2, 1)).center());

    zvc::test::whenModalOpens<TFormAbonent>([](TFormAbonent& entry) {
      QCOMPARE(entry.findChild<QLineEdit*>("phone")->text(), QString("1002"));
      setField(entry, "name", "Я последний");
      click(entry, "Принять");
    });
    click(dialog, "Изменить");

    QCOMPARE(cellText(dialog, 2, 1), QString("Я последний"));
    click(dialog, "Принять");
    QCOMPARE(list.selected, 2);
    QCOMPARE(list.entries[2].name, std::string("Я последний"));
  }
};

QTEST_MAIN(TFormAbonentsListTest)
#include "tformabonents_list_test.moc"
