#include "gui/link/tformconnect.h"

#include <QComboBox>
#include <QtTest>

#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/ui/status_bar_visibility.h"
#include "gui/dialog_test_helpers.h"
#include "gui/link/tformabonent.h"
#include "gui/link/tformabonents_list.h"
#include "support/link_peer.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

using zvc::TFormAbonent;
using zvc::TFormConnect;
using zvc::test::buttonOf;
using zvc::test::click;
using zvc::test::setField;
using zvc::test::type;

namespace {

class RecordingBars : public zvc::StatusBarVisibility {
 public:
  void setSubscriberBarsVisible(bool visible) override { shown.push_back(visible); }
  std::vector<bool> shown;
};

void fillPhoneList(zvc::PhoneSubscriberList& list, int count) {
  list.count = static_cast<std::uint8_t>(count);
  for (int i = 0; i < count; ++i) {
    list.entries[i] = {zvc::format("Абонент %03d", i), static_cast<std::uint8_t>(i % 250 + 1), 1,
                       "100"};
  }
}

QStringList itemsOf(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

}  // namespace

class TFormConnectTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    folder = std::make_unique<zvc::test::TempFolder>();
    store = std::make_unique<zvc::LinkSettingsStore>(
        zvc::SettingsFiles{folder->file("zvc.ini"), folder->file("fon_abonents.ini"),
                           folder->file("ethr_abonents.ini")});
    store->load({1920, 1080});
    frontend = {};
    bars = {};
  }

  void addressOutOfRange() {
    TFormConnect dialog(engine, *store, frontend, bars);
    QCOMPARE(dialog.windowTitle(), QString("Установка связи с устройством"));
    auto* address = dialog.findChild<QComboBox*>("address");
    address->lineEdit()->clear();
    QTest::keyClicks(address, "2x56");  // as the user types into the box
    QCOMPARE(address->currentText(), QString("256"));

    click(dialog, "Связаться");

    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 2);
    QCOMPARE(frontend.messages[0].line1, std::string("Адрес вне допустимого диапазона"));
    QCOMPARE(frontend.messages[0].line2, std::string("(1...255)"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }

  void linkKindsShowAndHideTheSubscriberSelector() {
    fillPhoneList(store->settings.phone.subscribers, 2);
    store->settings.phone.subscribers.selected = 1;
    TFormConnect dialog(engine, *store, frontend, bars);
    auto* kind = dialog.findChild<QComboBox*>("linkKind");
    auto* address = dialog.findChild<QComboBox*>("address");
    auto* subscriber = dialog.findChild<QComboBox*>("subscriber");
    QVERIFY(!subscriber->isVisibleTo(&dialog));
    QVERIFY(address->isEnabled());
    QCOMPARE(frontend.status[0], std::string(" COM1,   38400 бит/с"));

    kind->setCurrentIndex(zvc::kPhoneLink);
    QCOMPARE(store->settings.general.linkKind, zvc::kPhoneLink);
    QVERIFY(subscriber->isVisibleTo(&dialog));
    QVERIFY(!address->isEnabled());
    QCOMPARE(itemsOf(subscriber), (QStringList{"Абонент 000", "Абонент 001", "Новый абонент"}));
    QCOMPARE(subscriber->currentIndex(), 1);
    QCOMPARE(address->currentText(), QString("2"));
    QCOMPARE(frontend.status[zvc::kStatusBar2], std::string(" Абонент 001 (тел. 100)"));

    kind->setCurrentIndex(zvc::kEthernetLink);
    QVERIFY(subscriber->isVisibleTo(&dialog));
    QCOMPARE(itemsOf(subscriber), QStringList{"Новый абонент"});
    QCOMPARE(subscriber->currentIndex(), -1);
    QVERIFY(!buttonOf(dialog, "Связаться")->isEnabled());
    QVERIFY(!buttonOf(dialog, "Изменить параметры связи")->isEnabled());

    kind->setCurrentIndex(zvc::kDirectLink);
    QVERIFY(!subscriber->isVisibleTo(&dialog));
    QVERIFY(buttonOf(dialog, "Связаться")->isEnabled());
    QCOMPARE(bars.shown, (std::vector<bool>{false, true, true, false}));
  }

  void the200thSubscriberRemovesNewSubscriber() {
    store->settings.general.linkKind = zvc::kPhoneLink;
    fillPhoneList(store->settings.phone.subscribers, 199);
    TFormConnect dialog(engine, *store, frontend, bars);
    auto* subscriber = dialog.findChild<QComboBox*>("subscriber");
    QCOMPARE(subscriber->itemText(199), QString("Новый абонент"));

    zvc::test::whenModalOpens<TFormAbonent>([](TFormAbonent& entry) {
      setField(entry, "name", "Абонент 500");
      type(entry, "address", "77");
      setField(entry, "phone", "0800");
      click(entry, "Принять");
    });
    subscriber->setCurrentIndex(199);

    QCOMPARE(subscriber->count(), 200);
    QVERIFY(!itemsOf(subscriber).contains("Новый абонент"));
    QCOMPARE(subscriber->currentText(), QString("Абонент 500"));
    QCOMPARE(dialog.findChild<QComboBox*>("address")->currentText(), QString("77"));
    QCOMPARE(zvc::readPhoneSubscribers(folder->file("fon_abonents.ini")).count, 200);
  }

  void cancelledNewSubscriberRestoresTheSelection() {
    store->settings.general.linkKind = zvc::kPhoneLink;
    fillPhoneList(store->settings.phone.subscribers, 3);
    store->settings.phone.subscribers.selected = 2;
    TFormConnect dialog(engine, *store, frontend, bars);
    auto* subscriber = dialog.findChild<QComboBox*>("subscriber");

    zvc::test::whenModalOpens<TFormAbonent>([](TFormAbonent& entry) { click(entry, "Отменить"); });
    subscriber->setCurrentIndex(3);

    QCOMPARE(subscriber->currentIndex(), 2);
    QCOMPARE(store->settings.phone.subscribers.count, 3);
    QVERIFY(!std::filesystem::exists(folder->file("fon_abonents.ini")));
  }

  void listChangesAreWrittenAndShown() {
    store->settings.general.linkKind = zvc::kPhoneLink;
    fillPhoneList(store->settings.phone.subscribers, 2);
    TFormConnect dialog(engine, *store, frontend, bars);
    auto* subscriber = dialog.findChild<QComboBox*>("subscriber");

    zvc::test::whenModalOpens<zvc::TFormAbonents_List>([this](zvc::TFormAbonents_List& list) {
      frontend.answers.push_back(true);
      click(list, "Удалить");
      click(list, "Принять");
    });
    click(dialog, "Список абонентов");

    QCOMPARE(itemsOf(subscriber), (QStringList{"Абонент 001", "Новый абонент"}));
    QCOMPARE(frontend.status[zvc::kStatusBar2], std::string(" Абонент 001 (тел. 100)"));
    QCOMPARE(zvc::readPhoneSubscribers(folder->file("fon_abonents.ini")).count, 1);
  }

  void connectsOverTheDirectLine() {
    zvc::test::PseudoTerminal pty;
    store->settings.ports[3] = pty.slavePath();
    store->settings.direct.port = 3;
    TFormConnect dialog(engine, *store, frontend, bars);
    type(dialog.findChild<QComboBox*>("address")->lineEdit(), "9");

    click(dialog, "Связаться");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(engine.address, 9);
    QVERIFY(engine.portHandle != zvc::kNoPort);
    engine.ClosePort();
  }

  void exitReportsNotConnected() {
    TFormConnect dialog(engine, *store, frontend, bars);
    dialog.show();
    click(dialog, "Выход");
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(frontend.messages.empty());
  }

 private:
  std::unique_ptr<zvc::test::TempFolder> folder;
  std::unique_ptr<zvc::LinkSettingsStore> store;
  zvc::kpsbox engine{1};
  zvc::test::RecordingFrontend frontend;
  RecordingBars bars;
};

QTEST_MAIN(TFormConnectTest)
#include "tformconnect_test.moc"
