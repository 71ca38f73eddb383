#include "gui/link/tformconn_par.h"

#include <QCheckBox>
#include <QComboBox>
#include <QStandardItemModel>
#include <QtTest>

#include "core/link/kpsbox.h"
#include "gui/dialog_test_helpers.h"
#include "support/link_peer.h"
#include "support/recording_frontend.h"

using zvc::LinkSettings;
using zvc::TFormConn_Par;
using zvc::test::click;
using zvc::test::type;

namespace {

constexpr int kPtyCom = 200;

std::vector<std::string> lines1(const zvc::test::RecordingFrontend& frontend) {
  std::vector<std::string> lines;
  for (const auto& message : frontend.messages) lines.push_back(message.line1);
  return lines;
}

}  // namespace

class TFormConnParTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    settings = LinkSettings{};
    settings.ports[kPtyCom] = pty.slavePath();
    settings.direct.port = kPtyCom;
    frontend = {};
  }

  void nextByteWaitFrom55() {
    TFormConn_Par dialog(engine, settings, frontend);
    QCOMPARE(dialog.windowTitle(),
             QString("Параметры связи с устройством (непосредственная связь)"));
    type(dialog, "nextByteWait", "54");

    click(dialog, "Принять");
    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 2);
    QCOMPARE(frontend.messages[0].line1, std::string("Время ожидания следующих байтов ответа"));
    QCOMPARE(frontend.messages[0].line2, std::string("Параметр вне допустимого диапазона"));
    QCOMPARE(settings.direct.nextByteWaitMs, 100);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    type(dialog, "nextByteWait", "55");
    click(dialog, "Принять");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(settings.direct.nextByteWaitMs, 55);
  }

  void rangesAreCheckedInOrder() {
    TFormConn_Par dialog(engine, settings, frontend);
    type(dialog, "preambles", "256");
    type(dialog, "firstByteWait", "121");
    type(dialog, "nextByteWait", "5001");
    dialog.findChild<QCheckBox*>("closePort")->setChecked(true);
    type(dialog, "portReleaseWait", "21");
    const std::vector<std::pair<const char*, const char*>> fixes = {
        {"preambles", "255"}, {"firstByteWait", "120"}, {"nextByteWait", "5000"}};
    for (const auto& [field, value] : fixes) {
      click(dialog, "Принять");
      type(dialog, field, value);
    }
    click(dialog, "Принять");
    type(dialog, "portReleaseWait", "");
    click(dialog, "Принять");

    QCOMPARE(lines1(frontend),
             (std::vector<std::string>{
                 "Количество преамбул в запросе", "Время ожидания первого байта ответа",
                 "Время ожидания следующих байтов ответа", "Время ожидания освобождения СОМ порта",
                 "Введены не все параметры"}));
  }

  void checkBoxTakesEffectAtOnce() {
    TFormConn_Par dialog(engine, settings, frontend);
    auto* release = dialog.findChild<QLineEdit*>("portReleaseWait");
    QVERIFY(!release->isEnabled());
    dialog.findChild<QCheckBox*>("closePort")->setChecked(true);
    QVERIFY(release->isEnabled());
    click(dialog, "Отменить");
    QVERIFY(settings.general.closePortAfterEachCommand);
  }

  void portsAndSpeedsOffered() {
    settings.direct.speed = 9600;
    TFormConn_Par dialog(engine, settings, frontend);
    auto* port = dialog.findChild<QComboBox*>("port");
    QCOMPARE(port->currentText(), QString("COM200  ") + QString::fromStdString(pty.slavePath()));
    auto* speed = dialog.findChild<QComboBox*>("speed");
    QCOMPARE(speed->count(), 22);
    QCOMPARE(speed->itemText(0), QString("300"));
    QCOMPARE(speed->itemText(21), QString("230400"));
    QCOMPARE(speed->currentText(), QString("9600"));
  }

  void missingStoredPortIsNoChoice() {
    settings.direct.port = 199;
    settings.ports[199] = "/dev/zvc-unplugged";
    TFormConn_Par dialog(engine, settings, frontend);
    auto* port = dialog.findChild<QComboBox*>("port");
    QCOMPARE(port->currentIndex(), -1);
    // Shown, so that the unplugged adapter is noticed, but not to be chosen.
    const int unplugged = port->findText("COM199  /dev/zvc-unplugged  (нет устройства)");
    QVERIFY(unplugged >= 0);
    QVERIFY(!qobject_cast<QStandardItemModel*>(port->model())->item(unplugged)->isEnabled());
    click(dialog, "Принять");
    QCOMPARE(lines1(frontend), (std::vector<std::string>{"Введены не все параметры"}));
  }

  void captionsAndFieldsPerLinkKind() {
    settings.general.linkKind = zvc::kPhoneLink;
    {
      TFormConn_Par dialog(engine, settings, frontend);
      QCOMPARE(dialog.windowTitle(), QString("Параметры связи с устройством (связь по телефону)"));
      QVERIFY(dialog.findChild<QLineEdit*>("modemCommand"));
      QVERIFY(!zvc::test::buttonOf(dialog, "Поиск адреса устройства"));
      QVERIFY(!dialog.findChild<QLineEdit*>("requestPause"));
      type(dialog, "connectAttempts", "11");
      click(dialog, "Принять");
      QCOMPARE(frontend.messages.back().line1, std::string("Количество попыток соединения"));
    }
    settings.general.linkKind = zvc::kEthernetLink;
    TFormConn_Par dialog(engine, settings, frontend);
    QCOMPARE(dialog.windowTitle(), QString("Параметры связи с устройством (Ethernet-интерфейс)"));
    QVERIFY(!dialog.findChild<QComboBox*>("port"));
    QVERIFY(!dialog.findChild<QLineEdit*>("modemCommand"));
    type(dialog, "connectWait", "361");
    click(dialog, "Принять");
    QCOMPARE(frontend.messages.back().line1, std::string("Ожидание соединения"));
    type(dialog, "connectWait", "360");
    QCOMPARE(dialog.findChild<QLineEdit*>("requestPause")->text(), QString("500"));
    type(dialog, "requestPause", "5001");
    click(dialog, "Принять");
    QCOMPARE(frontend.messages.back().line1, std::string("Пауза перед запросом по Ethernet"));
    type(dialog, "requestPause", "0");
    click(dialog, "Принять");
    QCOMPARE(settings.ethernet.connectWaitS, 360);
    QCOMPARE(settings.ethernet.requestPauseMs, 0);
  }

  void addressSearchClosesAsAccepted() {
    zvc::test::ScriptedController controller(pty.master(),
                                             {{zvc::test::responseFrame(42, 0x81, {0, 0, 1, 0})}});
    settings.direct.speed = 115200;
    TFormConn_Par dialog(engine, settings, frontend);

    click(dialog, "Поиск адреса устройства");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(settings.direct.address, 42);
    QCOMPARE(frontend.messages.back().line2, std::string("(адрес = 42)."));
  }

 private:
  zvc::test::PseudoTerminal pty;
  zvc::kpsbox engine{1};
  LinkSettings settings;
  zvc::test::RecordingFrontend frontend;
};

QTEST_MAIN(TFormConnParTest)
#include "tformconn_par_test.moc"
